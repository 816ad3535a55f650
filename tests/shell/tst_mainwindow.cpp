// The main window: title banner arithmetic and layout, the menu bar's
// captions, the exit question, the windows its items open and the pointer
// around the registers. Needs widgets.
#include "platform/busypointer.h"
#include "platform/modal.h"
#include "platform/spokenlabel.h"
#include "shell/aboutbox.h"
#include "shell/helpwindow.h"
#include "shell/mainwindow.h"
#include "shell/menucaptionstyle.h"
#include "shell/passwordwindow.h"
#include "shell/titlebanner.h"
#include "support/testdb.h"
#include "support/ui/scriptedmessages.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTextBrowser>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

QAction *menuItem(MainWindow &main, const QString &name)
{
    return main.findChild<QAction *>(name);
}

// The work window the last menu item opened.
FormWindow *openWorkWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *f = qobject_cast<FormWindow *>(w); f && f->isVisible())
            return f;
    return nullptr;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void init() { setModalMode(ModalMode::NonBlocking); }
    void cleanup() { showDefaultPointer(); }
    void titlePlacement_data();
    void titlePlacement();
    void bannerFollowsTheFrame_data();
    void bannerFollowsTheFrame();
    void menuCaptions_data();
    void menuCaptions();
    void noShortcutsAndAllEnabled();
    void exitAsksEveryTime_data();
    void exitAsksEveryTime();
    void registerItems_data();
    void registerItems();
    void passwordAndAboutLeavePointer_data();
    void passwordAndAboutLeavePointer();
    void helpShowsTheProgramsPage();
};

void TestMainWindow::titlePlacement_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("title");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("top");
    QTest::newRow("even, whole") << 12000 << 7400 << 4000 << 4000 << 2590;
    QTest::newRow("left half rounds down to even") << 12001 << 7400 << 4000 << 4000 << 2590;
    QTest::newRow("left half rounds up to even") << 12003 << 7400 << 4000 << 4002 << 2590;
    QTest::newRow("top half rounds down to even") << 12000 << 30 << 4000 << 4000 << 10;
    QTest::newRow("top half rounds up to even") << 12000 << 50 << 4000 << 4000 << 18;
    QTest::newRow("top below half") << 12000 << 7301 << 4000 << 4000 << 2555;
    QTest::newRow("top above half") << 12000 << 7303 << 4000 << 4000 << 2556;
    QTest::newRow("frame narrower than title") << 3001 << 600 << 4000 << -500 << 210;
    QTest::newRow("narrower, half to even below zero") << 2997 << 600 << 4000 << -502 << 210;
    QTest::newRow("minimised to nothing") << 0 << 0 << 4000 << -2000 << 0;
    QTest::newRow("beyond 16 bits") << 70000 << 100000 << 4000 << 33000 << 35000;
}

void TestMainWindow::titlePlacement()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, title);
    QFETCH(int, left);
    QFETCH(int, top);
    const TitlePlacement at = placeTitle(width, height, title);
    QCOMPARE(at.left, left);
    QCOMPARE(at.top, top);
    QCOMPARE(at.width, title);
}

void TestMainWindow::bannerFollowsTheFrame_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("design size") << QSize(792, 510);
    QTest::newRow("large") << QSize(1240, 980);
    QTest::newRow("narrower than the title") << QSize(120, 140);
}

void TestMainWindow::bannerFollowsTheFrame()
{
    QFETCH(QSize, size);
    MainWindow main;
    main.show();
    main.resize(size);
    QCoreApplication::processEvents();
    TitleBanner *banner = main.banner();
    QWidget *picture = banner->pictureBox();
    QCOMPARE(picture->width(), main.frameGeometry().width());
    QCOMPARE(picture->height(), banner->height());
    QCOMPARE(banner->photograph()->geometry(), picture->rect());
    QLabel *title = banner->title();
    QCOMPARE(title->text(), u"Kelm2002"_s);
    QCOMPARE(title->height(), 48);
    // Centred across the picture box, within a pixel of rounding.
    QVERIFY(qAbs(2 * title->x() + title->width() - picture->width()) <= 2);
    QVERIFY(qAbs(title->y() - picture->height() * 35 / 100) <= 1);
}

void TestMainWindow::menuCaptions_data()
{
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("系统") << 0 << u"xt"_s << u"  系统  "_s
                          << QStringList{u"bf 数据备份"_s, u"hf 数据恢复"_s, u"fhjh -"_s, u"mmsz 密码设置"_s,
                                         u"gxfgdhf -"_s, u"tc 退    出"_s};
    QTest::newRow("卫生许可证管理") << 1 << u"wsxkz"_s << u"卫生许可证管理"_s
                                    << QStringList{u"xkzff 卫生许可证发放管理"_s, u"xkzns 卫生许可证年审管理"_s};
    QTest::newRow("健康体检") << 2 << u"tjb"_s << u"健康体检及卫生知识培训管理"_s << QStringList();
    QTest::newRow("行政处罚") << 3 << u"xzxf"_s << u"卫生行政处罚管理"_s << QStringList();
    QTest::newRow("帮助") << 4 << u"qt"_s << u"帮助"_s
                          << QStringList{u"bz 帮    助"_s, u"krjg -"_s, u"bq 版权信息"_s};
}

void TestMainWindow::menuCaptions()
{
    QFETCH(int, position);
    QFETCH(QString, name);
    QFETCH(QString, caption);
    QFETCH(QStringList, items);
    MainWindow main;
    main.show();
    QMenuBar *bar = main.menuBar();
    const auto *style = qobject_cast<const MenuCaptionStyle *>(bar->style());
    QVERIFY(style);
    const QList<QAction *> top = bar->actions();
    QCOMPARE(top.size(), 5);
    QAction *entry = top[position];
    // Drawn as the caption, its blanks taking their room; read as its words.
    QCOMPARE(style->captionOf(entry), caption);
    QVERIFY(bar->actionGeometry(entry).width() > bar->fontMetrics().horizontalAdvance(caption));
    QCOMPARE(entry->text(), spokenLabel(caption));
    QStringList found;
    if (QMenu *menu = entry->menu()) {
        QCOMPARE(menu->objectName(), name);
        QCOMPARE(menu->style(), style);
        for (QAction *a : menu->actions())
            found << a->objectName() + u' ' + (a->isSeparator() ? u"-"_s : style->captionOf(a));
    } else {
        QCOMPARE(entry->objectName(), name);
    }
    QCOMPARE(found, items);
}

void TestMainWindow::noShortcutsAndAllEnabled()
{
    MainWindow main;
    for (QAction *a : main.findChildren<QAction *>()) {
        QVERIFY(a->isEnabled());
        QVERIFY(a->shortcut().isEmpty());
        QVERIFY(!a->isCheckable());
        QVERIFY(!a->text().contains(u'&'));
    }
}

void TestMainWindow::exitAsksEveryTime_data()
{
    QTest::addColumn<bool>("byMenu");
    QTest::newRow("退出 item") << true;
    QTest::newRow("close box") << false;
}

void TestMainWindow::exitAsksEveryTime()
{
    QFETCH(bool, byMenu);
    auto &script = test::ScriptedMessages::install();
    MainWindow main;
    main.show();
    auto exit = [&] {
        if (byMenu)
            menuItem(main, u"tc"_s)->trigger();
        else
            main.close();
    };
    script.answer(Answer::No);
    exit();
    QVERIFY(main.isVisible());
    script.answer(Answer::No);
    exit();
    QVERIFY(main.isVisible());
    script.answer(Answer::Yes);
    exit();
    QVERIFY(!main.isVisible());
    QCOMPARE(script.shown.size(), 3);
    for (const Message &m : script.shown) {
        QCOMPARE(m.text, u"确认退出吗？"_s);
        QCOMPARE(m.title, u"提示"_s);
        QCOMPARE(m.buttons, Buttons::YesNo);
    }
    QCOMPARE(script.unexpected, 0);
}

void TestMainWindow::registerItems_data()
{
    QTest::addColumn<QString>("item");
    QTest::newRow("卫生许可证发放管理") << u"xkzff"_s;
    QTest::newRow("卫生许可证年审管理") << u"xkzns"_s;
    QTest::newRow("健康体检及卫生知识培训管理") << u"tjb"_s;
    QTest::newRow("卫生行政处罚管理") << u"xzxf"_s;
}

void TestMainWindow::registerItems()
{
    QFETCH(QString, item);
    test::TestDatabase database;
    test::ScriptedMessages::install();
    MainWindow main;
    main.show();
    menuItem(main, item)->trigger();
    FormWindow *work = openWorkWindow();
    QVERIFY(work);
    QCOMPARE(work->windowModality(), Qt::ApplicationModal);
    // A window the register opened in turn may leave an hourglass behind;
    // the menu item ends it when the register closes.
    showHourglass();
    work->close();
    QVERIFY(!hourglassShown());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!openWorkWindow());
}

void TestMainWindow::passwordAndAboutLeavePointer_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("caption");
    QTest::newRow("密码设置") << u"mmsz"_s << u"密码设置"_s;
    QTest::newRow("版权信息") << u"bq"_s << u"版权信息"_s;
}

void TestMainWindow::passwordAndAboutLeavePointer()
{
    QFETCH(QString, item);
    QFETCH(QString, caption);
    test::TestDatabase database;
    auto &script = test::ScriptedMessages::install();
    MainWindow main;
    main.show();
    for (const bool busy : {false, true}) {
        if (busy)
            showHourglass();
        menuItem(main, item)->trigger();
        FormWindow *work = openWorkWindow();
        QVERIFY(work);
        QCOMPARE(work->windowTitle(), caption);
        QCOMPARE(work->windowModality(), Qt::ApplicationModal);
        QCOMPARE(hourglassShown(), busy);
        work->close();
        QCOMPARE(hourglassShown(), busy);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QVERIFY(script.shown.isEmpty());
}

void TestMainWindow::helpShowsTheProgramsPage()
{
    MainWindow main;
    main.show();
    menuItem(main, u"bz"_s)->trigger();
    HelpWindow *help = main.helpWindow();
    QVERIFY(help);
    QVERIFY(help->isVisible());
    // The test program's folder has no help page: the window says so.
    const QString page = QCoreApplication::applicationDirPath() + u"/help/help.htm"_s;
    QVERIFY(help->browser()->toPlainText().contains(u"找不到帮助文件"_s));
    QVERIFY(help->browser()->toPlainText().contains(QDir::toNativeSeparators(page)));

    // With the page there, it is shown; a second click shows it again in
    // the same window.
    QVERIFY(QDir().mkpath(QFileInfo(page).path()));
    QFile file(page);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(u"<html><head><meta charset=\"utf-8\"></head><body><h1>使用帮助</h1></body></html>"_s.toUtf8());
    file.close();
    menuItem(main, u"bz"_s)->trigger();
    QCOMPARE(main.helpWindow(), help);
    QCOMPARE(help->browser()->source(), QUrl::fromLocalFile(page));
    QVERIFY(help->browser()->toPlainText().contains(u"使用帮助"_s));
    QFile::remove(page);
    QDir().rmdir(QFileInfo(page).path());
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
