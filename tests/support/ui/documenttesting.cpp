#include "support/ui/documenttesting.h"

#include "cases/engine/documentwindow.h"
#include "cases/engine/documentwindows.h"
#include "data/appvalues.h"
#include "platform/busypointer.h"
#include "platform/printsink.h"
#include "support/testdb.h"
#include "support/ui/scriptedmessages.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

using namespace Qt::StringLiterals;

namespace kelm::test {


void RecordingRegister::untickDocument(int k) { calls << u"Check1(%1)=0"_s.arg(k); }

DocumentWindowTest::DocumentWindowTest() = default;

DocumentWindowTest::~DocumentWindowTest() = default;

void DocumentWindowTest::setUpWindowTest(const QString &caseNo)
{
    m_db = std::make_unique<TestDatabase>();
    m_messages = &ScriptedMessages::install();
    m_register.calls.clear();
    setCaseRegister(&m_register);
    app().caseNo = caseNo;
}

void DocumentWindowTest::tearDownWindowTest()
{
    m_window.reset();
    setCaseRegister(nullptr);
    report::setPrintSink(nullptr);
    showDefaultPointer();
    m_db.reset();
}

DocumentWindow *DocumentWindowTest::openFromRegister(int k)
{
    std::unique_ptr<FormWindow> made(createDocumentWindow(k, nullptr));
    m_window.reset(qobject_cast<DocumentWindow *>(made.get()));
    if (!m_window)
        return nullptr;
    made.release();
    return showAndActivate();
}

DocumentWindow *DocumentWindowTest::openOn(const DocumentDescription &d)
{
    m_window = std::make_unique<DocumentWindow>(d);
    return showAndActivate();
}

DocumentWindow *DocumentWindowTest::showAndActivate()
{
    m_window->show();
    m_window->activated();
    if (!QTest::qWaitForWindowActive(m_window.get()))
        qWarning("the document window did not become active");
    return m_window.get();
}

QLineEdit *DocumentWindowTest::line(int box) const { return qobject_cast<QLineEdit *>(m_window->box(box)); }

void commit(QWidget *box, const QString &text)
{
    QInputMethodEvent e;
    e.setCommitString(text);
    QApplication::sendEvent(box, &e);
}

void press(QWidget *box, Qt::Key key)
{
    QTest::keyPress(box, key);
    QTest::keyRelease(QApplication::focusWidget(), key);
}

int focusedBox(const DocumentWindow &w)
{
    for (int i = 0; i <= w.description().lastIndex(); ++i)
        if (w.box(i)->hasFocus())
            return i;
    return -1;
}

} // namespace kelm::test
