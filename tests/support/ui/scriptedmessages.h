// Answers the program's message boxes from a script and records each one.
#pragma once

#include "platform/messages.h"

#include <QList>

namespace kelm::test {

class ScriptedMessages : public MessageService {
public:
    // Installs a fresh script as the program's message service.
    static ScriptedMessages &install();

    // Answers for the next questions, in order. A box shown with no answer
    // left gets its default button and is counted as unexpected.
    void answer(Answer a) { m_answers.append(a); }
    QList<Message> shown;
    int unexpected = 0;

    // The last message's text, empty when none.
    QString lastText() const { return shown.isEmpty() ? QString() : shown.last().text; }
    void clear()
    {
        shown.clear();
        m_answers.clear();
        unexpected = 0;
    }

    Answer show(QWidget *parent, const Message &message) override;

private:
    QList<Answer> m_answers;
};

} // namespace kelm::test
