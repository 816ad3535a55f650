// Where everything of a document window stands, in twips: the rows of its
// description placed on the forms' character grid. Rows with coordinates
// keep them; rows given in reading order follow one another down the page
// and their pieces one another across it, so a label's runs of blanks hold
// the boxes laid over them.
#pragma once

#include "cases/engine/description.h"

#include <QRect>

namespace kelm {

struct PlacedText {
    QString text;
    int left = 0;
    int top = 0;
    double points = 9;
    bool bold = false;
    int width = 0; // twips a line may take; 0: one line
};

struct WindowLayout {
    std::vector<PlacedText> texts;
    std::vector<QRect> boxes; // by box index, in twips
    std::vector<Segment> lines;
};

WindowLayout placeWindow(const DocumentDescription &d);

// Start and length (in characters) of each run of blanks in text.
std::vector<std::pair<qsizetype, qsizetype>> blankRuns(const QString &text);

} // namespace kelm
