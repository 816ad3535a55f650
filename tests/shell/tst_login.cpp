// Start-up and log-in: the password test, Enter and every way of closing
// the log-in window, and a database that cannot let anyone in. Needs
// widgets for the windows.
#include "data/connection.h"
#include "shell/loginwindow.h"
#include "shell/mainwindow.h"
#include "shell/password.h"
#include "shell/splashwindow.h"
#include "shell/startup.h"
#include "support/otherprogram.h"
#include "support/saveunderway.h"
#include "support/testdb.h"
#include "support/ui/scriptedmessages.h"

#include <QApplication>
#include <QFile>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QtTest>

#include <memory>
#include <optional>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

template <typename T> QList<T *> openWindows()
{
    QList<T *> found;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *t = qobject_cast<T *>(w); t && t->isVisible())
            found.append(t);
    return found;
}

void closeEverything()
{
    auto &script = test::ScriptedMessages::install();
    for (int i = 0; i < 4; ++i)
        script.answer(Answer::Yes);
    for (QWidget *w : QApplication::topLevelWidgets())
        w->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Types text as a keyboard would: Latin by key clicks, anything else as an
// input-method commit.
void type(QLineEdit *box, const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80) {
            QTest::keyClicks(box, QString(c));
        } else {
            QInputMethodEvent commit;
            commit.setCommitString(QString(c));
            QCoreApplication::sendEvent(box, &commit);
        }
    }
}

} // namespace

class TestLogin : public QObject {
    Q_OBJECT
private slots:
    void cleanup() { closeEverything(); }
    void passwordTest_data();
    void passwordTest();
    void enterWithRightPassword_data();
    void enterWithRightPassword();
    void wrongEnterEmptiesBoxAfterMessage();
    void closingTestsThePassword_data();
    void closingTestsThePassword();
    void startShowsPictureAndLogin();
    void rightPasswordOpensMainWindow();
    void wrongCloseEndsWithoutWindows();
    void unusableDatabaseEndsWithMessage_data();
    void unusableDatabaseEndsWithMessage();
    void emptyStoredPasswordLetsEmptyBoxIn();
    void journalOfAnotherFileIsToldOnce();
};

void TestLogin::passwordTest_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("passes");
    QTest::newRow("same text") << u"kelm"_s << u"kelm"_s << true;
    QTest::newRow("typed in capitals") << u"KELM"_s << u"kelm"_s << true;
    QTest::newRow("stored in capitals") << u"kelm"_s << u"KeLm"_s << true;
    QTest::newRow("other text") << u"kelx"_s << u"kelm"_s << false;
    QTest::newRow("trailing blank stored, not typed") << u"kelm"_s << u"kelm "_s << false;
    QTest::newRow("trailing blank stored and typed") << u"kelm "_s << u"kelm "_s << true;
    QTest::newRow("trailing blank typed only") << u"kelm "_s << u"kelm"_s << false;
    QTest::newRow("leading blank is not trimmed") << u" kelm"_s << u"kelm"_s << false;
    QTest::newRow("empty stored, empty typed") << QString() << u""_s << true;
    QTest::newRow("empty stored, text typed") << u"kelm"_s << u""_s << false;
    QTest::newRow("text stored, empty typed") << QString() << u"kelm"_s << false;
    QTest::newRow("chinese") << u"卫生ABC"_s << u"卫生abc"_s << true;
    QTest::newRow("apostrophe is data") << u"o'k"_s << u"O'K"_s << true;
}

void TestLogin::passwordTest()
{
    QFETCH(QString, typed);
    QFETCH(QString, stored);
    QFETCH(bool, passes);
    QCOMPARE(passwordMatches(typed, stored), passes);
}

void TestLogin::enterWithRightPassword_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("typed");
    QTest::newRow("lower case") << u"kelm"_s << u"kelm"_s;
    QTest::newRow("other case") << u"Kelm"_s << u"kELM"_s;
    QTest::newRow("chinese by input method") << u"卫生kelm"_s << u"卫生KELM"_s;
}

void TestLogin::enterWithRightPassword()
{
    QFETCH(QString, stored);
    QFETCH(QString, typed);
    auto &script = test::ScriptedMessages::install();
    LoginWindow login(stored);
    QSignalSpy closed(&login, &LoginWindow::closedWith);
    login.show();
    type(login.passwordBox(), typed);
    QTest::keyClick(login.passwordBox(), Qt::Key_Return);
    QVERIFY(script.shown.isEmpty());
    QVERIFY(!login.isVisible());
    QCOMPARE(closed.size(), 1);
    QCOMPARE(closed[0][0].toBool(), true);
}

void TestLogin::wrongEnterEmptiesBoxAfterMessage()
{
    // The box still holds the typed text while the message is shown.
    class Watching : public MessageService {
    public:
        Answer show(QWidget *, const Message &m) override
        {
            texts.append(m.text);
            titles.append(m.title);
            boxTexts.append(box ? box->text() : QString());
            return Answer::Ok;
        }
        QLineEdit *box = nullptr;
        QStringList texts, titles, boxTexts;
    };
    auto watching = std::make_unique<Watching>();
    Watching &w = *watching;
    setMessageService(std::move(watching));

    LoginWindow login(u"kelm"_s);
    QSignalSpy closed(&login, &LoginWindow::closedWith);
    login.show();
    w.box = login.passwordBox();
    QTest::keyClicks(login.passwordBox(), u"wrong"_s);
    QTest::keyClick(login.passwordBox(), Qt::Key_Return);
    QCOMPARE(w.texts, QStringList{u"密码错误！"_s});
    QCOMPARE(w.titles, QStringList{QString()});
    QCOMPARE(w.boxTexts, QStringList{u"wrong"_s});
    QCOMPARE(login.passwordBox()->text(), QString());
    QVERIFY(login.isVisible());
    QCOMPARE(closed.size(), 0);

    QTest::keyClicks(login.passwordBox(), u"kelm"_s);
    QTest::keyClick(login.passwordBox(), Qt::Key_Return);
    QCOMPARE(w.texts.size(), 1);
    QCOMPARE(closed.size(), 1);
    QCOMPARE(closed[0][0].toBool(), true);
    setMessageService(nullptr);
}

void TestLogin::closingTestsThePassword_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("byEsc");
    QTest::addColumn<bool>("admitted");
    QTest::newRow("close box, right text") << u"KELM"_s << false << true;
    QTest::newRow("close box, wrong text") << u"kel"_s << false << false;
    QTest::newRow("close box, empty box") << QString() << false << false;
    QTest::newRow("Esc, right text") << u"kelm"_s << true << true;
    QTest::newRow("Esc, wrong text") << u"x"_s << true << false;
}

void TestLogin::closingTestsThePassword()
{
    QFETCH(QString, typed);
    QFETCH(bool, byEsc);
    QFETCH(bool, admitted);
    auto &script = test::ScriptedMessages::install();
    LoginWindow login(u"kelm"_s);
    QSignalSpy closed(&login, &LoginWindow::closedWith);
    login.show();
    QTest::keyClicks(login.passwordBox(), typed);
    if (byEsc)
        QTest::keyClick(login.passwordBox(), Qt::Key_Escape);
    else
        login.close();
    QVERIFY(!login.isVisible());
    QCOMPARE(closed.size(), 1);
    QCOMPARE(closed[0][0].toBool(), admitted);
    QVERIFY(script.shown.isEmpty());
}

void TestLogin::startShowsPictureAndLogin()
{
    test::TestDatabase database;
    test::ScriptedMessages::install();
    QVERIFY(startSession());
    QCOMPARE(openWindows<SplashWindow>().size(), 1);
    const QList<LoginWindow *> logins = openWindows<LoginWindow>();
    QCOMPARE(logins.size(), 1);
    QCOMPARE(logins[0]->windowTitle(), u"输入密码"_s);
    QCOMPARE(logins[0]->passwordBox()->echoMode(), QLineEdit::Password);
    QVERIFY(openWindows<MainWindow>().isEmpty());
}

void TestLogin::rightPasswordOpensMainWindow()
{
    test::TestDatabase database;
    auto &script = test::ScriptedMessages::install();
    QVERIFY(startSession());
    LoginWindow *login = openWindows<LoginWindow>().value(0);
    QVERIFY(login);
    QTest::keyClicks(login->passwordBox(), u"kelm"_s);
    QTest::keyClick(login->passwordBox(), Qt::Key_Return);
    QVERIFY(openWindows<LoginWindow>().isEmpty());
    QVERIFY(openWindows<SplashWindow>().isEmpty());
    const QList<MainWindow *> mains = openWindows<MainWindow>();
    QCOMPARE(mains.size(), 1);
    QCOMPARE(mains[0]->windowTitle(), u"Kelm"_s);
    QVERIFY(script.shown.isEmpty());
}

void TestLogin::wrongCloseEndsWithoutWindows()
{
    test::TestDatabase database;
    auto &script = test::ScriptedMessages::install();
    QVERIFY(startSession());
    LoginWindow *login = openWindows<LoginWindow>().value(0);
    QVERIFY(login);
    QTest::keyClicks(login->passwordBox(), u"nein"_s);
    login->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    QVERIFY(script.shown.isEmpty());
}

void TestLogin::unusableDatabaseEndsWithMessage_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("message"); // what the message begins with; %1 the file
    QTest::newRow("missing file") << u"remove"_s << u"找不到数据库文件 %1。"_s;
    QTest::newRow("not a database") << u"text"_s << u"文件 %1 不是本程序的数据库。"_s;
    QTest::newRow("damaged") << u"damaged"_s << u"数据库文件 %1 已损坏。"_s;
    QTest::newRow("held by another program") << u"held"_s << u"数据库文件 %1 正被其他程序使用，请稍后再试。"_s;
    QTest::newRow("wslo without a row") << u"DELETE FROM wslo"_s << u"数据库中没有登录密码的记录"_s;
    QTest::newRow("password is NULL") << u"UPDATE wslo SET abcd = NULL"_s << u"数据库中的登录密码已丢失"_s;
}

// Each reason is told apart: a file that another program holds in a write
// transaction is "in use, try again", never "damaged", so nobody restores
// an old backup over good data.
void TestLogin::unusableDatabaseEndsWithMessage()
{
    QFETCH(QString, damage);
    QFETCH(QString, message);
    test::TestDatabase database;
    std::optional<test::OtherProgram> holder;
    if (damage == u"remove"_s) {
        closeDatabase();
        QVERIFY(QFile::remove(database.path()));
    } else if (damage == u"text"_s) {
        closeDatabase();
        QFile file(database.path());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray("just some text, and more of it than a database header\n").repeated(4));
    } else if (damage == u"damaged"_s) {
        closeDatabase();
        test::damageTable(database.path(), u"wslo"_s);
    } else if (damage == u"held"_s) {
        closeDatabase();
        holder.emplace(database.path(), test::OtherProgram::Hold::Exclusive);
        QVERIFY(holder->holding());
    } else {
        database.db().exec(damage);
        closeDatabase();
    }
    auto &script = test::ScriptedMessages::install();
    QVERIFY(!startSession());
    QCOMPARE(script.shown.size(), 1);
    QCOMPARE(script.shown[0].title, u"错误"_s);
    QVERIFY2(script.shown[0].text.startsWith(QString(message).replace(u"%1"_s, database.path())),
             qPrintable(script.shown[0].text));
    QVERIFY(script.shown[0].text.endsWith(u"程序将退出。"_s));
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY(!w->isVisible());
}

void TestLogin::emptyStoredPasswordLetsEmptyBoxIn()
{
    test::TestDatabase database;
    database.db().exec(u"UPDATE wslo SET abcd = ''"_s);
    auto &script = test::ScriptedMessages::install();
    QVERIFY(startSession());
    LoginWindow *login = openWindows<LoginWindow>().value(0);
    QVERIFY(login);
    QTest::keyClick(login->passwordBox(), Qt::Key_Return);
    QCOMPARE(openWindows<MainWindow>().size(), 1);
    QVERIFY(script.shown.isEmpty());
}

// A file copied over kelm.mdb after a crash inside a save: the crash's
// journal is set aside, the start says once where it went, and the log-in
// follows.
void TestLogin::journalOfAnotherFileIsToldOnce()
{
    test::TestDatabase database;
    database.db().insertRow(u"xzcf"_s, {u"dabh"_s}, {u"20020001"_s});
    closeDatabase();
    test::crashInsideSave(database.path(), test::SaveUnderWay::Kind::Spilled);
    QVERIFY(QFile::remove(database.path()));
    QVERIFY(QFile::copy(test::preparedTemplate(), database.path()));
    QVERIFY(QFile::setPermissions(database.path(), QFile::ReadOwner | QFile::WriteOwner));

    auto &script = test::ScriptedMessages::install();
    QVERIFY(startSession());
    QCOMPARE(script.shown.size(), 1);
    QCOMPARE(script.shown[0].title, u"提示"_s);
    QVERIFY2(script.shown[0].text.contains(database.path() + u"-journal.孤立."_s), qPrintable(script.shown[0].text));
    QCOMPARE(openWindows<LoginWindow>().size(), 1);
}

QTEST_MAIN(TestLogin)
#include "tst_login.moc"
