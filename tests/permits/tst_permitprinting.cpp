// The print buttons of the permit register and the print windows: the
// preparation's lines, the previews over their pictures, the values emptied
// on close, printing a sheet through the default printer, and every way a
// print can fail. Needs widgets: the windows are driven through their
// buttons.
#include "data/appvalues.h"
#include "permitfixture.h"
#include "permits/printing/permitprinting.h"
#include "permits/printing/previewwindow.h"
#include "platform/busypointer.h"
#include "platform/modal.h"
#include "support/testdb.h"
#include "support/ui/recordingprinter.h"
#include "support/ui/scriptedmessages.h"

#include <QDir>
#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::test;

namespace {

const QString certificateCaption = u"卫生许可证打印预演"_s;
const QString copyCaption = u"卫生许可证副本打印预演"_s;
const QString longName = u"Quessa区人民路一百二十三号食品有限责任公司第一分店附属餐厅及其小卖部与仓库"_s;

void addFixturePermit(Database &db, const QString &model, const QString &unitName = u"人民路食品店"_s)
{
    addPermit(db, u"20020015"_s,
              {{u"xh"_s, model}, {u"lb"_s, u"食证"_s}, {u"dwmc"_s, unitName}, {u"dwdz"_s, u"人民路12号"_s},
               {u"fzr"_s, u"张三"_s}, {u"jjxz"_s, u"个体"_s}, {u"xkxm"_s, u"餐饮"_s},
               {u"fzrq"_s, u"2002-12-25"_s}, {u"yxqx"_s, u"2006-12-24"_s}});
}

PermitPreviewWindow *previewWindow(const QString &caption)
{
    return qobject_cast<PermitPreviewWindow *>(openWindow(caption));
}

QPushButton *button(QWidget *w, const QString &name) { return w->findChild<QPushButton *>(name); }

// The three certificate models as test rows.
void certificateModels()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<int>("form");
    QTest::newRow("model 1") << u"NO.Y.05-1"_s << int(PermitForm::Model1);
    QTest::newRow("model 2") << u"NO.Y.05-2"_s << int(PermitForm::Model2);
    QTest::newRow("model 3") << u"NO.Y.05-3"_s << int(PermitForm::Model3);
}

QStringList surfaceTexts(PermitPreviewWindow *w)
{
    QStringList out;
    for (const report::PageItem &i : w->surface()->texts().items)
        out << i.text;
    return out;
}

} // namespace

class TestPermitPrinting : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void certificatePreparation_data();
    void certificatePreparation();
    void closingEmptiesTheCertificateLines();
    void secondActivationDrawsTheSame();
    void unknownModel();
    void printingACertificate_data();
    void printingACertificate();
    void copyPreparationAndPreview();
    void printingTheCopy();
    void positionWithAUnitPrints();
    void failingPrinter();
    void layoutThatCannotPrint_data();
    void layoutThatCannotPrint();
    void layoutBrokenWhileTheWindowIsOpen();
    void missingPicture();

private:
    ScriptedMessages *m_script = nullptr;
    RecordingPrinter *m_printer = nullptr;
    QString m_pictures;
};

// The previews find their pictures in the program folder, here the test's.
void TestPermitPrinting::initTestCase()
{
    m_pictures = QCoreApplication::applicationDirPath() + u"/picture"_s;
    QDir().mkpath(m_pictures);
    const QString assets = QStringLiteral(KELM_TEST_DATA) + u"/../../assets/picture/"_s;
    for (const QString &f : {u"z1.jpg"_s, u"z2.jpg"_s, u"z3.jpg"_s, u"fb.jpg"_s}) {
        QFile::remove(m_pictures + u'/' + f);
        QVERIFY(QFile::copy(assets + f, m_pictures + u'/' + f));
    }
}

void TestPermitPrinting::cleanupTestCase() { QDir(m_pictures).removeRecursively(); }

void TestPermitPrinting::init()
{
    setModalMode(ModalMode::NonBlocking);
    m_script = &ScriptedMessages::install();
    m_printer = &RecordingPrinter::install();
}

void TestPermitPrinting::certificatePreparation_data() { certificateModels(); }

// 打印正本 cuts the long texts into the model's six lines (the 18 others
// stay empty), opens frm_dyyy, whose activation ends the hourglass and
// draws the model's picture with the lines.
void TestPermitPrinting::certificatePreparation()
{
    QFETCH(QString, model);
    QFETCH(int, form);
    TestDatabase tdb;
    addFixturePermit(tdb.db(), model, longName + longName);
    PermitRegister r;
    r.click(5);
    QCOMPARE(m_script->shown.size(), 0);
    PermitPreviewWindow *w = previewWindow(certificateCaption);
    QVERIFY(w);
    QCOMPARE(w->objectName(), u"frm_dyyy"_s);
    QCOMPARE(w->size(), QSize(490, 395));
    QCOMPARE(w->surface()->geometry(), QRect(0, 0, 489, 345));
    QCOMPARE(button(w, u"Command1"_s)->text(), u"打印"_s);
    QCOMPARE(button(w, u"Command2"_s)->text(), u"取消"_s);
    QVERIFY(!hourglassShown());

    const PermitForm f = PermitForm(form);
    const FormLines lines = linesOf(r.w->printLines(), f);
    const FormLines expected = prepareLines(f, r.w->shownPermit(), readPrintLayout(tdb.db(), f));
    QCOMPARE(lines.unit1, expected.unit1);
    QCOMPARE(lines.unit2, expected.unit2);
    QVERIFY(!lines.unit2.isEmpty());
    QCOMPARE(lines.unit1 + lines.unit2, longName + longName);
    QCOMPARE(lines.address1, u"人民路12号"_s);
    QCOMPARE(lines.address2, QString());
    QCOMPARE(lines.items1, u"餐饮※"_s);
    for (PermitForm other : {PermitForm::Model1, PermitForm::Model2, PermitForm::Model3, PermitForm::Copy})
        if (other != f)
            QCOMPARE(linesOf(r.w->printLines(), other).unit1, QString());

    QVERIFY(w->surface()->hasPicture());
    const QStringList texts = surfaceTexts(w);
    if (f == PermitForm::Model3) {
        QCOMPARE(texts[1], lines.unit1);
        QCOMPARE(texts[2], lines.unit2);
        QCOMPARE(texts[0], u"Yarv  食证   2002   0015"_s);
    } else {
        QCOMPARE(texts[1], u"单位名称："_s + lines.unit1);
        QCOMPARE(texts[2], lines.unit2);
        QCOMPARE(texts[9], u"二零零二年十二月廿五日"_s);
    }
    QCOMPARE(w->surface()->accessibleDescription(), texts.join(u'\n'));
    w->close();
}

void TestPermitPrinting::closingEmptiesTheCertificateLines()
{
    TestDatabase tdb;
    addFixturePermit(tdb.db(), u"NO.Y.05-2"_s);
    PermitRegister r;
    r.w->printLines().dwmcf1 = u"副本行"_s;
    r.w->printLines().dwmc31 = u"旧的"_s;
    r.click(5);
    PermitPreviewWindow *w = previewWindow(certificateCaption);
    QVERIFY(w);
    QCOMPARE(r.w->printLines().dwmc21, u"人民路食品店"_s);
    button(w, u"Command1"_s)->click(); // 打印 changes none of the 24
    QCOMPARE(r.w->printLines().dwmc21, u"人民路食品店"_s);
    QCOMPARE(r.w->printLines().dwmc31, u"旧的"_s);
    button(w, u"Command2"_s)->click();
    QVERIFY(!previewWindow(certificateCaption));
    for (PermitForm f : {PermitForm::Model1, PermitForm::Model2, PermitForm::Model3}) {
        const FormLines l = linesOf(r.w->printLines(), f);
        QVERIFY(l.unit1.isEmpty() && l.unit2.isEmpty() && l.address1.isEmpty() && l.address2.isEmpty()
                && l.items1.isEmpty() && l.items2.isEmpty());
    }
    QCOMPARE(r.w->printLines().dwmcf1, u"副本行"_s);
    QCOMPARE(r.w->state(), PermitRegisterWindow::State::Browsing);
    QCOMPARE(app().permitNo, u"20020015"_s);

    // Pressing 打印正本 again gives the same lines.
    r.click(5);
    QCOMPARE(r.w->printLines().dwmc21, u"人民路食品店"_s);
    QCOMPARE(r.w->printLines().xkxm21, u"餐饮※"_s);
    previewWindow(certificateCaption)->close();
    QCOMPARE(r.w->printLines().xkxm21, QString());
}

void TestPermitPrinting::secondActivationDrawsTheSame()
{
    TestDatabase tdb;
    addFixturePermit(tdb.db(), u"NO.Y.05-1"_s);
    PermitRegister r;
    r.click(5);
    PermitPreviewWindow *w = previewWindow(certificateCaption);
    const QImage first = w->surface()->image();
    const QStringList texts = surfaceTexts(w);
    w->activated();
    QCOMPARE(surfaceTexts(w), texts);
    QCOMPARE(w->surface()->image(), first);
    w->close();
}

// The model message, the window all the same with a white surface, and its
// 打印 says the message again instead of printing nothing without a word.
void TestPermitPrinting::unknownModel()
{
    TestDatabase tdb;
    addFixturePermit(tdb.db(), u"no.y.05-1"_s);
    PermitRegister r;
    r.click(5);
    QCOMPARE(m_script->shown.size(), 1);
    QCOMPARE(m_script->lastText(), u"请按表中所列项目填写“许可证型号”！"_s);
    PermitPreviewWindow *w = previewWindow(certificateCaption);
    QVERIFY(w);
    QVERIFY(!hourglassShown());
    QVERIFY(w->surface()->texts().items.empty());
    QVERIFY(!w->surface()->hasPicture());
    QCOMPARE(r.w->printLines().dwmc11, QString());
    button(w, u"Command1"_s)->click();
    QCOMPARE(m_script->shown.size(), 2);
    QCOMPARE(m_script->lastText(), u"请按表中所列项目填写“许可证型号”！"_s);
    QVERIFY(m_printer->printed.isEmpty());
    QVERIFY(w->isVisible());
    w->close();
}

void TestPermitPrinting::printingACertificate_data() { certificateModels(); }

// Each click prints one sheet from the register's boxes, cut again (the
// preview's lines are not read), at the layout as stored at that click.
void TestPermitPrinting::printingACertificate()
{
    QFETCH(QString, model);
    QFETCH(int, form);
    TestDatabase tdb;
    addFixturePermit(tdb.db(), model, longName + longName);
    PermitRegister r;
    r.click(5);
    PermitPreviewWindow *w = previewWindow(certificateCaption);
    const PermitForm f = PermitForm(form);
    storeLines(r.w->printLines(), f, {u"不读"_s, u"不读"_s, u"不读"_s, u"不读"_s, u"不读"_s, u"不读"_s});
    button(w, u"Command1"_s)->click();
    tdb.db().exec(u"UPDATE dycc SET xml = '3' WHERE xkzlx = ? AND xmmc = '整体'"_s, {formSpec(f).set});
    button(w, u"Command1"_s)->click();
    QCOMPARE(m_printer->printed.size(), 2);
    QCOMPARE(m_script->shown.size(), 0);
    QVERIFY(w->isVisible());
    const PermitTexts permit = r.w->shownPermit();
    const report::PageModel expected = permitSheet(f, permit, readPrintLayout(tdb.db(), f));
    const report::PageModel &second = m_printer->printed[1];
    QCOMPARE(second.texts(0), expected.texts(0));
    QCOMPARE(second.pages[0].items.size(), expected.pages[0].items.size());
    for (std::size_t i = 0; i < second.pages[0].items.size(); ++i) {
        QCOMPARE(second.pages[0].items[i].left, expected.pages[0].items[i].left);
        QCOMPARE(second.pages[0].items[i].top, expected.pages[0].items[i].top);
    }
    QVERIFY(!second.texts(0).contains(u"不读"_s));
    QCOMPARE(second.pages[0].items[0].left - m_printer->printed[0].pages[0].items[0].left, 170); // 3 mm
    QCOMPARE(second.page.orientation, formSpec(f).orientation);
    w->close();
}

void TestPermitPrinting::copyPreparationAndPreview()
{
    TestDatabase tdb;
    addFixturePermit(tdb.db(), QString(), longName);
    PermitRegister r;
    r.w->printLines().dwmc11 = u"正本行"_s;
    r.click(6);
    QCOMPARE(m_script->shown.size(), 0);
    PermitPreviewWindow *w = previewWindow(copyCaption);
    QVERIFY(w);
    QCOMPARE(w->objectName(), u"frm_dyfb"_s);
    QCOMPARE(w->size(), QSize(507, 397));
    QVERIFY(!hourglassShown());
    QVERIFY(w->surface()->hasPicture());
    const PermitPrintLines &l = r.w->printLines();
    QVERIFY(!l.dwmcf2.isEmpty());
    QCOMPARE(l.dwmcf1 + l.dwmcf2, longName);
    QCOMPARE(l.xkxmf1, u"餐饮※"_s);
    const QStringList texts = surfaceTexts(w);
    QCOMPARE(texts.size(), 13);
    QCOMPARE(texts[0], u"Yarv   食证    2002    0015"_s);
    QCOMPARE(texts[3], l.dwmcf1);
    QCOMPARE(texts[4], l.dwmcf2);
    QCOMPARE(texts[8], u"个体"_s);
    button(w, u"Command2"_s)->click();
    QVERIFY(l.dwmcf1.isEmpty() && l.dwmcf2.isEmpty() && l.dzf1.isEmpty() && l.xkxmf1.isEmpty());
    QCOMPARE(l.dwmc11, u"正本行"_s);
}

void TestPermitPrinting::printingTheCopy()
{
    TestDatabase tdb;
    addFixturePermit(tdb.db(), u"NO.Y.05-1"_s);
    PermitRegister r;
    r.click(6);
    PermitPreviewWindow *w = previewWindow(copyCaption);
    button(w, u"Command1"_s)->click();
    QCOMPARE(m_printer->printed.size(), 1);
    const report::PageModel &sheet = m_printer->printed[0];
    QCOMPARE(sheet.caption, u"卫生许可证副本"_s);
    QCOMPARE(sheet.page.orientation, QPageLayout::Portrait);
    QCOMPARE(sheet.texts(0),
             (QStringList{u"Yarv"_s, u"食证"_s, u"2002"_s, u"0015"_s, u"Quessa区卫生局"_s, u"2002"_s, u"12"_s,
                          u"25"_s, u"人民路食品店"_s, u"张三"_s, u"人民路12号"_s, u"个体"_s, u"餐饮※"_s, u"2002"_s,
                          u"12"_s, u"25"_s, u"2006"_s, u"12"_s, u"24"_s}));
    w->close();
}

// "12mm" in a copy row is 12 mm, as val() reads it: the copy window opens
// and prints the sheet that "12" prints.
void TestPermitPrinting::positionWithAUnitPrints()
{
    TestDatabase tdb;
    addFixturePermit(tdb.db(), u"NO.Y.05-1"_s);
    tdb.db().exec(u"UPDATE dycc SET xml = '12' WHERE xkzlx = '4' AND xmmc = '地址'"_s);
    PermitRegister r;
    r.click(6);
    PermitPreviewWindow *w = previewWindow(copyCaption);
    QVERIFY(w);
    button(w, u"Command1"_s)->click();
    w->close();
    tdb.db().exec(u"UPDATE dycc SET xml = '12mm' WHERE xkzlx = '4' AND xmmc = '地址'"_s);
    r.click(6);
    QCOMPARE(m_script->shown.size(), 0);
    w = previewWindow(copyCaption);
    QVERIFY(w);
    button(w, u"Command1"_s)->click();
    w->close();
    QCOMPARE(m_printer->printed.size(), 2);
    const report::Page &first = m_printer->printed[0].pages[0];
    const report::Page &second = m_printer->printed[1].pages[0];
    QCOMPARE(second.items.size(), first.items.size());
    for (std::size_t i = 0; i < first.items.size(); ++i) {
        QCOMPARE(second.items[i].text, first.items[i].text);
        QCOMPARE(second.items[i].left, first.items[i].left);
        QCOMPARE(second.items[i].top, first.items[i].top);
    }
}

// No printer or a refused job: "错误" with the reason, nothing counts as
// printed, the window stays.
void TestPermitPrinting::failingPrinter()
{
    TestDatabase tdb;
    addFixturePermit(tdb.db(), u"NO.Y.05-3"_s);
    PermitRegister r;
    r.click(5);
    PermitPreviewWindow *w = previewWindow(certificateCaption);
    m_printer->failure = u"没有默认打印机，无法打印。"_s;
    button(w, u"Command1"_s)->click();
    QCOMPARE(m_script->shown.size(), 1);
    QCOMPARE(m_script->shown[0].title, u"错误"_s);
    QCOMPARE(m_script->lastText(), u"没有默认打印机，无法打印。"_s);
    QVERIFY(m_printer->printed.isEmpty());
    QVERIFY(w->isVisible());
    w->close();
}

void TestPermitPrinting::layoutThatCannotPrint_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("message");
    QTest::newRow("打印正本, a row missing") << 5 << u"DELETE FROM dycc WHERE xkzlx = '2' AND xmmc = '发证机关'"_s
                                         << u"打印设置“NO.Y.05-2”的项目不全：应有19行，只有18行，无法打印。"_s;
    QTest::newRow("打印副本, a value no number")
        << 6 << u"UPDATE dycc SET xmzh = 'abc' WHERE xkzlx = '4' AND xmmc = '单位名称'"_s
        << u"打印设置“副本”中“单位名称”的打印字号“abc”不是有效的字号，请在打印设置中改正。"_s;
    QTest::newRow("打印正本, no table") << 5 << u"DROP TABLE dycc"_s << QString();
}

// The preparation says why and opens no print window, from which nothing
// could print; no line is written and the pointer is back.
void TestPermitPrinting::layoutThatCannotPrint()
{
    QFETCH(int, button);
    QFETCH(QString, sql);
    QFETCH(QString, message);
    TestDatabase tdb;
    addFixturePermit(tdb.db(), u"NO.Y.05-2"_s);
    tdb.db().exec(sql);
    PermitRegister r;
    r.click(button);
    QCOMPARE(m_script->shown.size(), 1);
    QCOMPARE(m_script->shown[0].title, u"错误"_s);
    if (!message.isEmpty())
        QCOMPARE(m_script->lastText(), message);
    QVERIFY(!previewWindow(certificateCaption) && !previewWindow(copyCaption));
    QVERIFY(!hourglassShown());
    QCOMPARE(r.w->printLines().dwmc21, QString());
    QCOMPARE(r.w->printLines().dwmcf1, QString());
}

void TestPermitPrinting::layoutBrokenWhileTheWindowIsOpen()
{
    TestDatabase tdb;
    addFixturePermit(tdb.db(), u"NO.Y.05-1"_s);
    PermitRegister r;
    r.click(5);
    PermitPreviewWindow *w = previewWindow(certificateCaption);
    tdb.db().exec(u"UPDATE dycc SET xmzh = '' WHERE xkzlx = '1' AND xmmc = '地址'"_s);
    button(w, u"Command1"_s)->click();
    QCOMPARE(m_script->lastText(), u"打印设置“NO.Y.05-1”中“地址”的打印字号“”不是有效的字号，请在打印设置中改正。"_s);
    QVERIFY(m_printer->printed.isEmpty());
    QVERIFY(w->isVisible());
    w->close();
}

// Without its picture the texts stand on the white surface.
void TestPermitPrinting::missingPicture()
{
    TestDatabase tdb;
    addFixturePermit(tdb.db(), u"NO.Y.05-1"_s);
    QVERIFY(QFile::rename(m_pictures + u"/fb.jpg"_s, m_pictures + u"/fb.bak"_s));
    PermitRegister r;
    r.click(6);
    PermitPreviewWindow *w = previewWindow(copyCaption);
    QVERIFY(QFile::rename(m_pictures + u"/fb.bak"_s, m_pictures + u"/fb.jpg"_s));
    QVERIFY(!w->surface()->hasPicture());
    QCOMPARE(surfaceTexts(w).size(), 13);
    QVERIFY(!hourglassShown());
    QCOMPARE(m_script->shown.size(), 0);
    w->close();
}

QTEST_MAIN(TestPermitPrinting)
#include "tst_permitprinting.moc"
