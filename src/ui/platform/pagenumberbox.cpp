#include "platform/pagenumberbox.h"

#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace kelm::report {

namespace {
const QRegularExpression wholeNumber(u"^\\s*[+-]?\\d+\\s*$"_s);
}

QValidator::State PageNumberBox::validate(QString &text, int &pos) const
{
    if (text.trimmed().isEmpty() || text.trimmed() == u"-"_s || text.trimmed() == u"+"_s)
        return QValidator::Intermediate;
    if (!wholeNumber.match(text).hasMatch())
        return QValidator::Invalid;
    const QValidator::State plain = QSpinBox::validate(text, pos);
    return plain == QValidator::Acceptable ? plain : QValidator::Intermediate;
}

// A number beyond either end stands for that end; one too long to read as
// a number is beyond the last page, or before the first when negative.
void PageNumberBox::fixup(QString &text) const
{
    if (!wholeNumber.match(text).hasMatch())
        return QSpinBox::fixup(text);
    bool ok = false;
    const qlonglong n = text.trimmed().toLongLong(&ok);
    const bool beforeFirst = ok ? n < minimum() : text.trimmed().startsWith(u'-');
    const bool afterLast = ok ? n > maximum() : !beforeFirst;
    if (beforeFirst)
        text = QString::number(minimum());
    else if (afterLast)
        text = QString::number(maximum());
}

} // namespace kelm::report
