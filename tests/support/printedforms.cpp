#include "support/printedforms.h"

#include "platform/reportengine.h"
#include "platform/units.h"

#include <QTest>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kelm::test {

using report::ItemKind;
using report::Page;
using report::PageItem;
using namespace Qt::StringLiterals;

bool near(int a, int b) { return std::abs(a - b) <= tolerance; }

const PageItem *findPrinted(const Page &page, What what, const QString &text, int left, int top, int originLeft,
                            int originTop, LabelAt labelAt)
{
    for (const PageItem &i : page.items) {
        const bool atTop = near(i.top - originTop, top);
        const bool atLeft = near(i.left - originLeft, left);
        switch (what) {
        case What::Label:
            if (i.kind == ItemKind::Label && i.text == text && (labelAt == LabelAt::Anywhere || atTop)
                && (labelAt != LabelAt::TopAndLeft || atLeft))
                return &i;
            break;
        case What::Field:
            if (i.kind == ItemKind::Field && i.column == text)
                return &i;
            break;
        case What::Rule:
            if (i.kind == ItemKind::Box && atTop)
                return &i;
            break;
        case What::Underline:
            if (i.kind == ItemKind::Line && atTop && atLeft)
                return &i;
            break;
        }
    }
    return nullptr;
}

void checkPlaced(const PageItem &p, int left, const FormItem &form, const QString &fieldValue)
{
    switch (form.what) {
    case What::Label:
    case What::Field:
        if (form.centred)
            QVERIFY2(near(left + p.width / 2, form.left + form.width / 2), qPrintable(QString::number(left)));
        else
            QVERIFY2(near(left, form.left), qPrintable(QString::number(left)));
        // A field wider than its box prints smaller.
        if (form.what == What::Field && form.width > 0 && gridWidthTwips(p.text, form.points) > form.width)
            QVERIFY(p.pointSize < form.points);
        else
            QCOMPARE(p.pointSize, form.points);
        QCOMPARE(p.bold, form.bold);
        if (form.width > 0)
            QVERIFY2(left >= form.left - tolerance && left + p.width <= form.left + form.width,
                     qPrintable(u"%1 + %2"_s.arg(left).arg(p.width)));
        if (form.what == What::Field)
            QCOMPARE(p.text, fieldValue);
        break;
    case What::Rule:
        QCOMPARE(left, 0);
        QCOMPARE(p.width, form.width);
        QCOMPARE(p.height, 15);
        QVERIFY(p.filled);
        break;
    case What::Underline:
        QCOMPARE(p.height, 0);
        QVERIFY(near(left + p.width, form.left + form.width));
        break;
    }
}

std::vector<const PageItem *> fieldLines(const Page &page, const QString &column)
{
    std::vector<const PageItem *> out;
    for (const PageItem &i : page.items)
        if (i.kind == ItemKind::Field && i.column == column)
            out.push_back(&i);
    return out;
}

QString fieldText(const Page &page, const QString &column)
{
    QString text;
    for (const PageItem *i : fieldLines(page, column))
        text += i->text;
    return text;
}

bool inLineOfText(const std::vector<const PageItem *> &lines, int top, double points)
{
    const int height = int(std::lround(points * 20));
    return !lines.empty() && lines.front()->top >= top - tolerance
           && lines.back()->top + lines.back()->height <= top + height + tolerance;
}

void checkFieldWhole(const Page &page, const report::Item &item, int originLeft, const QString &value)
{
    const auto lines = fieldLines(page, item.text);
    QVERIFY2(!lines.empty(), qPrintable(item.text));
    for (const PageItem *p : lines) {
        const int left = p->left - originLeft;
        QVERIFY2(left >= item.left && left + p->width <= item.left + item.width, qPrintable(item.text));
        QVERIFY2(p->pointSize >= report::smallestPrintedSize, qPrintable(item.text));
    }
    QCOMPARE(fieldText(page, item.text), value);
}

std::vector<const PageItem *> itemsOf(const Page &page, ItemKind kind)
{
    std::vector<const PageItem *> out;
    for (const PageItem &i : page.items)
        if (i.kind == kind)
            out.push_back(&i);
    return out;
}

int count(const Page &page, ItemKind kind)
{
    return int(std::count_if(page.items.begin(), page.items.end(), [kind](const PageItem &i) { return i.kind == kind; }));
}

} // namespace kelm::test
