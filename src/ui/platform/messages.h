// Every message box of the program goes through one service, so tests can
// answer the questions a window asks.
#pragma once

#include <QString>
#include <memory>

class QWidget;

namespace kelm {

enum class Buttons { Ok, YesNo, YesNoCancel, OkCancel };
enum class Answer { Ok, Cancel, Yes, No };
enum class Icon { None, Information, Question, Warning, Critical };

struct Message {
    QString text;
    QString title;       // empty: the program's name "Kelm"
    Buttons buttons = Buttons::Ok;
    Answer defaultButton = Answer::Ok;
    Icon icon = Icon::None;
};

class MessageService {
public:
    virtual ~MessageService() = default;
    virtual Answer show(QWidget *parent, const Message &message) = 0;
};

// The service in use; by default real message boxes with Chinese buttons.
MessageService &messages();
// Replaces the service (tests); nullptr returns to the real one.
void setMessageService(std::unique_ptr<MessageService> service);

// Shorthands for the usual boxes.
void inform(QWidget *parent, const QString &text, const QString &title = {}, Icon icon = Icon::None);
Answer ask(QWidget *parent, const QString &text, const QString &title, Buttons buttons,
           Answer defaultButton, Icon icon = Icon::Question);
// "错误" with a critical icon.
void showError(QWidget *parent, const QString &text);

} // namespace kelm
