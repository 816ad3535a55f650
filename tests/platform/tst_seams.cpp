// The window seams: scripted message boxes, the modal helper's steps, the
// close path shared by Esc and code, the pointer. Needs widgets.
#include "platform/busypointer.h"
#include "platform/formwindow.h"
#include "platform/modal.h"
#include "platform/units.h"
#include "support/ui/scriptedmessages.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;

namespace {

class Recording : public FormWindow {
public:
    explicit Recording(QStringList *log, QString name) : m_log(log), m_name(std::move(name)) { }
    void activated() override { m_log->append(m_name + u" active"_s); }
    void deactivated() override { m_log->append(m_name + u" leaves"_s); }
    bool queryClose() override
    {
        m_log->append(m_name + u" asked"_s);
        return ask(this, u"关闭吗？"_s, u"提示"_s, Buttons::YesNo, Answer::Yes) == Answer::Yes;
    }
    void unloaded() override { m_log->append(m_name + u" unloaded"_s); }

private:
    QStringList *m_log;
    QString m_name;
};

} // namespace

class TestSeams : public QObject {
    Q_OBJECT
private slots:
    void init() { setModalMode(ModalMode::NonBlocking); }
    void scriptedAnswersInOrder();
    void modalStepsAroundChild();
    void escAsksTheCloseQuestion();
    void pointerIsNotAStack();
    void colours_data();
    void colours();
    void grid_data();
    void grid();
};

void TestSeams::scriptedAnswersInOrder()
{
    auto &script = test::ScriptedMessages::install();
    script.answer(Answer::No);
    QCOMPARE(ask(nullptr, u"确认退出吗？"_s, u"提示"_s, Buttons::YesNo, Answer::Yes), Answer::No);
    showError(nullptr, u"坏了"_s);
    QCOMPARE(script.shown.size(), 2);
    QCOMPARE(script.shown[0].title, u"提示"_s);
    QCOMPARE(script.shown[1].title, u"错误"_s);
    QCOMPARE(script.unexpected, 1);
}

void TestSeams::modalStepsAroundChild()
{
    auto &script = test::ScriptedMessages::install();
    QStringList log;
    Recording opener(&log, u"opener"_s);
    opener.show();
    auto *child = new Recording(&log, u"child"_s);
    openModal(&opener, child, [&] { log.append(u"after"_s); });
    QCOMPARE(log, QStringList({u"opener leaves"_s, u"child active"_s}));
    QVERIFY(child->isVisible());
    QCOMPARE(child->windowModality(), Qt::ApplicationModal);
    script.answer(Answer::Yes);
    child->close();
    QCOMPARE(log, QStringList({u"opener leaves"_s, u"child active"_s, u"child asked"_s, u"child unloaded"_s,
                               u"after"_s, u"opener active"_s}));
}

void TestSeams::escAsksTheCloseQuestion()
{
    auto &script = test::ScriptedMessages::install();
    QStringList log;
    Recording w(&log, u"w"_s);
    w.show();
    script.answer(Answer::No);
    QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(w.isVisible());
    script.answer(Answer::Yes);
    QTest::keyClick(&w, Qt::Key_Escape);
    QVERIFY(!w.isVisible());
    QCOMPARE(log, QStringList({u"w asked"_s, u"w asked"_s, u"w unloaded"_s}));
}

void TestSeams::pointerIsNotAStack()
{
    showHourglass();
    showHourglass();
    QVERIFY(hourglassShown());
    showDefaultPointer();
    QVERIFY(!hourglassShown());
}

void TestSeams::colours_data()
{
    QTest::addColumn<uint>("bgr");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("blue") << uint(vbBlue) << QColor(0, 0, 255);
    QTest::newRow("red") << uint(vbRed) << QColor(255, 0, 0);
    QTest::newRow("mixed") << 0x00102030u << QColor(0x30, 0x20, 0x10);
}

void TestSeams::colours()
{
    QFETCH(uint, bgr);
    QFETCH(QColor, colour);
    QCOMPARE(vbColor(bgr), colour);
}

void TestSeams::grid_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("points");
    QTest::addColumn<int>("width");
    QTest::newRow("9 pt chinese") << u"立案"_s << 9.0 << 360;
    QTest::newRow("9 pt blanks") << u"本案自     年"_s << 9.0 << 3 * 180 + 5 * 90 + 180;
    QTest::newRow("12 pt mixed") << u"卫 生"_s << 12.0 << 240 + 120 + 240;
}

void TestSeams::grid()
{
    QFETCH(QString, text);
    QFETCH(double, points);
    QFETCH(int, width);
    QCOMPARE(gridWidthTwips(text, points), width);
}

QTEST_MAIN(TestSeams)
#include "tst_seams.moc"
