#include "cases/engine/lineflow.h"

#include <algorithm>

namespace kelm {

namespace {

struct Packing {
    std::vector<QString> lines;
    qsizetype keptFirst = 0;
    bool carried = false; // text went on from the first line into the next
    QString dropped;
};

// Places paragraph into the lines first, first + 1, ... of a group of
// count lines; write stores one line and returns what its column holds.
template <typename Write>
Packing pack(int first, const QString &paragraph, std::size_t count, Write write)
{
    Packing p;
    p.lines.resize(count);
    QString rest = paragraph;
    p.lines[0] = write(first, rest);
    for (std::size_t j = 0;; ++j) {
        const QString &held = p.lines[j];
        qsizetype kept = held.size();
        // A value that is not the start of what was written ends in a
        // character the column did not keep whole: it goes on to the next line.
        if (kept > 0 && held != rest.left(kept))
            --kept;
        if (j == 0)
            p.keptFirst = kept;
        if (kept >= rest.size()) {
            for (std::size_t k = j + 1; k < count; ++k)
                p.lines[k] = write(first + int(k), QString());
            break;
        }
        rest = rest.mid(kept);
        if (j + 1 == count) {
            p.dropped = rest;
            break;
        }
        p.lines[j + 1] = write(first + int(j) + 1, rest);
        if (j == 0)
            p.carried = true;
    }
    return p;
}

QString joined(const std::vector<QString> &parts)
{
    QString all;
    for (const QString &s : parts)
        all += s;
    return all;
}

} // namespace

bool losesStoredText(const QString &before, const QString &after, qsizetype kept)
{
    if (kept >= after.size())
        return false;
    const qsizetype shortest = std::min(before.size(), after.size());
    qsizetype prefix = 0;
    while (prefix < shortest && before[prefix] == after[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shortest - prefix && before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix])
        ++suffix;
    // after = the unchanged start, the edit, the unchanged end: the cut
    // loses stored text when the end survived the edit or the cut reaches
    // into the start.
    return suffix > 0 || kept < prefix;
}

FieldOutcome saveField(LineStore &store, int box, const QString &before, const QString &text, bool readBack)
{
    const QString kept = store.fit(box, text);
    if (readBack && kept != text && losesStoredText(before, text, kept.size()))
        return {before, true, false};
    const QString stored = store.write(box, text);
    return {stored, false, stored != text};
}

FlowOutcome flowLineGroup(const FlowRequest &request, LineStore &store)
{
    const std::size_t count = request.texts.size();
    const QString paragraph = joined(request.texts);
    const Packing planned =
        pack(request.first, paragraph, count, [&](int box, const QString &t) { return store.fit(box, t); });
    FlowOutcome out;
    if (!planned.dropped.isEmpty()
        && losesStoredText(joined(request.stored), paragraph, paragraph.size() - planned.dropped.size())) {
        out.refused = true;
        out.lines = request.stored;
        out.caretBox = request.first;
        out.caret = request.caretBeforeEdit;
        return out;
    }
    const Packing done =
        pack(request.first, paragraph, count, [&](int box, const QString &t) { return store.write(box, t); });
    out.lines = done.lines;
    out.dropped = done.dropped;
    out.caretBox = request.first;
    out.caret = int(std::min<qsizetype>(request.caret, done.lines[0].size()));
    // Typing at the end of a line that overflowed: the caret follows the
    // carried characters into the next line and stands right after them.
    if (request.caretStep && done.carried && out.caret == done.keptFirst) {
        out.caretBox = request.first + 1;
        out.caret = int(std::clamp<qsizetype>(request.caret - done.keptFirst, 0, done.lines[1].size()));
    }
    return out;
}

} // namespace kelm
