// What the printed-form tests share: how near a printed item must stand to
// where the form has it, and finding the item that one expectation of a
// form names on a laid-out page.
#pragma once

#include "platform/pagemodel.h"
#include "platform/reportlayout.h"

#include <QString>
#include <vector>

namespace kelm::test {

// Twips a printed item may stand off the form's place: one pixel.
constexpr int tolerance = 15;

bool near(int a, int b);

// A label is named by its text, a field by its column, a rule (a box) by its
// top, an underline by its top and left.
enum class What { Label, Field, Rule, Underline };

// What else tells a label from another of the same text.
enum class LabelAt { Anywhere, Top, TopAndLeft };

// The first item of the page that the expectation names; left and top are the
// form's, measured from (originLeft, originTop) on the page. nullptr: none.
const report::PageItem *findPrinted(const report::Page &page, What what, const QString &text, int left, int top,
                                    int originLeft, int originTop, LabelAt labelAt = LabelAt::Top);

// What a form says of one item, left measured from its section's left edge;
// width 0: none given.
struct FormItem {
    What what;
    int left;
    int width;
    double points = 12;
    bool bold = false;
    bool centred = false;
};

// Checks a found item standing left of its section's left edge against the
// form: a text where the form has it (a centred one with its middle on the
// box's middle), in its font, inside the box when a width is given, and a
// field printing fieldValue whole; a rule across the section at the form's
// width, one pixel high and filled; an underline ending where the form's
// ends. A failed check fails the calling test function.
void checkPlaced(const report::PageItem &p, int left, const FormItem &form, const QString &fieldValue);

// The items a field prints on a page, in order: its one line, or the lines
// that a text too wide for its box goes on over at a smaller size.
std::vector<const report::PageItem *> fieldLines(const report::Page &page, const QString &column);
// Their texts joined: the field's text as printed.
QString fieldText(const report::Page &page, const QString &column);
// Whether a field's lines stand in the form's line of text at top (as
// the page has it), one line of `points` high: inside it, give or take a
// pixel, as one line of that size fills it.
bool inLineOfText(const std::vector<const report::PageItem *> &lines, int top, double points);

// Checks what a page prints for a one-line field designed as item, its
// left measured from originLeft: every line inside the item's width and
// no smaller than the smallest printed size, the value whole.
void checkFieldWhole(const report::Page &page, const report::Item &item, int originLeft, const QString &value);

std::vector<const report::PageItem *> itemsOf(const report::Page &page, report::ItemKind kind);
int count(const report::Page &page, report::ItemKind kind);

} // namespace kelm::test
