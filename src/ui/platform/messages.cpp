#include "platform/messages.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

class BoxService : public MessageService {
public:
    Answer show(QWidget *parent, const Message &m) override
    {
        QMessageBox box(parent);
        box.setWindowTitle(m.title.isEmpty() ? u"Kelm"_s : m.title);
        box.setText(m.text);
        switch (m.icon) {
        case Icon::None: box.setIcon(QMessageBox::NoIcon); break;
        case Icon::Information: box.setIcon(QMessageBox::Information); break;
        case Icon::Question: box.setIcon(QMessageBox::Question); break;
        case Icon::Warning: box.setIcon(QMessageBox::Warning); break;
        case Icon::Critical: box.setIcon(QMessageBox::Critical); break;
        }
        struct Choice { Answer answer; QString caption; QMessageBox::ButtonRole role; };
        std::vector<Choice> choices;
        switch (m.buttons) {
        case Buttons::Ok: choices = {{Answer::Ok, u"确定"_s, QMessageBox::AcceptRole}}; break;
        case Buttons::OkCancel:
            choices = {{Answer::Ok, u"确定"_s, QMessageBox::AcceptRole},
                       {Answer::Cancel, u"取消"_s, QMessageBox::RejectRole}};
            break;
        case Buttons::YesNo:
            choices = {{Answer::Yes, u"是"_s, QMessageBox::YesRole}, {Answer::No, u"否"_s, QMessageBox::NoRole}};
            break;
        case Buttons::YesNoCancel:
            choices = {{Answer::Yes, u"是"_s, QMessageBox::YesRole},
                       {Answer::No, u"否"_s, QMessageBox::NoRole},
                       {Answer::Cancel, u"取消"_s, QMessageBox::RejectRole}};
            break;
        }
        std::vector<std::pair<QAbstractButton *, Answer>> made;
        for (const Choice &c : choices) {
            QPushButton *b = box.addButton(c.caption, c.role);
            made.emplace_back(b, c.answer);
            if (c.answer == m.defaultButton)
                box.setDefaultButton(b);
        }
        // Esc answers Cancel where there is one, else No, else OK; the close
        // box does the same.
        QAbstractButton *escape = made.back().first;
        box.setEscapeButton(escape);
        box.exec();
        // The keyboard goes back to the window that asked (see openModal).
        if (parent && parent->window()->isVisible())
            parent->window()->activateWindow();
        for (const auto &[button, answer] : made)
            if (box.clickedButton() == button)
                return answer;
        return made.back().second;
    }
};

std::unique_ptr<MessageService> &current()
{
    static std::unique_ptr<MessageService> service = std::make_unique<BoxService>();
    return service;
}

} // namespace

MessageService &messages() { return *current(); }

void setMessageService(std::unique_ptr<MessageService> service)
{
    current() = service ? std::move(service) : std::make_unique<BoxService>();
}

void inform(QWidget *parent, const QString &text, const QString &title, Icon icon)
{
    messages().show(parent, {text, title, Buttons::Ok, Answer::Ok, icon});
}

Answer ask(QWidget *parent, const QString &text, const QString &title, Buttons buttons, Answer defaultButton,
           Icon icon)
{
    return messages().show(parent, {text, title, buttons, defaultButton, icon});
}

void showError(QWidget *parent, const QString &text) { inform(parent, text, u"错误"_s, Icon::Critical); }

} // namespace kelm
