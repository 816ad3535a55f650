#include "platform/spokenlabel.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

bool wide(QChar c) { return c.unicode() >= 0x80; }

const QString edgePunctuation = u"：:，,。、；;"_s;

} // namespace

QString spokenLabel(const QString &label)
{
    QString out;
    for (qsizetype i = 0; i < label.size();) {
        if (!label[i].isSpace()) {
            out += label[i++];
            continue;
        }
        qsizetype end = i;
        while (end < label.size() && label[end].isSpace())
            ++end;
        // Blanks between two half-width words part them; next to a Chinese
        // character they only spread the label.
        if (!out.isEmpty() && end < label.size() && !wide(out.back()) && !wide(label[end]))
            out += u' ';
        i = end;
    }
    while (!out.isEmpty() && edgePunctuation.contains(out.back()))
        out.chop(1);
    while (!out.isEmpty() && edgePunctuation.contains(out.front()))
        out.remove(0, 1);
    return out;
}

} // namespace kelm
