// The rules of saving a document box and of flowing a paragraph across the
// line boxes of its group, apart from any widget: what gets written, what
// the boxes then show and where the caret goes.
//
// A paragraph from the edited line down is written into the edited line's
// column; what the column did not keep is carried into the next line, and
// so on down the group; lines no longer needed are emptied. Text that the
// group cannot hold is never dropped if the user had stored it: such an edit
// is refused and nothing is written.
#pragma once

#include <QString>
#include <vector>

namespace kelm {

// The columns of one document row, reached by box index.
class LineStore {
public:
    virtual ~LineStore() = default;
    // What the column of box would keep of text.
    virtual QString fit(int box, const QString &text) const = 0;
    // Writes text into the column of box; returns what the column holds.
    virtual QString write(int box, const QString &text) = 0;
};

// Whether storing only the first kept characters of after, which replaces
// before, would lose characters that before already held (the cut reaches
// behind the edited place).
bool losesStoredText(const QString &before, const QString &after, qsizetype kept);

struct FieldOutcome {
    QString stored;       // what the column holds afterwards
    bool refused = false; // nothing written: the box returns to stored and its caret before the edit
    bool cut = false;     // written, but the column kept less than typed
};

// Saves the text of a box that is written at each change. before is what
// its column held. A box that keeps showing what was typed (no read-back)
// is written whatever its column keeps.
FieldOutcome saveField(LineStore &store, int box, const QString &before, const QString &text,
                       bool readBack = true);

struct FlowRequest {
    int first = 0;              // the edited line
    std::vector<QString> texts; // its box and the group's lines below, as they stand
    std::vector<QString> stored; // what their columns hold
    int caret = 0;              // caret of the edited line
    int caretBeforeEdit = 0;    // where it stood before the user's edit
    bool caretStep = false;     // the flow follows the user's edit in that line
};

struct FlowOutcome {
    bool refused = false;       // nothing written; the lines show what they stored
    std::vector<QString> lines; // what each line holds afterwards
    int caretBox = 0;           // the box that gets or keeps the focus
    int caret = 0;
    QString dropped;            // text no line kept: only ever new, unstored text
};

FlowOutcome flowLineGroup(const FlowRequest &request, LineStore &store);

} // namespace kelm
