#include "support/ui/scriptedmessages.h"

namespace kelm::test {

ScriptedMessages &ScriptedMessages::install()
{
    auto service = std::make_unique<ScriptedMessages>();
    ScriptedMessages &ref = *service;
    setMessageService(std::move(service));
    return ref;
}

Answer ScriptedMessages::show(QWidget *, const Message &message)
{
    shown.append(message);
    if (m_answers.isEmpty()) {
        ++unexpected;
        return message.defaultButton;
    }
    return m_answers.takeFirst();
}

} // namespace kelm::test
