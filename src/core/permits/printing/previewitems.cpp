#include "permits/printing/previewitems.h"

#include "data/documentcatalogue.h"
#include "permits/printing/numeraldate.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

struct Builder {
    report::Page page;
    void add(int left, int top, double size, const QString &text)
    {
        page.items.push_back(report::textItem(left, top, text, size));
    }
};

QString spaced(const QString &date, const QString &gap)
{
    return yearPart(date) + gap + monthPart(date) + gap + dayPart(date);
}

QString inChinese(const QString &date)
{
    return yearPart(date) + u"年"_s + monthPart(date) + u"月"_s + dayPart(date) + u"日"_s;
}

void modelItems(Builder &b, const PermitTexts &p, const FormLines &l)
{
    if (p.number.size() >= 4) {
        b.add(4500, 1700, 8,
              u"Yarv卫"_s + p.category + u"字["_s + p.number.left(4) + u"]第"_s + p.number.mid(4) + u"号"_s);
    }
    b.add(700, 2000, 10, u"单位名称："_s + l.unit1);
    b.add(1700, 2200, 10, l.unit2);
    b.add(700, 2400, 10, u"负 责 人："_s + p.person);
    b.add(700, 2800, 10, u"地    址："_s + l.address1);
    b.add(1700, 3000, 10, l.address2);
    b.add(700, 3200, 10, u"许可项目："_s + l.items1);
    b.add(1700, 3400, 10, l.items2);
    b.add(4000, 3800, 10, u"发证机关："_s + issuingAuthority);
    b.add(4300, 4100, 10, inChinese(chineseNumeralDate(p.issued)));
    b.add(700, 4400, 9, u"有效期限："_s + inChinese(p.issued) + u"至"_s + inChinese(p.validTo));
}

void model3Items(Builder &b, const PermitTexts &p, const FormLines &l)
{
    if (p.number.size() >= 4) {
        b.add(5100, 1900, 7,
              u"Yarv  "_s + p.category + u"   "_s + p.number.left(4) + u"   "_s + p.number.mid(4));
    }
    b.add(1900, 2170, 9, l.unit1);
    b.add(1900, 2350, 9, l.unit2);
    b.add(1900, 2550, 9, p.person);
    b.add(1900, 2900, 9, l.address1);
    b.add(1900, 3080, 10, l.address2);
    b.add(1900, 3250, 10, l.items1);
    b.add(1900, 3430, 10, l.items2);
    b.add(5500, 3800, 10, issuingAuthority);
    b.add(5400, 4050, 8, spaced(p.issued, u"  "_s));
    b.add(1300, 4150, 6, spaced(p.issued, u"   "_s) + u"   "_s + yearPart(p.validTo) + u"  "_s +
                             monthPart(p.validTo) + u"   "_s + dayPart(p.validTo));
}

void copyItems(Builder &b, const PermitTexts &p, const FormLines &l)
{
    if (p.number.size() >= 4) {
        b.add(590, 2450, 9,
              u"Yarv   "_s + p.category + u"    "_s + p.number.left(4) + u"    "_s + p.number.mid(4));
    }
    b.add(1500, 3850, 11, issuingAuthority);
    b.add(1500, 4400, 10, spaced(p.issued, u"   "_s));
    b.add(5300, 1050, 10, l.unit1);
    b.add(4300, 1250, 10, l.unit2);
    b.add(5300, 1600, 10, p.person);
    b.add(5300, 2150, 10, l.address1);
    b.add(4300, 2350, 10, l.address2);
    b.add(5300, 2700, 10, p.nature);
    b.add(5300, 3250, 10, l.items1);
    b.add(4300, 3450, 10, l.items2);
    b.add(5200, 3800, 10, spaced(p.issued, u"   "_s));
    b.add(5200, 4400, 10, spaced(p.validTo, u"   "_s));
}

} // namespace

report::Page previewPage(PermitForm form, const PermitTexts &permit, const FormLines &lines)
{
    Builder b;
    switch (form) {
    case PermitForm::Model1:
    case PermitForm::Model2: modelItems(b, permit, lines); break;
    case PermitForm::Model3: model3Items(b, permit, lines); break;
    case PermitForm::Copy: copyItems(b, permit, lines); break;
    }
    return b.page;
}

QString previewPicture(PermitForm form)
{
    switch (form) {
    case PermitForm::Model1: return u"picture/z1.jpg"_s;
    case PermitForm::Model2: return u"picture/z2.jpg"_s;
    case PermitForm::Model3: return u"picture/z3.jpg"_s;
    case PermitForm::Copy: break;
    }
    return u"picture/fb.jpg"_s;
}

} // namespace kelm
