// Backup and restore from the menu: the dialogs and questions, the byte
// copy, and that the live file is replaced only by a sound backup. The
// menu steps need widgets for their parent window.
#include "data/connection.h"
#include "data/prepare.h"
#include "shell/backup.h"
#include "shell/backupmenu.h"
#include "shell/mainwindow.h"
#include "support/scripteddialogs.h"
#include "support/scriptedmessages.h"
#include "support/testdb.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void write(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(f.write(bytes), bytes.size());
}

QString marker() { return db().select(u"SELECT * FROM wslo"_s).values.at(0).at(1); }

} // namespace

class TestBackup : public QObject {
    Q_OBJECT
private slots:
    void backupIsByteIdentical();
    void backupProposesLastName();
    void backupAsksBeforeOverwriting_data();
    void backupAsksBeforeOverwriting();
    void backupNeverOntoLiveFile();
    void backupReplacesTargetWhole();
    void restoreGoodBackup();
    void restoreRefused_data();
    void restoreRefused();
    void restoreCancelled_data();
    void restoreCancelled();
    void backupThenRestoreFromMenu();
};

void TestBackup::backupIsByteIdentical()
{
    test::TestDatabase database;
    database.db().exec(u"UPDATE wslo SET abcd = ?"_s, {u"备份前"_s});
    QTemporaryDir dir;
    const QString target = dir.path() + u"/bc_kelm"_s;
    QVERIFY(backupDatabase(db(), target));
    QCOMPARE(contents(target), contents(database.path()));
    // The lock is released: the program writes on afterwards.
    database.db().exec(u"UPDATE wslo SET abcd = 'x'"_s);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"bc_kelm"_s});
}

void TestBackup::backupProposesLastName()
{
    test::TestDatabase database;
    auto &messages = test::ScriptedMessages::install();
    auto &dialogs = test::ScriptedFileDialogs::install();
    QTemporaryDir dir;
    const QString first = dir.path() + u"/eins.bak"_s;
    const QString second = dir.path() + u"/zwei.bak"_s;
    dialogs.choose(first);
    dialogs.choose(second);
    dialogs.choose(QString());
    MainWindow main;
    QCOMPARE(main.proposedFileName(), u"bc_kelm"_s);
    for (int i = 0; i < 2; ++i)
        main.findChild<QAction *>(u"bf"_s)->trigger();
    messages.answer(Answer::Ok);
    main.findChild<QAction *>(u"hf"_s)->trigger();
    QCOMPARE(dialogs.shown.size(), 3);
    QCOMPARE(dialogs.shown[0].proposed, u"bc_kelm"_s);
    QCOMPARE(dialogs.shown[1].proposed, first);
    QCOMPARE(dialogs.shown[2].proposed, second);
    QVERIFY(dialogs.shown[0].save);
    QVERIFY(!dialogs.shown[2].save);
    for (const auto &d : dialogs.shown)
        QCOMPARE(d.title, u"选择备份文件"_s);
    QCOMPARE(messages.shown.size(), 3);
    QCOMPARE(messages.shown[0].text, u"数据备份完成。"_s);
    QCOMPARE(messages.shown[0].title, u"提示"_s);
    QCOMPARE(contents(first), contents(database.path()));
    QCOMPARE(contents(second), contents(database.path()));
}

void TestBackup::backupAsksBeforeOverwriting_data()
{
    QTest::addColumn<bool>("thenReplace");
    QTest::newRow("declined, then replaced") << true;
    QTest::newRow("declined, then dialog cancelled") << false;
}

void TestBackup::backupAsksBeforeOverwriting()
{
    QFETCH(bool, thenReplace);
    test::TestDatabase database;
    auto &messages = test::ScriptedMessages::install();
    auto &dialogs = test::ScriptedFileDialogs::install();
    QTemporaryDir dir;
    const QString existing = dir.path() + u"/alt.bak"_s;
    write(existing, "old backup");
    // Declining returns to the dialog.
    dialogs.choose(existing);
    messages.answer(Answer::No);
    dialogs.choose(thenReplace ? existing : QString());
    if (thenReplace) {
        messages.answer(Answer::Yes);
        messages.answer(Answer::Ok);
    }
    QString name = u"bc_kelm"_s;
    backUpFromMenu(nullptr, name);
    QCOMPARE(dialogs.shown.size(), 2);
    QCOMPARE(dialogs.shown[1].proposed, existing);
    QVERIFY(messages.shown[0].text.contains(u"已存在"_s));
    QCOMPARE(messages.shown[0].buttons, Buttons::YesNo);
    if (thenReplace) {
        QCOMPARE(messages.shown.size(), 3);
        QCOMPARE(messages.shown[2].text, u"数据备份完成。"_s);
        QCOMPARE(contents(existing), contents(database.path()));
        QCOMPARE(name, existing);
    } else {
        QCOMPARE(messages.shown.size(), 1);
        QCOMPARE(contents(existing), QByteArray("old backup"));
        QCOMPARE(name, u"bc_kelm"_s);
    }
    QCOMPARE(messages.unexpected, 0);
}

void TestBackup::backupNeverOntoLiveFile()
{
    test::TestDatabase database;
    auto &messages = test::ScriptedMessages::install();
    auto &dialogs = test::ScriptedFileDialogs::install();
    const QByteArray before = contents(database.path());
    // The same file by another spelling of its path.
    const QString sameFile = database.dir() + u"/./kelm.mdb"_s;
    dialogs.choose(sameFile);
    messages.answer(Answer::Yes);
    QString name = u"bc_kelm"_s;
    backUpFromMenu(nullptr, name);
    QCOMPARE(contents(database.path()), before);
    // The overwrite question only: a failed backup stays silent.
    QCOMPARE(messages.shown.size(), 1);
    QVERIFY(!backupDatabase(db(), database.path()));
    QCOMPARE(marker(), backupMarker);
}

void TestBackup::backupReplacesTargetWhole()
{
    test::TestDatabase database;
    QTemporaryDir dir;
    const QString target = dir.path() + u"/old.bak"_s;
    write(target, QByteArray(3 * 1024 * 1024, 'x'));
    QVERIFY(backupDatabase(db(), target));
    QCOMPARE(contents(target), contents(database.path()));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{u"old.bak"_s});
    // A folder that cannot take the file leaves nothing behind.
    QVERIFY(!backupDatabase(db(), dir.path() + u"/missing/folder/bc_kelm"_s));
}

void TestBackup::restoreGoodBackup()
{
    test::TestDatabase database;
    QTemporaryDir dir;
    const QString backup = dir.path() + u"/bc_kelm"_s;
    database.db().exec(u"UPDATE wslo SET abcd = 'gesichert'"_s);
    QVERIFY(backupDatabase(db(), backup));
    database.db().exec(u"UPDATE wslo SET abcd = 'danach'"_s);

    QCOMPARE(restoreDatabase(backup), RestoreOutcome::Restored);
    QCOMPARE(contents(database.path()), contents(backup));
    // The connection is open again on the restored file.
    QCOMPARE(db().scalar(u"SELECT abcd FROM wslo"_s), u"gesichert"_s);
    QCOMPARE(QDir(database.dir()).entryList(QDir::Files), QStringList{u"kelm.mdb"_s});
}

void TestBackup::restoreRefused_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    const QString notABackup = u"该文件不是正确的备份文件或文件已损坏！"_s;
    const QString unknown = u"未知错误，不能进行数据恢复！"_s;
    QTest::newRow("wrong marker Vorozi") << u"marker Vorozi"_s << notABackup;
    QTest::newRow("empty marker") << u"marker "_s << notABackup;
    QTest::newRow("text file") << u"text"_s << notABackup;
    QTest::newRow("empty file") << u"empty"_s << notABackup;
    QTest::newRow("truncated database") << u"truncated"_s << notABackup;
    QTest::newRow("other schema") << u"schema"_s << notABackup;
    QTest::newRow("wslo without a row") << u"no row"_s << unknown;
    QTest::newRow("file does not exist") << u"missing"_s << notABackup;
    QTest::newRow("the live file itself") << u"live"_s << unknown;
}

void TestBackup::restoreRefused()
{
    QFETCH(QString, kind);
    QFETCH(QString, message);
    test::TestDatabase database;
    database.db().exec(u"UPDATE wslo SET abcd = 'lebend'"_s);
    const QByteArray live = contents(database.path());
    QTemporaryDir dir;
    QString source = dir.path() + u"/bc_kelm"_s;
    QFile::copy(test::preparedTemplate(), source);
    QFile(source).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
    auto change = [&](const QString &sql) {
        Database other(source);
        other.exec(sql);
    };
    if (kind.startsWith(u"marker "_s)) {
        change(u"UPDATE wslo SET bz = '%1'"_s.arg(kind.mid(7)));
    } else if (kind == u"text"_s) {
        write(source, "Dies ist keine Datenbank.\n");
    } else if (kind == u"empty"_s) {
        write(source, {});
    } else if (kind == u"truncated"_s) {
        const QByteArray whole = contents(source);
        write(source, whole.left(whole.size() / 2));
    } else if (kind == u"schema"_s) {
        change(u"DROP TABLE jktj"_s);
    } else if (kind == u"no row"_s) {
        change(u"DELETE FROM wslo"_s);
    } else if (kind == u"missing"_s) {
        source = dir.path() + u"/nicht_da"_s;
    } else if (kind == u"live"_s) {
        source = database.path();
    }
    const QByteArray offered = contents(source);

    auto &messages = test::ScriptedMessages::install();
    auto &dialogs = test::ScriptedFileDialogs::install();
    messages.answer(Answer::Ok);
    dialogs.choose(source);
    QString name = u"bc_kelm"_s;
    restoreFromMenu(nullptr, name);
    QCOMPARE(messages.shown.size(), 2);
    QCOMPARE(messages.shown[1].text, message);
    QCOMPARE(messages.shown[1].title, u"错误"_s);
    QCOMPARE(contents(database.path()), live);
    QCOMPARE(contents(source), offered);
    QCOMPARE(db().scalar(u"SELECT abcd FROM wslo"_s), u"lebend"_s);
    QCOMPARE(QFileInfo::exists(source), kind != u"missing"_s);
    QCOMPARE(QDir(database.dir()).entryList(QDir::Files), QStringList{u"kelm.mdb"_s});
}

void TestBackup::restoreCancelled_data()
{
    QTest::addColumn<bool>("atQuestion");
    QTest::newRow("取消 in the warning") << true;
    QTest::newRow("cancel in the dialog") << false;
}

void TestBackup::restoreCancelled()
{
    QFETCH(bool, atQuestion);
    test::TestDatabase database;
    const QByteArray live = contents(database.path());
    auto &messages = test::ScriptedMessages::install();
    auto &dialogs = test::ScriptedFileDialogs::install();
    messages.answer(atQuestion ? Answer::Cancel : Answer::Ok);
    dialogs.choose(QString());
    QString name = u"bc_kelm"_s;
    restoreFromMenu(nullptr, name);
    QCOMPARE(messages.shown.size(), 1);
    const Message &warning = messages.shown[0];
    QCOMPARE(warning.text, u"恢复数据将用备份数据替换当前数据，现有数据将丢失，确认恢复数据吗？"_s);
    QCOMPARE(warning.title, u"警告"_s);
    QCOMPARE(warning.buttons, Buttons::OkCancel);
    QCOMPARE(warning.icon, Icon::Question);
    QCOMPARE(dialogs.shown.size(), atQuestion ? 0 : 1);
    QCOMPARE(contents(database.path()), live);
    QCOMPARE(name, u"bc_kelm"_s);
}

void TestBackup::backupThenRestoreFromMenu()
{
    test::TestDatabase database;
    auto &messages = test::ScriptedMessages::install();
    auto &dialogs = test::ScriptedFileDialogs::install();
    QTemporaryDir dir;
    const QString backup = dir.path() + u"/bc_kelm"_s;
    dialogs.choose(backup);
    dialogs.choose(backup);
    messages.answer(Answer::Ok);
    messages.answer(Answer::Ok);
    messages.answer(Answer::Ok);
    MainWindow main;
    main.findChild<QAction *>(u"bf"_s)->trigger();
    db().exec(u"UPDATE wslo SET abcd = 'neu'"_s);
    main.findChild<QAction *>(u"hf"_s)->trigger();
    QStringList texts;
    for (const Message &m : messages.shown)
        texts << m.text;
    QCOMPARE(texts, (QStringList{u"数据备份完成。"_s,
                                 u"恢复数据将用备份数据替换当前数据，现有数据将丢失，确认恢复数据吗？"_s,
                                 u"数据恢复完成。"_s}));
    QCOMPARE(messages.shown[2].title, u"提示"_s);
    QCOMPARE(db().scalar(u"SELECT abcd FROM wslo"_s), initialPassword);
    QCOMPARE(messages.unexpected, 0);
}

QTEST_MAIN(TestBackup)
#include "tst_backup.moc"
