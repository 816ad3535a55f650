#include "platform/typinglimit.h"

namespace kelm {

TypingLimit::TypingLimit(int characters, QObject *parent) : QValidator(parent), m_characters(characters) { }

QValidator::State TypingLimit::validate(QString &input, int &) const
{
    if (input.contains(u'\n') || input.contains(u'\r'))
        return Invalid;
    return QStringView(input).toUcs4().size() <= m_characters ? Acceptable : Invalid;
}

} // namespace kelm
