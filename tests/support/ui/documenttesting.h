// What tests of document windows share: a stand-in for the case register
// that records what a window does to it, the fixture that opens a window
// on a fresh database, typing through the input method, a key whose
// release reaches the box that then has the focus, and which box has the
// focus.
#pragma once

#include "cases/engine/registerlink.h"

#include <QObject>
#include <QStringList>

#include <memory>

class QLineEdit;
class QWidget;

namespace kelm {
class DocumentWindow;
struct DocumentDescription;
}

namespace kelm::test {

class RecordingRegister : public CaseRegisterLink {
public:
    void untickDocument(int k) override;
    QStringList calls; // "Check1(k)=0"
};

class ScriptedMessages;
class TestDatabase;

// Base of a document-window test: its init() calls setUpWindowTest and its
// cleanup() tearDownWindowTest, so each test function starts on a fresh
// database with the case current, scripted messages and a recording register.
class DocumentWindowTest : public QObject {
public:
    DocumentWindowTest();
    ~DocumentWindowTest() override;

protected:
    void setUpWindowTest(const QString &caseNo);
    // Closes the window first, then puts back the register, the print sink
    // and the pointer a test may have changed.
    void tearDownWindowTest();

    // As the register opens it: through the window factory, which makes the
    // case's row when it has none. nullptr when k opens no document window.
    DocumentWindow *openFromRegister(int k);
    // A window on the description alone, shown and activated.
    DocumentWindow *openOn(const DocumentDescription &d);
    QLineEdit *line(int box) const;

    std::unique_ptr<TestDatabase> m_db;
    std::unique_ptr<DocumentWindow> m_window;
    RecordingRegister m_register;
    ScriptedMessages *m_messages = nullptr;

private:
    DocumentWindow *showAndActivate();
};

// Text as an input method commits it (no key events).
void commit(QWidget *box, const QString &text);
// A key goes down in box and comes up wherever the focus then is.
void press(QWidget *box, Qt::Key key);
// Index of the box with the focus, -1 when none has it.
int focusedBox(const DocumentWindow &w);

} // namespace kelm::test
