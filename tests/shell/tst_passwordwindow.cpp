// The password change: its two confirmed steps, Enter in each box, the
// write with read-back and a write the database refuses or does not keep.
// Needs widgets.
#include "data/connection.h"
#include "platform/modal.h"
#include "shell/password.h"
#include "shell/passwordwindow.h"
#include "support/testdb.h"
#include "support/ui/scriptedmessages.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

QString stored() { return db().scalar(u"SELECT abcd FROM wslo"_s); }

void fill(PasswordWindow &w, const QString &oldText, const QString &newText)
{
    w.oldBox()->setText(oldText);
    w.newBox()->setText(newText);
}

// Opens the window as the menu does; the caller closes or deletes it.
PasswordWindow *open()
{
    auto *w = new PasswordWindow;
    w->setAttribute(Qt::WA_DeleteOnClose);
    openModal(nullptr, w);
    return w;
}

} // namespace

class TestPasswordWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { setModalMode(ModalMode::NonBlocking); }
    void opensOnStepZero();
    void change_data();
    void change();
    void enterMovesThenConfirms();
    void cancelInStepOneWritesNothing_data();
    void cancelInStepOneWritesNothing();
    void refusedWriteKeepsOldPassword_data();
    void refusedWriteKeepsOldPassword();
    void missingRowClosesWithMessage();
};

void TestPasswordWindow::opensOnStepZero()
{
    test::TestDatabase database;
    test::ScriptedMessages::install();
    QPointer<PasswordWindow> w = open();
    QVERIFY(w->isVisible());
    QCOMPARE(w->windowTitle(), u"密码设置"_s);
    QCOMPARE(w->prompt()->text(), u"输入密码："_s);
    QCOMPARE(w->step(), 0);
    QCOMPARE(w->focusWidget(), w->oldBox());
    QCOMPARE(w->oldBox()->echoMode(), QLineEdit::Normal);
    QCOMPARE(w->confirmButton()->text(), u"确认"_s);
    QCOMPARE(w->cancelButton()->text(), u"取消"_s);
    w->close();
}

void TestPasswordWindow::change_data()
{
    // Four boxes' texts: old and new in step 0, old and new in step 1
    // (step 1 is skipped when step 0 fails).
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<bool>("closed");
    QTest::addColumn<QString>("result");
    QTest::newRow("success") << QStringList{u"kelm"_s, u"Neu1"_s, u"kelm"_s, u"Neu1"_s} << QStringList() << QString()
                             << true << u"Neu1"_s;
    QTest::newRow("empty new password") << QStringList{u"kelm"_s, u""_s, u"kelm"_s, u""_s} << QStringList()
                                        << QString() << true << u""_s;
    QTest::newRow("apostrophe and quote are data")
        << QStringList{u"kelm"_s, u"o'k\"%\\"_s, u"kelm"_s, u"o'k\"%\\"_s} << QStringList() << QString() << true
        << u"o'k\"%\\"_s;
    QTest::newRow("chinese") << QStringList{u"kelm"_s, u"卫生局"_s, u"kelm"_s, u"卫生局"_s} << QStringList()
                             << QString() << true << u"卫生局"_s;
    QTest::newRow("wrong old password") << QStringList{u"kelx"_s, u"Neu1"_s} << QStringList{u"原密码输入错误！"_s}
                                        << u"输入密码："_s << false << u"kelm"_s;
    QTest::newRow("old password in other case") << QStringList{u"KELM"_s, u"Neu1"_s}
                                                << QStringList{u"原密码输入错误！"_s} << u"输入密码："_s << false
                                                << u"kelm"_s;
    QTest::newRow("new password differs") << QStringList{u"kelm"_s, u"Neu1"_s, u"kelm"_s, u"neu1"_s}
                                          << QStringList{u"两次密码输入不同，请重新输入。"_s} << u"输入密码"_s
                                          << false << u"kelm"_s;
    QTest::newRow("old password differs in step 1")
        << QStringList{u"kelm"_s, u"Neu1"_s, u"kelmx"_s, u"Neu1"_s}
        << QStringList{u"两次密码输入不同，请重新输入。"_s} << u"输入密码"_s << false << u"kelm"_s;
}

void TestPasswordWindow::change()
{
    QFETCH(QStringList, typed);
    QFETCH(QStringList, messages);
    QFETCH(QString, prompt);
    QFETCH(bool, closed);
    QFETCH(QString, result);
    test::TestDatabase database;
    auto &script = test::ScriptedMessages::install();
    QPointer<PasswordWindow> w = open();

    fill(*w, typed[0], typed[1]);
    w->confirmButton()->click();
    QCOMPARE(w->oldBox()->text(), QString());
    QCOMPARE(w->newBox()->text(), QString());
    QCOMPARE(w->focusWidget(), w->oldBox());
    if (typed.size() > 2) {
        QCOMPARE(w->step(), 1);
        QCOMPARE(w->prompt()->text(), u"确认输入："_s);
        fill(*w, typed[2], typed[3]);
        w->confirmButton()->click();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(w.isNull() || !w->isVisible(), closed);
    if (!closed) {
        QCOMPARE(w->step(), 0);
        QCOMPARE(w->prompt()->text(), prompt);
        QCOMPARE(w->oldBox()->text(), QString());
        QCOMPARE(w->newBox()->text(), QString());
        w->close();
    }
    QStringList shown;
    for (const Message &m : script.shown) {
        shown << m.text;
        QCOMPARE(m.title, QString());
    }
    QCOMPARE(shown, messages);
    QCOMPARE(stored(), result);
    QCOMPARE(db().scalar(u"SELECT abcd IS NULL FROM wslo"_s), u"0"_s);
}

void TestPasswordWindow::enterMovesThenConfirms()
{
    test::TestDatabase database;
    auto &script = test::ScriptedMessages::install();
    QPointer<PasswordWindow> w = open();
    for (int step = 0; step < 2; ++step) {
        QTest::keyClicks(w->oldBox(), u"kelm"_s);
        QTest::keyClick(w->oldBox(), Qt::Key_Return);
        QCOMPARE(w->step(), step);
        QCOMPARE(w->focusWidget(), w->newBox());
        QTest::keyClicks(w->newBox(), u"abc"_s);
        QTest::keyClick(w->newBox(), Qt::Key_Enter);
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(w.isNull() || !w->isVisible());
    QCOMPARE(stored(), u"abc"_s);
    QVERIFY(script.shown.isEmpty());
}

void TestPasswordWindow::cancelInStepOneWritesNothing_data()
{
    QTest::addColumn<bool>("byButton");
    QTest::newRow("取消") << true;
    QTest::newRow("close box") << false;
}

void TestPasswordWindow::cancelInStepOneWritesNothing()
{
    QFETCH(bool, byButton);
    test::TestDatabase database;
    auto &script = test::ScriptedMessages::install();
    QPointer<PasswordWindow> w = open();
    fill(*w, u"kelm"_s, u"neu"_s);
    w->confirmButton()->click();
    QCOMPARE(w->step(), 1);
    fill(*w, u"kelm"_s, u"neu"_s);
    if (byButton)
        w->cancelButton()->click();
    else
        w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(w.isNull());
    QCOMPARE(stored(), u"kelm"_s);
    QVERIFY(script.shown.isEmpty());
}

void TestPasswordWindow::refusedWriteKeepsOldPassword_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::newRow("database refuses the write")
        << u"CREATE TRIGGER refuse BEFORE UPDATE ON wslo BEGIN SELECT RAISE(ABORT, 'refused'); END"_s;
    QTest::newRow("database keeps another text")
        << u"CREATE TRIGGER swap AFTER UPDATE OF abcd ON wslo WHEN NEW.abcd <> 'other' "
           "BEGIN UPDATE wslo SET abcd = 'other'; END"_s;
}

void TestPasswordWindow::refusedWriteKeepsOldPassword()
{
    QFETCH(QString, trigger);
    test::TestDatabase database;
    database.db().exec(trigger);
    auto &script = test::ScriptedMessages::install();
    QPointer<PasswordWindow> w = open();
    for (int step = 0; step < 2; ++step) {
        fill(*w, u"kelm"_s, u"neu"_s);
        w->confirmButton()->click();
    }
    QVERIFY(w && w->isVisible());
    QCOMPARE(script.shown.size(), 1);
    QCOMPARE(script.shown[0].title, u"错误"_s);
    QCOMPARE(script.shown[0].text, u"新密码未能保存，原密码保持不变。"_s);
    QCOMPARE(stored(), u"kelm"_s);
    QCOMPARE(w->step(), 0);
    QCOMPARE(w->prompt()->text(), u"输入密码"_s);
    w->close();
    QVERIFY(!changeStoredPassword(db(), u"neu"_s));
    QCOMPARE(stored(), u"kelm"_s);
}

void TestPasswordWindow::missingRowClosesWithMessage()
{
    test::TestDatabase database;
    database.db().exec(u"DELETE FROM wslo"_s);
    auto &script = test::ScriptedMessages::install();
    QPointer<PasswordWindow> w = open();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(w.isNull() || !w->isVisible());
    QCOMPARE(script.shown.size(), 1);
    QCOMPARE(script.shown[0].title, u"错误"_s);
    QVERIFY(!changeStoredPassword(db(), u"neu"_s));
}

QTEST_MAIN(TestPasswordWindow)
#include "tst_passwordwindow.moc"
