// The typing limit of line boxes counts characters as the column
// capacities do: a character outside the Basic Multilingual Plane is one
// character, though Qt holds it as two; a line break is never taken. No
// display.
#include "platform/typinglimit.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;

class TestTypingLimit : public QObject {
    Q_OBJECT
private slots:
    void counts_data();
    void counts();
};

void TestTypingLimit::counts_data()
{
    const QString astral = QString::fromUcs4(U"\U00020000");
    QTest::addColumn<int>("limit");
    QTest::addColumn<QString>("input");
    QTest::addColumn<bool>("taken");
    QTest::newRow("empty") << 4 << QString() << true;
    QTest::newRow("digits up to the limit") << 4 << u"2002"_s << true;
    QTest::newRow("one digit past") << 4 << u"20021"_s << false;
    QTest::newRow("Chinese counts one each, not two") << 4 << u"年月日时"_s << true;
    QTest::newRow("surrogate pairs up to the limit") << 2 << astral + astral << true;
    QTest::newRow("one surrogate pair past") << 2 << astral + astral + astral << false;
    QTest::newRow("pasted line break inside") << 8 << u"12\n34"_s << false;
    QTest::newRow("pasted line break at the end") << 8 << u"1234\r\n"_s << false;
}

void TestTypingLimit::counts()
{
    QFETCH(int, limit);
    QFETCH(QString, input);
    QFETCH(bool, taken);
    TypingLimit typing(limit, nullptr);
    int caret = int(input.size());
    QCOMPARE(typing.validate(input, caret), taken ? QValidator::Acceptable : QValidator::Invalid);
}

QTEST_GUILESS_MAIN(TestTypingLimit)
#include "tst_typinglimit.moc"
