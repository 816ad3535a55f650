#include "platform/typinglimit.h"

namespace kelm {

TypingLimit::TypingLimit(int characters, QObject *parent) : QValidator(parent), m_characters(characters) { }

QValidator::State TypingLimit::validate(QString &input, int &) const
{
    return QStringView(input).toUcs4().size() <= m_characters ? Acceptable : Invalid;
}

} // namespace kelm
