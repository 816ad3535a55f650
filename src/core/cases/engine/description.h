// A case document as data: its row's columns in box order, its line groups,
// its keyboard bounds, its window and its printed form in twips. The engine
// builds, fills, runs and prints every document window from one of these;
// nothing about a single document is written as code anywhere else.
#pragma once

#include "data/documentcatalogue.h"
#include "platform/reportlayout.h"
#include "platform/units.h"

#include <QString>
#include <climits>
#include <vector>

namespace kelm {

// A position the layout rows work out (a document given in reading order).
constexpr int autoPlace = INT_MIN;

constexpr int standardBoxHeight = 180;

enum class BoxSave {
    ReadBack,   // written at each change; then shows what its column kept
    NoReadBack, // written at each change; keeps showing what was typed
    Never,      // shows its column and is never written (a hidden box)
};

// Box Text1(i) of the window, bound to column i + 1 of the row.
struct BoxSpec {
    QString column;
    int width = 0;                  // twips; 0 on a row: to the right margin
    int height = standardBoxHeight; // twips
    unsigned colour = vbBlue;       // &H00BBGGRR&
    bool centred = false;
    bool bold = false;
    bool locked = false;            // takes the focus but no typing
    bool visible = true;
    bool memo = false;              // several lines, scroll bar and border
    bool underlined = true;         // false: no line of its own under it (a number in brackets)
    int typingLimit = 0;            // characters a user may type; 0: the column decides
    BoxSave save = BoxSave::ReadBack;
    // What a screen reader calls the box where the form's words around it
    // cannot tell (boxnames.h); on a paragraph's first line, the paragraph.
    QString name;
};

// One thing on a layout row, from left to right.
struct Piece {
    enum class Kind { Text, Box, Gap };
    Kind kind = Kind::Text;
    QString text;           // Text: the form's wording
    int box = -1;           // Box: its index
    int left = autoPlace;   // twips; autoPlace: right after the piece before
    int top = autoPlace;    // Box: its own top where it differs from the row's
    double points = 9;      // Text: 宋体 size
    bool bold = false;      // Text
    std::vector<int> boxesInBlanks; // Text: boxes laid over its runs of blanks, in order
    int width = 0;          // Gap: twips; Text: when given, the label is this
                            // wide and breaks onto further lines one em apart
};

// Where the pieces of a row without their own Left begin.
enum class RowAlign {
    Left,      // at the left margin
    Indent,    // two characters in: the first line of a paragraph
    RightHalf, // from the middle of the text width
    Right,     // ending at the right margin
    Centre,    // centred between the margins
};

struct Row {
    int top = autoPlace; // twips; autoPlace: below the row before
    RowAlign align = RowAlign::Left;
    std::vector<Piece> pieces;
    bool rule = false;   // a line across the text width under the pieces
};

// A drawn line (rule or underline) in twips.
struct Segment {
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;
    bool operator==(const Segment &) const = default;
};

// Tab order entry of the delete-on-close box.
constexpr int deleteBoxTab = -1;

// The ground of a window: white like the paper form, or the system's
// window background colour (the colour behind text in boxes and lists,
// white in the usual schemes, not the grey of dialog frames). Single-line boxes take it too, so they
// read as the form's blanks; a memo box stays white inside its border.
enum class WindowBackground { White, System };

struct WindowDesign {
    int width = 0;  // client area, twips
    int height = 0;
    int leftMargin = 480;
    int rightMargin = 7680;
    int firstRowTop = 120;  // of a document given in reading order
    int rowPitch = 360;
    int deleteBoxLeft = 7200;
    WindowBackground background = WindowBackground::White;
    std::vector<Row> rows;
    std::vector<Segment> lines; // rules and underlines at fixed places
    // Each visible, underlined single-line box that is not locked gets an
    // underline of its own width underlineDrop twips below its top
    // (documents in reading order); a form with rows closer than 360 twips
    // draws it nearer its box, clear of the row below.
    bool underlineBoxes = false;
    int underlineDrop = 240;
    // Box indexes and deleteBoxTab; empty: the box order, then the
    // delete-on-close box. The first entry has the focus on opening.
    std::vector<int> tabOrder;
};

// A paragraph: the consecutive boxes first..last, one line column each.
struct LineGroup {
    int first = 0;
    int last = 0;
};

struct DocumentDescription {
    DocumentEntry document;        // table, captions, register index, authority column, report
    std::vector<BoxSpec> boxes;    // Text1(0)..Text1(n)
    std::vector<LineGroup> groups; // none: a plain document window
    int enterDownBound = autoPlace; // Enter and Down move on below it; autoPlace: the last index
    int upBound = 0;                // Up moves back above it
    bool pointerReset = false;      // activation sets the default mouse pointer
    WindowDesign window;
    // The printed form: named as the document's report, so it reads the
    // current case's row of the table.
    report::ReportLayout report;

    int lastIndex() const { return int(boxes.size()) - 1; }
    int enterDownLimit() const { return enterDownBound == autoPlace ? lastIndex() : enterDownBound; }
    // The group that holds box, or nullptr.
    const LineGroup *groupOf(int box) const;
    // Every group line but the first: Backspace and Left go back from it.
    bool continues(int box) const;
    // Every group line but the last: Right goes on from it, the line flow
    // writes it.
    bool carries(int box) const;
    std::vector<int> continuationSet() const;
    std::vector<int> successorSet() const;
    std::vector<int> tabOrder() const;
};

// What is wrong with a description (empty when nothing): groups, bounds,
// placement, tab order, its columns against the table's stored order, and
// its report: the document's report name, fields over the table's columns.
QStringList checkDescription(const DocumentDescription &d);

// Shorthands for writing descriptions.
Piece text(const QString &wording, int left = autoPlace, double points = 9, bool bold = false);
Piece box(int index, int left = autoPlace, int top = autoPlace);
Piece textWithBoxes(const QString &wording, std::vector<int> boxes, int left = autoPlace);
// A 9 pt label of a fixed width whose wording wraps onto further lines.
Piece wrappedText(const QString &wording, int left, int width);
Piece gap(int width);
BoxSpec dataBox(const QString &column, int width, int typingLimit = 0);
BoxSpec handBox(const QString &column, int width);
BoxSpec authorityBox(const QString &column, int width, unsigned colour = vbBlack);
// The same box with its text centred, or in bold.
BoxSpec centred(BoxSpec b);
BoxSpec bolded(BoxSpec b);
// The same box with the name a screen reader gives it, where the form's
// words around it do not tell what it is (an addressee alone on its line).
BoxSpec named(BoxSpec b, const QString &name);
// Where a document number line "Vesk卫(…" begins. The national forms place
// the number for a one-character place abbreviation before 卫; "Vesk" is
// two half-width characters wider, so the line starts that much left of the
// form's Left and its brackets stay over the boxes and fields set in them.
int numberLineLeft(int formLeft, double points);
// A line from x1 to x2 at height y.
Segment hline(int x1, int x2, int y);
// The drawn line a box stands on, 240 twips below its top, from left to right.
Segment underBox(int left, int boxTop, int right = 7680);
// The paper of every printed form: A4 upright, the body (about 9800 twips
// across) centred, and report header plus detail on one sheet.
report::PageSetup documentPaper();
// A document's printed form, empty: named as its report, captioned as its
// window, on documentPaper() in 宋体 of bodyPoints.
report::ReportLayout documentReport(const DocumentEntry &document, double bodyPoints = 12);

} // namespace kelm
