// The penalty decision, the on-the-spot penalty decision and the
// order-to-correct notice as data, without widgets: where every box, label
// and line of their windows stands, every label, field, rule and underline
// of their printed forms (within 15 twips, in its font), what never prints,
// and the rules that keep them readable: boxes and fields sit in the blanks
// of their labels, and a full column prints whole.
#include "cases/documents/decision/cfjd.h"
#include "cases/documents/decision/dccf.h"
#include "cases/documents/decision/zlgz.h"
#include "cases/documents/descriptions.h"
#include "cases/engine/description.h"
#include "cases/engine/windowlayout.h"
#include "data/appvalues.h"
#include "data/connection.h"
#include "data/reportsources.h"
#include "data/schema.h"
#include "support/documentrows.h"
#include "support/printedforms.h"
#include "support/testdb.h"

#include <QtTest>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::report;

Q_DECLARE_METATYPE(std::vector<int>)

// The kind of each box that is not a plain data box, by index.
using Kinds = QMap<int, QString>;

namespace {

const QString seam = u"-"_s.repeated(70);
using test::tolerance;
using test::count;

constexpr int cfjd = 8;
constexpr int dccf = 19;
constexpr int zlgz = 21;

const DocumentDescription &description(int k) { return *documentDescription(k); }

// ---- the windows ----

struct PlacedBox {
    int k;
    int box;
    QRect rect; // twips
};

const std::vector<PlacedBox> &expectedBoxes()
{
    static const std::vector<PlacedBox> all = {
        {8, 0, QRect(4830, 765, 200, 180)},
        {8, 1, QRect(5640, 765, 400, 180)},
        {8, 2, QRect(6645, 765, 375, 180)},
        {8, 3, QRect(1320, 960, 3495, 180)},
        {8, 4, QRect(1710, 1250, 375, 180)},
        {8, 5, QRect(2400, 1250, 255, 180)},
        {8, 6, QRect(2910, 1250, 200, 180)},
        {8, 7, QRect(840, 1510, 6975, 180)},
        {8, 8, QRect(480, 1800, 7335, 180)},
        {8, 9, QRect(480, 2080, 7335, 180)},
        {8, 10, QRect(480, 2370, 7335, 180)},
        {8, 11, QRect(1800, 2640, 5535, 180)},
        {8, 12, QRect(4080, 2880, 3855, 180)},
        {8, 13, QRect(480, 3200, 6615, 180)},
        {8, 14, QRect(1080, 3480, 6735, 180)},
        {8, 15, QRect(480, 3750, 6615, 180)},
        {8, 16, QRect(480, 4275, 7335, 180)},
        {8, 17, QRect(480, 4560, 7335, 180)},
        {8, 18, QRect(1380, 4845, 200, 180)},
        {8, 19, QRect(1720, 4845, 200, 180)},
        {8, 20, QRect(2640, 4845, 5175, 180)},
        {8, 21, QRect(960, 5115, 6855, 180)},
        {8, 22, QRect(1800, 5880, 435, 180)},
        {8, 23, QRect(4850, 6165, 495, 180)},
        {8, 24, QRect(5880, 6165, 1935, 180)},
        {8, 25, QRect(480, 6435, 1575, 180)},
        {8, 26, QRect(2880, 6435, 2895, 180)},
        {8, 27, QRect(890, 6720, 555, 180)},
        {8, 28, QRect(2040, 6705, 4335, 180)},
        {8, 29, QRect(4440, 7320, 2775, 180)},
        {8, 30, QRect(5020, 7560, 375, 180)},
        {8, 31, QRect(5640, 7560, 200, 180)},
        {8, 32, QRect(6080, 7560, 200, 180)},
        {19, 0, QRect(4950, 765, 200, 180)},
        {19, 1, QRect(5760, 765, 400, 180)},
        {19, 2, QRect(6765, 765, 375, 180)},
        {19, 3, QRect(1320, 960, 3615, 180)},
        {19, 4, QRect(1560, 1245, 375, 180)},
        {19, 5, QRect(2280, 1245, 255, 180)},
        {19, 6, QRect(2760, 1245, 200, 180)},
        {19, 7, QRect(4320, 1245, 3375, 180)},
        {19, 8, QRect(480, 1560, 5415, 180)},
        {19, 9, QRect(840, 2115, 6855, 180)},
        {19, 10, QRect(480, 2400, 7215, 180)},
        {19, 11, QRect(480, 2685, 7215, 180)},
        {19, 12, QRect(480, 2970, 7215, 180)},
        {19, 13, QRect(1800, 3240, 5295, 180)},
        {19, 14, QRect(2280, 3495, 5415, 180)},
        {19, 15, QRect(480, 3795, 6375, 180)},
        {19, 16, QRect(1080, 4080, 6735, 180)},
        {19, 17, QRect(480, 4350, 6375, 180)},
        {19, 18, QRect(960, 4680, 735, 180)},
        {19, 19, QRect(1440, 4965, 200, 180)},
        {19, 20, QRect(2040, 4965, 200, 180)},
        {19, 21, QRect(3000, 4965, 4575, 180)},
        {19, 22, QRect(960, 5235, 6735, 180)},
        {19, 23, QRect(2040, 6000, 200, 180)},
        {19, 24, QRect(4920, 6230, 255, 180)},
        {19, 25, QRect(5760, 6230, 1935, 180)},
        {19, 26, QRect(480, 6435, 1455, 180)},
        {19, 27, QRect(2640, 6435, 3495, 180)},
        {19, 28, QRect(960, 6720, 200, 180)},
        {19, 29, QRect(1800, 6720, 2415, 180)},
        {19, 30, QRect(480, 7440, 2175, 180)},
        {19, 31, QRect(5520, 7440, 1695, 180)},
        {19, 32, QRect(5640, 7800, 375, 180)},
        {19, 33, QRect(6240, 7800, 200, 180)},
        {19, 34, QRect(6675, 7800, 200, 180)},
        {21, 0, QRect(5070, 840, 200, 180)},
        {21, 1, QRect(5880, 840, 400, 180)},
        {21, 2, QRect(6885, 840, 375, 180)},
        {21, 3, QRect(1320, 1080, 6375, 180)},
        {21, 4, QRect(1320, 1440, 6375, 180)},
        {21, 5, QRect(480, 1800, 7215, 180)},
        {21, 6, QRect(1320, 2160, 6375, 230)},
        {21, 7, QRect(1440, 2520, 495, 180)},
        {21, 8, QRect(2160, 2520, 195, 180)},
        {21, 9, QRect(2760, 2520, 195, 180)},
        {21, 10, QRect(3240, 2520, 195, 180)},
        {21, 11, QRect(3840, 2520, 195, 180)},
        {21, 12, QRect(1680, 2880, 6015, 180)},
        {21, 13, QRect(1800, 3240, 495, 180)},
        {21, 14, QRect(2520, 3240, 195, 180)},
        {21, 15, QRect(3120, 3240, 195, 180)},
        {21, 16, QRect(5070, 4200, 200, 180)},
        {21, 17, QRect(5880, 4200, 400, 180)},
        {21, 18, QRect(6885, 4200, 375, 180)},
        {21, 19, QRect(600, 4320, 3135, 180)},
        {21, 20, QRect(2640, 4680, 495, 180)},
        {21, 21, QRect(3360, 4680, 210, 180)}, // inside its run of blanks, clear of 月
        {21, 22, QRect(3750, 4680, 255, 180)}, // inside its run of blanks, clear of 月
        {21, 23, QRect(4800, 4680, 2895, 180)},
        {21, 24, QRect(600, 5040, 6315, 180)},
        {21, 25, QRect(1200, 5400, 6495, 180)},
        {21, 26, QRect(600, 5760, 6315, 180)},
        {21, 27, QRect(1200, 6120, 6495, 180)},
        {21, 28, QRect(600, 6480, 6315, 180)},
        {21, 29, QRect(2160, 6840, 375, 180)},
        {21, 30, QRect(2820, 6840, 225, 180)},
        {21, 31, QRect(3360, 6840, 220, 180)},
        {21, 32, QRect(3915, 6840, 230, 180)},
        {21, 33, QRect(4440, 6840, 230, 180)},
        {21, 34, QRect(4800, 7320, 2775, 180)},
        {21, 35, QRect(5400, 7560, 495, 180)},
        {21, 36, QRect(6120, 7560, 195, 180)},
        {21, 37, QRect(6720, 7560, 195, 180)},
    };
    return all;
}

struct WindowText {
    int k;
    QString text;
    int left; // the form's Left; a number line starts numberLineLeft() of it
    int top;
    double points;
    bool bold = false;
};

const std::vector<WindowText> &expectedTexts()
{
    static const std::vector<WindowText> all = {
        {8, u"卫  生  行  政  执  法  处  罚  文  书"_s, 1920, 0, 12},
        {8, u"行政处罚决定书"_s, 2880, 360, 18, true},
        {8, u"Vesk卫(   )罚字[     ]年第(     )号"_s, 4320, 765, 9},
        {8, u"被处罚人："_s, 480, 960, 9},
        {8, u"  本局依法于     年    月   日对你(单位)立案调查。现已查明："_s, 600, 1245, 9},
        {8, u"以上事实有"_s, 840, 2640, 9},
        {8, u"为证。"_s, 7320, 2640, 9},
        {8, u"本局认为，你(单位)的行为，已经违反了"_s, 840, 2895, 9},
        {8, u"的规定，"_s, 7200, 3195, 9},
        {8, u"现依据"_s, 480, 3480, 9},
        {8, u"的规定，"_s, 7200, 3750, 9},
        {8, u"对你(单位)作出下列行政处罚："_s, 480, 4035, 9},
        {8, u"罚款于  月  日前缴至"_s, 840, 4845, 9},
        {8, u"地址："_s, 480, 5115, 9},
        {8, u"逾期不缴纳罚款的，每日按罚款数额的3%加处罚款。"_s, 840, 5400, 9},
        {8, u"同时依据《中华人民共和国行政处罚法》第二十三条规定，责令改正(或责令自收到本处"_s, 840, 5640, 9},
        {8, u"罚决定书之日起      日内改正)上述违法行为。"_s, 480, 5880, 9},
        {8, u"如不服本处罚决定，可自收到本处罚决定书之日起      日内向"_s, 840, 6165, 9},
        {8, u"卫生局或"_s, 2040, 6435, 9},
        {8, u"人民政府申请行政复议，"_s, 5760, 6435, 9},
        {8, u"或者       日内向"_s, 480, 6720, 9},
        {8, u"人民法院起诉，"_s, 6480, 6720, 9},
        {8, u"但不得停止执行本处罚决定。逾期不申请行政复议或者不向人民法院起诉又不履行处罚决定"_s, 480, 6960, 9},
        {8, u"的，本机关将依法申请人民法院强制执行。"_s, 480, 7200, 9},
        {8, u"年   月   日"_s, 5400, 7560, 9},
        {8, u"备注：本文书一式两份，第一份交被处罚人，第二份留存卷宗备查。"_s, 720, 8040, 9},
        {8, u"中华人民共和国卫生部制定"_s, 5400, 8400, 9},
        {19, u"卫  生  行  政  执  法  处  罚  文  书"_s, 1800, 0, 12},
        {19, u"当场行政处罚决定书"_s, 2280, 360, 18, true},
        {19, u"Vesk卫(   )罚字[     ]年第(     )号"_s, 4440, 765, 9},
        {19, u"被处罚人："_s, 480, 960, 9},
        {19, u"我局于       年    月   日对你（单位）"_s, 840, 1245, 9},
        {19, u"进行现场检查，发现"_s, 6000, 1560, 9},
        {19, u"有下列违法行为："_s, 480, 1850, 9},
        {19, u"以上行为有"_s, 840, 3240, 9},
        {19, u"为证。"_s, 7080, 3240, 9},
        {19, u"上述行为已违反了"_s, 840, 3495, 9},
        {19, u"的规定，"_s, 6960, 3795, 9},
        {19, u"现依据"_s, 480, 4080, 9},
        {19, u"的规定，"_s, 6960, 4320, 9},
        {19, u"予以          元人民币罚款的行政处罚。"_s, 480, 4680, 9},
        {19, u"罚款于    月    日前缴至"_s, 840, 4965, 9},
        {19, u"地址："_s, 480, 5235, 9},
        {19, u"逾期不缴纳罚款的，每日按罚款数额的3%加处罚款。"_s, 840, 5520, 9},
        {19, u"同时依据《中华人民共和国行政处罚法》第二十三条规定，责令改正（或责令自收到本"_s, 840, 5760, 9},
        {19, u"处罚决定书之日起    日内改正）上述违法行为。"_s, 480, 6000, 9},
        {19, u"如不服本处罚决定，可自收到本处罚决定书之日起    日内向"_s, 840, 6225, 9},
        {19, u"卫生局或"_s, 1920, 6435, 9},
        {19, u"人民政府申请复议，"_s, 6120, 6435, 9},
        {19, u"或者    日内向"_s, 480, 6705, 9},
        {19, u"人民法院起诉，但不得停止执行本处罚决定。"_s, 4200, 6720, 9},
        {19, u"逾期不申请行政复议或者不向人民法院起诉又不履行处罚决定的，本机关将依法申请人民法院强制执行。"_s, 480, 6960, 9},
        {19, u"执法人员签名："_s, 4200, 7440, 9},
        {19, u"年   月   日"_s, 6000, 7800, 9},
        {19, u"中华人民共和国卫生部制定"_s, 5400, 8160, 9},
        {21, u"卫  生  行  政  执  法  处  罚  文  书"_s, 1800, 0, 12},
        {21, u"责令改正通知书存根"_s, 2280, 360, 18, true},
        {21, u"Vesk卫(   )改字[     ]年第(     )号"_s, 4560, 840, 9},
        {21, u"当 事 人："_s, 480, 1080, 9},
        {21, u"违法行为："_s, 480, 1440, 9},
        {21, u"改正内容："_s, 480, 2160, 9},
        {21, u"改正期限："_s, 480, 2520, 9},
        {21, u"年    月    日"_s, 1920, 2520, 9},
        {21, u"      时    分"_s, 3000, 2520, 9},
        {21, u"执法人员签名："_s, 480, 2880, 9},
        {21, u"年    月    日"_s, 2280, 3240, 9},
        {21, u"请盖骑缝章"_s + seam + u""_s, 480, 3480, 9},
        {21, u"责令改正通知书"_s, 2880, 3720, 18, true},
        {21, u"Vesk卫(   )改字[     ]年第(     )号"_s, 4560, 4200, 9},
        {21, u"经查，你（单位）于      年   月   日从事的"_s, 960, 4680, 9},
        {21, u"的行为，"_s, 6960, 5040, 9},
        {21, u"违反了"_s, 600, 5400, 9},
        {21, u"的规定，"_s, 6960, 5760, 9},
        {21, u"现依据"_s, 600, 6120, 9},
        {21, u"的规定，"_s, 6960, 6480, 9},
        {21, u"责令你（单位）于      年    月    日    时   分前改正上述行为。"_s, 600, 6840, 9},
        {21, u"年    月    日"_s, 5880, 7560, 9},
        {21, u"中华人民共和国卫生部制定"_s, 5280, 8040, 9},
    };
    return all;
}

std::vector<Segment> expectedLines(int k)
{
    static const std::map<int, std::vector<Segment>> all = {
        {cfjd,
    {{480, 360, 7800, 360}, {1320, 1155, 4800, 1155}, {1680, 1455, 2110, 1455}, {2310, 1455, 2660, 1455}, {2805, 1455, 3115, 1455}, {840, 1725, 7800, 1725}, {480, 2010, 7800, 2040}, {480, 2295, 7800, 2295}, {480, 2565, 7800, 2565}, {1800, 2835, 7320, 2835}, {4080, 3105, 7800, 3105}, {480, 3405, 7200, 3405}, {1080, 3675, 7800, 3675}, {480, 3960, 7200, 3960}, {480, 4485, 7800, 4485}, {480, 4770, 7800, 4770}, {1320, 5040, 1560, 5040}, {1680, 5040, 1920, 5040}, {2640, 5040, 7800, 5040}, {960, 5325, 7800, 5325}, {1680, 6120, 2280, 6120}, {4800, 6360, 5400, 6360}, {5880, 6360, 7800, 6360}, {480, 6615, 2040, 6615}, {2880, 6615, 5760, 6615}, {840, 6915, 1440, 6915}, {2040, 6915, 6360, 6915}, {5040, 7755, 5400, 7755}, {5550, 7755, 5880, 7755}, {6000, 7755, 6280, 7755}, {480, 7920, 7800, 7920}, {480, 8280, 7800, 8280}}},
        {dccf,
    {{480, 300, 7680, 300}, {1320, 1155, 4920, 1155}, {1440, 1440, 2040, 1440}, {2160, 1440, 2510, 1440}, {2640, 1440, 2950, 1440}, {4320, 1440, 7680, 1440}, {480, 1755, 6000, 1755}, {840, 2325, 7680, 2325}, {480, 2610, 7680, 2610}, {480, 2895, 7680, 2895}, {480, 3165, 7680, 3165}, {1800, 3435, 7080, 3435}, {2280, 3705, 7680, 3720}, {480, 4005, 6960, 4005}, {1080, 4275, 7680, 4275}, {480, 4560, 6960, 4560}, {840, 4875, 1680, 4875}, {1320, 5160, 1680, 5160}, {1920, 5160, 2280, 5160}, {3000, 5160, 7680, 5160}, {960, 5445, 7680, 5445}, {1920, 6195, 2280, 6195}, {4800, 6405, 5160, 6405}, {5760, 6405, 7680, 6405}, {480, 6615, 1920, 6615}, {2640, 6615, 6120, 6615}, {840, 6915, 1200, 6915}, {1800, 6915, 4200, 6915}, {5520, 7635, 7200, 7635}, {5640, 7995, 6000, 7995}, {6150, 7995, 6480, 7995}, {6600, 7995, 6880, 7995}, {480, 8040, 7680, 8040}}},
        {zlgz,
    {{480, 360, 7680, 360}, {1320, 1320, 7680, 1320}, {1320, 1680, 7680, 1680}, {480, 2040, 7680, 2040}, {1320, 2400, 7680, 2400}, {1440, 2760, 1920, 2760}, {2160, 2760, 2400, 2760}, {2640, 2760, 3000, 2760}, {3240, 2760, 3480, 2760}, {3720, 2760, 4080, 2760}, {1680, 3120, 7680, 3120}, {1800, 3480, 2280, 3480}, {2520, 3480, 2760, 3480}, {3000, 3480, 3360, 3480}, {600, 4560, 3600, 4560}, {2520, 4920, 3000, 4920}, {3240, 4920, 3480, 4920}, {3720, 4920, 3960, 4920}, {4800, 4920, 7680, 4920}, {600, 5280, 6960, 5280}, {1200, 5640, 7680, 5640}, {600, 6000, 6960, 6000}, {1200, 6360, 7680, 6360}, {600, 6720, 6960, 6720}, {2160, 7080, 2520, 7080}, {2760, 7080, 3120, 7080}, {3240, 7080, 3600, 7080}, {3840, 7080, 4200, 7080}, {4320, 7080, 4680, 7080}, {5400, 7800, 5880, 7800}, {6120, 7800, 6360, 7800}, {6600, 7800, 6960, 7800}, {600, 7920, 7680, 7920}}},
    };
    return all.at(k);
}

bool isNumberLine(const QString &text) { return text.contains(u"Vesk卫"_s); }

// ---- the printed forms ----

enum class Sec { Header, Detail };
using test::What;

struct Printed {
    int k;
    Sec section;
    What what;
    QString text; // a label's text, a field's column
    int left;     // the form's Left; a number line starts numberLineLeft() of it
    int top;
    int width;
    double points = 12;
    bool bold = false;
    bool centred = false;
    int height = 0; // rules
};

const Sec H = Sec::Header;
const Sec D = Sec::Detail;

Printed lbl(int k, Sec s, const QString &text, int left, int top, int width, double pt = 12, bool bold = false)
{
    return {k, s, What::Label, text, left, top, width, pt, bold};
}
Printed fld(int k, const QString &column, int left, int top, int width, bool centred = false, bool bold = false)
{
    return {k, Sec::Detail, What::Field, column, left, top, width, 12, bold, centred};
}
Printed rule(int k, Sec s, int top, int width, int height)
{
    return {k, s, What::Rule, {}, 0, top, width, 12, false, false, height};
}
Printed under(int k, int left, int width, int top) { return {k, Sec::Detail, What::Underline, {}, left, top, width}; }

const std::vector<Printed> &printedForms()
{
    static const std::vector<Printed> all = {
        lbl(8, H, u"卫  生  行  政  执  法  处  罚  文  书"_s, 1950, 1050, 6255, 15.75),
        rule(8, H, 1425, 9615, 15),
        lbl(8, H, u"行政处罚决定书"_s, 3405, 1905, 3315, 21.75, true),
        lbl(8, D, u"  Vesk卫(  )罚字[    ]第(     )号"_s, 5625, 75, 3765),
        fld(8, u"lb"_s, 6450, 90, 300),
        fld(8, u"nd"_s, 7440, 60, 480),
        fld(8, u"bh"_s, 8385, 60, 615),
        lbl(8, D, u"被处罚人："_s, 15, 480, 1245),
        fld(8, u"cfdw"_s, 1215, 480, 4545),
        under(8, 1050, 4710, 765),
        lbl(8, D, u"  本局依法于    年  月  日对你(单位)立案调查。现已查明："_s, 255, 825, 6885),
        fld(8, u"wfsj_y"_s, 1680, 825, 525),
        fld(8, u"wfsj_m"_s, 2400, 825, 285),
        fld(8, u"wfsj_d"_s, 2895, 825, 240),
        under(8, 1650, 585, 1125),
        under(8, 2370, 315, 1110),
        under(8, 2835, 315, 1110),
        fld(8, u"wfxw1"_s, 480, 1185, 9195),
        under(8, 465, 9195, 1455),
        fld(8, u"wfxw4"_s, 0, 1530, 9675),
        under(8, 0, 9660, 1815),
        fld(8, u"wfxw5"_s, 0, 1875, 9675),
        under(8, 0, 9660, 2160),
        fld(8, u"wfxw6"_s, 0, 2220, 9675),
        under(8, 0, 9660, 2505),
        lbl(8, D, u"以上事实有"_s, 435, 2595, 1290),
        fld(8, u"zm"_s, 1680, 2595, 7275),
        lbl(8, D, u"为证。"_s, 8940, 2595, 1065),
        under(8, 1710, 7290, 2880),
        lbl(8, D, u"本局认为，你(单位)的行为，已经违反了"_s, 465, 3000, 4440),
        fld(8, u"wfgd1"_s, 4830, 3000, 4845),
        under(8, 4845, 4815, 3285),
        fld(8, u"wfgd2"_s, 0, 3360, 8730),
        lbl(8, D, u"的规定，"_s, 8730, 3375, 1155),
        under(8, 15, 8700, 3630),
        lbl(8, D, u"现依据"_s, 0, 3765, 765),
        fld(8, u"yjgd1"_s, 750, 3765, 8940),
        under(8, 750, 8940, 4035),
        fld(8, u"yjgd2"_s, 0, 4110, 8760),
        lbl(8, D, u"的规定，"_s, 8745, 4110, 1110),
        under(8, 0, 8775, 4410),
        lbl(8, D, u"对你(单位)作出下列行政处罚："_s, 0, 4500, 3405),
        fld(8, u"xzcf1"_s, 15, 4890, 9705, false, true),
        under(8, 0, 9720, 5175),
        fld(8, u"xzcf2"_s, 0, 5250, 9720, false, true),
        under(8, 15, 9675, 5520),
        lbl(8, D, u"罚款于  月  日前缴至"_s, 465, 5640, 2475),
        fld(8, u"jksj_m"_s, 1185, 5625, 285),
        fld(8, u"jksj_d"_s, 1665, 5625, 300),
        fld(8, u"jkdw"_s, 2880, 5625, 6840),
        under(8, 1185, 300, 5910),
        under(8, 1650, 330, 5910),
        under(8, 2850, 6855, 5940),
        lbl(8, D, u"地址："_s, 0, 6015, 840),
        fld(8, u"jkdz"_s, 690, 6015, 9030),
        under(8, 570, 9165, 6300),
        lbl(8, D, u"逾期不缴纳罚款的，每日按罚款数额的3%加处罚款。"_s, 495, 6405, 5640),
        lbl(8, D, u"同时依据《中华人民共和国行政处罚法》第二十三条规定，责令改正(或责"_s, 495, 6720, 7845),
        lbl(8, D, u"令自收到本处罚决定书之日起      日内改正)上述违法行为。"_s, 0, 7065, 6870),
        fld(8, u"gzqx"_s, 3360, 7020, 360),
        under(8, 3150, 720, 7320),
        lbl(8, D, u"如不服本处罚决定，可自收到本处罚决定书之日起    日内向"_s, 510, 7395, 6570),
        fld(8, u"fyqx"_s, 5895, 7395, 300),
        fld(8, u"fyjg1"_s, 7095, 7380, 2415),
        under(8, 5820, 510, 7665),
        under(8, 7080, 2460, 7680),
        fld(8, u"fyjg2"_s, 0, 7740, 1935),
        lbl(8, D, u"卫生局或"_s, 2010, 7755, 1005),
        fld(8, u"fyzf"_s, 3060, 7740, 3885),
        lbl(8, D, u"人民政府申请行政复议，"_s, 6945, 7755, 2700),
        under(8, 0, 1905, 8040),
        under(8, 3060, 3900, 8040),
        lbl(8, D, u"或者      日内向"_s, 15, 8130, 2040),
        fld(8, u"qsqx"_s, 705, 8085, 300),
        fld(8, u"qsjg"_s, 2040, 8130, 5880),
        lbl(8, D, u"人民法院起诉，"_s, 7905, 8130, 1785),
        under(8, 480, 765, 8415),
        under(8, 2055, 5880, 8430),
        lbl(8, D, u"但不得停止执行本处罚决定。逾期不申请行政复议或者不向人民法院起诉又不履行处罚决定"_s, 0, 8490, 9915),
        lbl(8, D, u"的，本局将依法申请人民法院强制执行。"_s, 0, 8895, 6075),
        fld(8, u"jgmc"_s, 4665, 9525, 4740, true),
        fld(8, u"pbsj_y"_s, 6135, 10095, 615),
        lbl(8, D, u"年   月   日"_s, 6690, 10080, 1545),
        fld(8, u"pbsj_m"_s, 6960, 10080, 315),
        fld(8, u"pbsj_d"_s, 7575, 10065, 315),
        rule(8, D, 10665, 9615, 15),
        lbl(8, D, u"备注：本文书一式两份，第一份交被处罚人，第二份留存卷宗备查。"_s, 0, 10710, 7380),
        rule(8, D, 10995, 9615, 15),
        lbl(8, D, u"中华人民共和国卫生部制定"_s, 6420, 11085, 2970),
        lbl(19, H, u"卫  生  行  政  执  法  处  罚  文  书"_s, 1725, 1035, 6480, 15.75),
        rule(19, H, 1455, 9600, 10),
        lbl(19, H, u"当场行政处罚决定书"_s, 2760, 1950, 4140, 21.75, true),
        lbl(19, D, u"  Vesk卫(  )罚字[    ]第(     )号"_s, 5580, 75, 3780),
        fld(19, u"lb"_s, 6420, 90, 300),
        fld(19, u"nd"_s, 7410, 60, 480),
        fld(19, u"hao"_s, 8355, 60, 615),
        lbl(19, D, u"被处罚人："_s, 15, 480, 1245),
        fld(19, u"bcfr"_s, 1215, 480, 4815),
        under(19, 1185, 4815, 765),
        lbl(19, D, u"我局于      年     月     日对你(单位)"_s, 495, 900, 4635),
        fld(19, u"jc_n"_s, 1320, 885, 525),
        fld(19, u"jc_y"_s, 2370, 900, 285),
        fld(19, u"jc_r"_s, 3165, 900, 285),
        fld(19, u"jc1"_s, 5100, 900, 4530),
        under(19, 1200, 735, 1170),
        under(19, 2040, 705, 1155),
        under(19, 3000, 630, 1155),
        under(19, 5100, 4560, 1185),
        fld(19, u"jc2"_s, 0, 1245, 7440),
        lbl(19, D, u"进行现场检查，发现"_s, 7425, 1260, 2220),
        under(19, 0, 7470, 1530),
        lbl(19, D, u"有下列违法行为："_s, 0, 1605, 2685),
        fld(19, u"wfxw1"_s, 480, 1905, 9135),
        under(19, 480, 9135, 2190),
        fld(19, u"wfxw2"_s, 0, 2250, 9615),
        under(19, 0, 9600, 2535),
        fld(19, u"wfxw3"_s, 0, 2595, 9615),
        under(19, 0, 9600, 2880),
        fld(19, u"wfxw4"_s, 0, 2940, 9615),
        under(19, 0, 9600, 3225),
        lbl(19, D, u"以上行为有"_s, 435, 3315, 1290),
        fld(19, u"zj"_s, 1680, 3315, 7140),
        lbl(19, D, u"为证。"_s, 8820, 3315, 1065),
        under(19, 1710, 7155, 3600),
        lbl(19, D, u"上述行为已违反了"_s, 405, 3735, 1965),
        fld(19, u"wfgd1"_s, 2340, 3720, 7275),
        under(19, 2355, 7245, 4005),
        fld(19, u"wfgd2"_s, 0, 4080, 8640),
        lbl(19, D, u"的规定，"_s, 8640, 4080, 1155),
        under(19, 15, 8610, 4350),
        lbl(19, D, u"依据"_s, 0, 4485, 570),
        fld(19, u"yj1"_s, 525, 4470, 9105),
        under(19, 525, 9105, 4740),
        fld(19, u"yj2"_s, 0, 4830, 8685),
        lbl(19, D, u"的规定，"_s, 8700, 4830, 1110),
        under(19, 0, 8700, 5130),
        lbl(19, D, u"予以         元人民币罚款的行政处罚。"_s, 0, 5220, 5550),
        fld(19, u"fk"_s, 495, 5205, 1065),
        under(19, 495, 1065, 5490),
        lbl(19, D, u"罚款于    月    日前缴至"_s, 495, 5655, 3045),
        fld(19, u"jk_y"_s, 1350, 5655, 285),
        fld(19, u"jk_r"_s, 2070, 5655, 300),
        fld(19, u"jkdw"_s, 3420, 5655, 6180),
        under(19, 1155, 510, 5955),
        under(19, 1890, 495, 5955),
        under(19, 3390, 6195, 5970),
        lbl(19, D, u"地址："_s, 0, 6045, 840),
        fld(19, u"jkdz"_s, 690, 6045, 8910),
        under(19, 570, 9045, 6330),
        lbl(19, D, u"逾期不缴纳罚款的，每日按罚款数额的3%加处罚款。"_s, 495, 6435, 5640),
        lbl(19, D, u"同时依据《中华人民共和国行政处罚法》第二十三条规定，责令改正(或责令自收到本处罚"_s, 495, 6750, 9135),
        lbl(19, D, u"决定书之日起     日内改正)上述违法行为。"_s, 0, 7095, 6870),
        fld(19, u"gzqx"_s, 1590, 7095, 360),
        under(19, 1455, 570, 7380),
        lbl(19, D, u"如不服本处罚决定，可自收到本处罚决定书之日起    日内向"_s, 510, 7425, 6570),
        fld(19, u"fyqx"_s, 5895, 7410, 300),
        fld(19, u"fyj1"_s, 7065, 7395, 2490),
        under(19, 5820, 420, 7695),
        under(19, 7050, 2535, 7695),
        fld(19, u"fyj2"_s, 0, 7770, 1935),
        lbl(19, D, u"卫生局或"_s, 1965, 7785, 1005),
        fld(19, u"fyzf"_s, 2955, 7785, 4620),
        lbl(19, D, u"人民政府申请复议，"_s, 7545, 7770, 2220),
        under(19, 0, 1905, 8070),
        under(19, 2955, 4575, 8085),
        lbl(19, D, u"或者    日内向"_s, 0, 8160, 1770),
        fld(19, u"qsqx"_s, 600, 8145, 300),
        fld(19, u"fy"_s, 1740, 8160, 3315),
        lbl(19, D, u"人民法院起诉,但不得停止执行本处罚决定。"_s, 5085, 8160, 4845),
        under(19, 510, 435, 8460),
        under(19, 1800, 3270, 8460),
        lbl(19, D, u"逾期不申请行政复议或者不向人民法院起诉又不履行处罚决定的，本局将依法申请人民法院"_s, 0, 8520, 9705),
        lbl(19, D, u"强制执行。"_s, 0, 8925, 6075),
        fld(19, u"dw"_s, 0, 9675, 2925, true),
        lbl(19, D, u"执法人员签名："_s, 6270, 9735, 1755),
        fld(19, u"nian"_s, 6840, 10380, 615),
        lbl(19, D, u"年   月   日"_s, 7395, 10365, 1545),
        fld(19, u"yue"_s, 7665, 10365, 315),
        fld(19, u"ri"_s, 8280, 10350, 315),
        rule(19, D, 10950, 9600, 15),
        lbl(19, D, u"中华人民共和国卫生部制定"_s, 4710, 11025, 2970),
        lbl(21, D, u"卫  生  行  政  执  法  处  罚  文  书"_s, 1695, 1140, 6315, 15.75),
        rule(21, D, 1485, 9630, 15),
        lbl(21, D, u"责令改正通知书存根"_s, 2775, 2025, 4170, 21.75, true),
        lbl(21, D, u"  Vesk卫(  )改字[    ]第(     )号"_s, 5340, 3030, 3765),
        fld(21, u"zi12"_s, 6165, 3045, 300),
        fld(21, u"nd1"_s, 7155, 3015, 480),
        fld(21, u"hao1"_s, 8100, 3015, 615),
        lbl(21, D, u"当 事 人："_s, 15, 3630, 1305),
        fld(21, u"dsr"_s, 1170, 3630, 8430),
        lbl(21, D, u"违法行为："_s, 15, 4035, 1305),
        fld(21, u"wfxw1"_s, 1170, 4035, 8430),
        fld(21, u"wfxw2"_s, 15, 4410, 9600),
        lbl(21, D, u"改正内容："_s, 15, 4815, 1305),
        fld(21, u"gznr"_s, 1170, 4815, 8430),
        lbl(21, D, u"改正期限："_s, 15, 5220, 1290),
        fld(21, u"gzqx_n"_s, 1155, 5220, 525),
        lbl(21, D, u"年   月   日"_s, 1725, 5220, 1890),
        fld(21, u"gzqx_y"_s, 2010, 5220, 330),
        fld(21, u"gzqx_r"_s, 2640, 5205, 285),
        lbl(21, D, u"     时   分"_s, 2940, 5220, 1890),
        fld(21, u"gzqx_s"_s, 3225, 5220, 330),
        fld(21, u"gzqx_f"_s, 3855, 5205, 285),
        under(21, 1170, 525, 5505),
        under(21, 2595, 360, 5505),
        under(21, 1950, 360, 5520),
        under(21, 3795, 360, 5520),
        under(21, 3180, 360, 5535),
        lbl(21, D, u"执法人员签名："_s, 15, 5685, 1740),
        fld(21, u"qm_n"_s, 1665, 6405, 525),
        lbl(21, D, u"年   月   日"_s, 2235, 6420, 1890),
        fld(21, u"qm_y"_s, 2520, 6405, 330),
        fld(21, u"qm_r"_s, 3150, 6390, 285),
        lbl(21, D, u"请骑缝盖章"_s + seam, 15, 7005, 9750),
        lbl(21, D, u"责令改正通知书"_s, 3255, 7770, 3210, 21.75, true),
        lbl(21, D, u"  Vesk卫(  )改字[    ]第(     )号"_s, 5055, 8700, 3930),
        fld(21, u"zi2"_s, 5865, 8715, 300),
        fld(21, u"nd2"_s, 6855, 8685, 480),
        fld(21, u"hao2"_s, 7800, 8685, 615),
        fld(21, u"dw"_s, 0, 9315, 4815),
        under(21, 0, 4725, 9615),
        lbl(21, D, u"经查，你（单"_s, 510, 9825, 1815),
        lbl(21, D, u"位）于    年  月  日从事的"_s, 1935, 9810, 3165),
        fld(21, u"jc_n"_s, 2640, 9795, 525),
        fld(21, u"jc_y"_s, 3375, 9795, 285),
        fld(21, u"jc_r"_s, 3840, 9795, 285),
        fld(21, u"xw1"_s, 5085, 9825, 4485),
        under(21, 2640, 540, 10095),
        under(21, 3330, 360, 10080),
        under(21, 3795, 360, 10080),
        under(21, 5085, 4515, 10125),
        fld(21, u"xw2"_s, 0, 10215, 8685),
        lbl(21, D, u"的行为，"_s, 8700, 10230, 1005),
        under(21, 0, 8700, 10515),
        lbl(21, D, u"违反了"_s, 0, 10635, 780),
        fld(21, u"wfgd1"_s, 750, 10620, 8820),
        under(21, 750, 8820, 10890),
        fld(21, u"wfgd2"_s, 0, 10980, 8655),
        lbl(21, D, u"的规定，"_s, 8670, 11025, 1110),
        under(21, 0, 8670, 11280),
        lbl(21, D, u"现依据"_s, 0, 11400, 765),
        fld(21, u"yj1"_s, 720, 11385, 8865),
        under(21, 720, 8865, 11655),
        fld(21, u"yj2"_s, 0, 11745, 8640),
        lbl(21, D, u"的规定，"_s, 8655, 11745, 1110),
        under(21, 0, 8655, 12045),
        lbl(21, D, u"责令你单位于"_s, 0, 12150, 1485),
        fld(21, u"gz_n"_s, 1470, 12105, 525),
        lbl(21, D, u"年   月   日"_s, 2040, 12150, 1890),
        fld(21, u"gz_y"_s, 2325, 12105, 330),
        fld(21, u"gz_r"_s, 2955, 12105, 285),
        lbl(21, D, u"     时   分前改正上述行为。"_s, 3255, 12150, 3570),
        fld(21, u"gz_s"_s, 3540, 12105, 330),
        fld(21, u"gz_f"_s, 4170, 12120, 285),
        under(21, 1440, 555, 12420),
        under(21, 2880, 360, 12420),
        under(21, 3465, 360, 12420),
        under(21, 4110, 360, 12420),
        under(21, 2280, 360, 12405),
        fld(21, u"jg"_s, 5190, 13110, 3795, true),
        fld(21, u"nian"_s, 6045, 13620, 525),
        lbl(21, D, u"年   月   日"_s, 6630, 13650, 1890),
        fld(21, u"yue"_s, 6900, 13620, 330),
        fld(21, u"ri"_s, 7530, 13605, 285),
        rule(21, D, 14235, 9630, 10),
        lbl(21, D, u"中华人民共和国卫生部制定"_s, 6060, 14340, 3210),
    };
    return all;
}

// Columns whose entries are written by hand on paper, and the key.
QStringList unprinted(int k)
{
    switch (k) {
    case dccf: return {u"dabh"_s, u"zfry"_s};
    case zlgz: return {u"dabh"_s, u"qm"_s};
    default: return {u"dabh"_s};
    }
}

// The labels of these forms whose wording is wider than their box: the
// whole text prints, running on to the right.
bool widerThanItsBox(const QString &text) { return text.startsWith(u"同时依据"_s) && text.endsWith(u"本处罚"_s); }


// A case of its own for each filling, so one database serves every row of
// every test; each column written as full as its capacity allows.
QString fillRow(const DocumentDescription &d, const QString &text)
{
    static int serial = 0;
    const QString number = u"2002%1"_s.arg(++serial, 4, 10, QChar(u'0'));
    test::writeRow(d, number, [&](const BoxSpec &) { return text.repeated(60); });
    return number;
}

// The printed form of a case's row, as the print picture makes it.
PageModel printedFor(const DocumentDescription &d, const QString &number)
{
    app().caseNo = number;
    return buildReport(d.report);
}

QString stored(const DocumentDescription &d, const QString &column, const QString &number)
{
    return test::storedValue(d.document.table, column, number);
}

int sectionTop(const DocumentDescription &d, Sec s)
{
    const int top = d.report.page.topMargin + d.report.reportHeader.height;
    return s == Sec::Header ? top : top + d.report.pageHeader.height;
}

const PageItem *findPrinted(const Page &page, const Printed &e, int top, int x0)
{
    return test::findPrinted(page, e.what, e.text, e.left, e.top, x0, top);
}

// Where the n-th run of blanks of a text lies, in twips from its left.
std::pair<int, int> blankRun(const QString &text, std::size_t n, double points)
{
    const auto [start, length] = blankRuns(text).at(n);
    const int left = gridOffsetTwips(text, start, points);
    return {left, left + gridWidthTwips(text.mid(start, length), points)};
}

} // namespace

class TestDecisionForms : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void documents_data();
    void documents();
    void boxKinds_data();
    void boxKinds();
    void windowBoxes_data();
    void windowBoxes();
    void windowTexts_data();
    void windowTexts();
    void windowLines_data();
    void windowLines();
    void boxesInBlanksHideNoWording_data();
    void boxesInBlanksHideNoWording();
    void numberBoxesInTheirBrackets_data();
    void numberBoxesInTheirBrackets();
    void printedPositions_data();
    void printedPositions();
    void nothingElsePrints_data();
    void nothingElsePrints();
    void numberFieldsInTheirBrackets_data();
    void numberFieldsInTheirBrackets();
    void fullColumnsPrintWhole_data();
    void fullColumnsPrintWhole();

private:
    std::unique_ptr<test::TestDatabase> m_db;
    // Each form printed once for a row full of full-width text.
    std::map<int, QString> m_filledCase;
    std::map<int, PageModel> m_filled;
};

void TestDecisionForms::initTestCase()
{
    m_db = std::make_unique<test::TestDatabase>();
    for (int k : {cfjd, dccf, zlgz}) {
        m_filledCase[k] = fillRow(description(k), u"卫"_s);
        m_filled[k] = printedFor(description(k), m_filledCase[k]);
    }
}

void TestDecisionForms::cleanupTestCase() { m_db.reset(); }

void TestDecisionForms::documents_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("authority");
    QTest::addColumn<std::vector<int>>("successor");
    QTest::addColumn<std::vector<int>>("continuation");
    QTest::addColumn<int>("last");
    QTest::addColumn<bool>("pointerReset");
    QTest::addColumn<QSize>("client");
    QTest::addColumn<int>("deleteBoxLeft");
    QTest::newRow("行政处罚决定书") << cfjd << u"cfjd"_s << u"行政处罚决定书"_s << u"jgmc"_s
                             << std::vector<int>{7, 8, 9, 12, 14, 16, 24}
                             << std::vector<int>{8, 9, 10, 13, 15, 17, 25} << 32 << true << QSize(8280, 8625)
                             << 7320;
    QTest::newRow("当场行政处罚决定书") << dccf << u"dccf"_s << u"当场行政处罚决定书"_s << u"dw"_s
                               << std::vector<int>{7, 9, 10, 11, 14, 16, 25}
                               << std::vector<int>{8, 10, 11, 12, 15, 17, 26} << 34 << true
                               << QSize(8145, 8370) << 7200;
    QTest::newRow("责令改正通知书") << zlgz << u"zlgz"_s << u"责令改正通知书"_s << u"jg"_s
                             << std::vector<int>{4, 23, 25, 27} << std::vector<int>{5, 24, 26, 28} << 37 << false
                             << QSize(8085, 8280) << 7080;
}

// The register's box k finds the description; its sets, bounds, tab order,
// authority column and report are the document's.
void TestDecisionForms::documents()
{
    QFETCH(int, k);
    QFETCH(QString, table);
    QFETCH(QString, caption);
    QFETCH(QString, authority);
    QFETCH(std::vector<int>, successor);
    QFETCH(std::vector<int>, continuation);
    QFETCH(int, last);
    QFETCH(bool, pointerReset);
    QFETCH(QSize, client);
    QFETCH(int, deleteBoxLeft);
    const DocumentDescription *d = documentDescription(k);
    QVERIFY(d);
    QCOMPARE(checkDescription(*d), QStringList());
    QCOMPARE(d->document.table, table);
    QCOMPARE(d->document.windowName(), u"frm_"_s + table);
    QCOMPARE(d->document.windowCaption, caption);
    QCOMPARE(d->document.authorityColumn, authority);
    QCOMPARE(d->report.name, u"rep_"_s + table);
    QCOMPARE(d->successorSet(), successor);
    QCOMPARE(d->continuationSet(), continuation);
    QCOMPARE(d->lastIndex(), last);
    QCOMPARE(d->enterDownLimit(), last);
    QCOMPARE(d->upBound, 0);
    QCOMPARE(d->pointerReset, pointerReset);
    QCOMPARE(QSize(d->window.width, d->window.height), client);
    QCOMPARE(d->window.deleteBoxLeft, deleteBoxLeft);
    std::vector<int> order;
    for (int i = 0; i <= last; ++i)
        order.push_back(i);
    order.push_back(deleteBoxTab);
    QCOMPARE(d->tabOrder(), order);
}

void TestDecisionForms::boxKinds_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<Kinds>("kinds"); // every other box: "blue"
    const QString centred = u"blue centred"_s;
    const QString authority = u"black centred locked"_s;
    QTest::newRow("cfjd") << cfjd
                          << Kinds{{1, centred},          {2, centred},         {16, u"blue bold"_s},
                                                {17, u"blue bold"_s},  {22, centred},        {23, centred},
                                                {27, centred},         {29, authority}};
    QTest::newRow("dccf") << dccf
                          << Kinds{{1, centred}, {2, centred}, {30, authority}, {31, u"red"_s}};
    const QString year = u"blue limit 4"_s;
    const QString part = u"blue limit 2"_s;
    QTest::newRow("zlgz") << zlgz
                          << Kinds{{1, centred}, {2, centred},  {6, u"blue 230 high"_s},
                                                {7, year},    {8, part},     {9, part},
                                                {10, part},   {11, part},    {12, u"red"_s},
                                                {13, year},   {14, part},    {15, part},
                                                {17, centred}, {18, centred}, {20, year},
                                                {21, year},   {22, year},    {34, authority},
                                                {35, year},   {36, part},    {37, part}};
}

// Data boxes are blue, signatures red, the authority box black, centred
// and locked; a few centre their text, the penalty lines are bold, and
// only the order's own date parts limit typing.
void TestDecisionForms::boxKinds()
{
    QFETCH(int, k);
    QFETCH(Kinds, kinds);
    const DocumentDescription &d = description(k);
    for (int i = 0; i <= d.lastIndex(); ++i) {
        const BoxSpec &b = d.boxes[std::size_t(i)];
        QStringList kind{b.colour == vbBlue ? u"blue"_s : b.colour == vbRed ? u"red"_s : u"black"_s};
        if (b.centred)
            kind << u"centred"_s;
        if (b.bold)
            kind << u"bold"_s;
        if (b.locked)
            kind << u"locked"_s;
        if (b.typingLimit > 0)
            kind << u"limit %1"_s.arg(b.typingLimit);
        if (b.height != 180)
            kind << u"%1 high"_s.arg(b.height);
        QVERIFY(b.visible && !b.memo && b.save == BoxSave::ReadBack);
        QCOMPARE(kind.join(u' '), kinds.value(i, u"blue"_s));
    }
}

void TestDecisionForms::windowBoxes_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("box");
    QTest::addColumn<QRect>("rect");
    for (const PlacedBox &b : expectedBoxes())
        QTest::addRow("%s %s", qPrintable(description(b.k).document.table),
                      qPrintable(description(b.k).boxes[std::size_t(b.box)].column))
            << b.k << b.box << b.rect;
}

void TestDecisionForms::windowBoxes()
{
    QFETCH(int, k);
    QFETCH(int, box);
    QFETCH(QRect, rect);
    const DocumentDescription &d = description(k);
    QCOMPARE(placeWindow(d).boxes.at(std::size_t(box)), rect);
    QCOMPARE(d.boxes[std::size_t(box)].width, rect.width());
}

void TestDecisionForms::windowTexts_data()
{
    QTest::addColumn<int>("n");
    const std::vector<WindowText> &all = expectedTexts();
    for (std::size_t n = 0; n < all.size(); ++n)
        QTest::addRow("%s %d %s", qPrintable(description(all[n].k).document.table), all[n].top,
                      qPrintable(all[n].text.left(12)))
            << int(n);
}

// Every wording of the form once, where the form has it, in its size.
void TestDecisionForms::windowTexts()
{
    QFETCH(int, n);
    const WindowText &e = expectedTexts()[std::size_t(n)];
    const WindowLayout l = placeWindow(description(e.k));
    const auto found = std::find_if(l.texts.begin(), l.texts.end(), [&](const PlacedText &t) {
        return t.text == e.text && t.top == e.top;
    });
    QVERIFY(found != l.texts.end());
    QCOMPARE(found->left, isNumberLine(e.text) ? numberLineLeft(e.left, 9) : e.left);
    QCOMPARE(found->points, e.points);
    QCOMPARE(found->bold, e.bold);
    const auto texts = std::count_if(expectedTexts().begin(), expectedTexts().end(),
                                     [&](const WindowText &t) { return t.k == e.k; });
    QCOMPARE(qsizetype(l.texts.size()), qsizetype(texts));
}

void TestDecisionForms::windowLines_data()
{
    QTest::addColumn<int>("k");
    QTest::newRow("cfjd") << cfjd;
    QTest::newRow("dccf") << dccf;
    QTest::newRow("zlgz") << zlgz;
}

// The rules and underlines, one slanting a little as the form's does.
void TestDecisionForms::windowLines()
{
    QFETCH(int, k);
    auto key = [](const Segment &s) { return std::tuple(s.y1, s.x1, s.x2, s.y2); };
    auto sorted = [&](std::vector<Segment> v) {
        std::sort(v.begin(), v.end(), [&](const Segment &a, const Segment &b) { return key(a) < key(b); });
        return v;
    };
    QCOMPARE(sorted(placeWindow(description(k)).lines), sorted(expectedLines(k)));
}

void TestDecisionForms::boxesInBlanksHideNoWording_data() { windowLines_data(); }

// A box is opaque: one laid over a run of blanks of a label may reach at
// most 20 twips (a pixel) into the characters beside the run, so every
// character of the wording stays readable.
void TestDecisionForms::boxesInBlanksHideNoWording()
{
    QFETCH(int, k);
    const WindowLayout l = placeWindow(description(k));
    int inBlanks = 0;
    for (std::size_t b = 0; b < l.boxes.size(); ++b) {
        const QRect &r = l.boxes[b];
        for (const PlacedText &t : l.texts) {
            if (t.width > 0 || r.top() >= t.top + int(t.points * 20) || r.bottom() < t.top)
                continue;
            const auto runs = blankRuns(t.text);
            for (std::size_t n = 0; n < runs.size(); ++n) {
                const auto [from, to] = blankRun(t.text, n, t.points);
                if (r.left() >= t.left + to || r.left() + r.width() <= t.left + from)
                    continue;
                ++inBlanks;
                QVERIFY2(r.left() >= t.left + from - 20 && r.left() + r.width() <= t.left + to + 20,
                         qPrintable(u"box %1 over %2"_s.arg(b).arg(t.text)));
            }
        }
    }
    QVERIFY(inBlanks >= 9);
}

void TestDecisionForms::numberBoxesInTheirBrackets_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<int>("top");
    QTest::addColumn<std::vector<int>>("boxes");
    QTest::newRow("cfjd") << cfjd << 765 << std::vector<int>{0, 1, 2};
    QTest::newRow("dccf") << dccf << 765 << std::vector<int>{0, 1, 2};
    QTest::newRow("zlgz stub") << zlgz << 840 << std::vector<int>{0, 1, 2};
    QTest::newRow("zlgz notice") << zlgz << 4200 << std::vector<int>{16, 17, 18};
}

// The category mark, year and serial boxes stand in the parentheses, the
// square brackets and the parentheses of their number line.
void TestDecisionForms::numberBoxesInTheirBrackets()
{
    QFETCH(int, k);
    QFETCH(int, top);
    QFETCH(std::vector<int>, boxes);
    const WindowLayout l = placeWindow(description(k));
    const auto line = std::find_if(l.texts.begin(), l.texts.end(),
                                   [&](const PlacedText &t) { return isNumberLine(t.text) && t.top == top; });
    QVERIFY(line != l.texts.end());
    for (std::size_t n = 0; n < boxes.size(); ++n) {
        const auto [from, to] = blankRun(line->text, n, 9);
        const QRect &r = l.boxes[std::size_t(boxes[n])];
        QVERIFY2(r.left() >= line->left + from && r.left() + r.width() <= line->left + to + 20,
                 qPrintable(QString::number(boxes[n])));
    }
}

void TestDecisionForms::printedPositions_data()
{
    QTest::addColumn<int>("n");
    const std::vector<Printed> &all = printedForms();
    static const char *const kinds[] = {"label", "field", "rule", "underline"};
    for (std::size_t n = 0; n < all.size(); ++n)
        QTest::addRow("%s %s %s %d", qPrintable(description(all[n].k).report.name), kinds[int(all[n].what)],
                      qPrintable(all[n].text.left(12)), all[n].top)
            << int(n);
}

void TestDecisionForms::printedPositions()
{
    QFETCH(int, n);
    const Printed &e = printedForms()[std::size_t(n)];
    const DocumentDescription &d = description(e.k);
    const PageModel &model = m_filled.at(e.k);
    QCOMPARE(model.pageCount(), 1);
    const int top = sectionTop(d, e.section);
    const int x0 = d.report.page.leftMargin;
    const PageItem *p = findPrinted(model.pages[0], e, top, x0);
    QVERIFY2(p, "not printed");
    // A field printed smaller stands in the middle of its line of text.
    if (e.what == What::Field)
        QVERIFY2(test::inLineOfText(test::fieldLines(model.pages[0], e.text), top + e.top, e.points),
                 qPrintable(QString::number(p->top - top)));
    else
        QVERIFY2(std::abs(p->top - top - e.top) <= tolerance, qPrintable(QString::number(p->top - top)));
    const int left = p->left - x0;
    const int formLeft = isNumberLine(e.text) ? numberLineLeft(e.left, 12) : e.left;
    switch (e.what) {
    case What::Label:
    case What::Field:
        if (e.centred) // its middle where the middle of its box is
            QVERIFY(std::abs(left + p->width / 2 - (e.left + e.width / 2)) <= tolerance);
        else
            QVERIFY2(std::abs(left - formLeft) <= tolerance, qPrintable(QString::number(left)));
        // A field wider than its box prints smaller.
        if (e.what == What::Field && gridWidthTwips(test::fieldText(model.pages[0], e.text), e.points) > e.width)
            QVERIFY(p->pointSize < e.points);
        else
            QCOMPARE(p->pointSize, e.points);
        QCOMPARE(p->bold, e.bold);
        // The text ends inside the form's box (a number line, starting
        // further left, keeps the box's right edge).
        if (!widerThanItsBox(e.text))
            QVERIFY2(left + p->width <= e.left + e.width, qPrintable(u"%1 + %2"_s.arg(left).arg(p->width)));
        // Everything lies on the printable area.
        QVERIFY(left >= 0 && left + p->width <= paperWidth(d.report.page) - x0 - d.report.page.rightMargin);
        if (e.what == What::Field)
            QVERIFY(!p->text.isEmpty()
                    && stored(d, e.text, m_filledCase.at(e.k)) == test::fieldText(model.pages[0], e.text));
        break;
    case What::Rule:
        QCOMPARE(left, 0);
        QCOMPARE(p->width, e.width);
        QCOMPARE(p->height, e.height);
        QVERIFY(p->filled);
        break;
    case What::Underline:
        QCOMPARE(p->height, 0);
        QVERIFY(std::abs(left + p->width - (e.left + e.width)) <= tolerance);
        // The on-the-spot decision's underlines are dotted, the others solid.
        QCOMPARE(p->style, e.k == dccf ? LineStyle::Dotted : LineStyle::Solid);
        break;
    }
}

void TestDecisionForms::nothingElsePrints_data() { windowLines_data(); }

// The page holds exactly the form's items; the signatures and the case
// number print nowhere, though their columns hold text.
void TestDecisionForms::nothingElsePrints()
{
    QFETCH(int, k);
    const DocumentDescription &d = description(k);
    const PageModel &model = m_filled.at(k);
    QCOMPARE(model.pageCount(), 1);
    const Page &p = model.pages[0];
    int texts = 0;
    int rules = 0;
    int underlines = 0;
    QStringList fields;
    for (const Printed &e : printedForms()) {
        if (e.k != k)
            continue;
        texts += e.what == What::Label || e.what == What::Field;
        rules += e.what == What::Rule;
        underlines += e.what == What::Underline;
        if (e.what == What::Field)
            fields << e.text;
    }
    QStringList printedFields;
    for (const PageItem *f : test::itemsOf(p, ItemKind::Field))
        if (!printedFields.contains(f->column))
            printedFields << f->column;
    QCOMPARE(count(p, ItemKind::Label) + int(printedFields.size()), texts);
    QCOMPARE(count(p, ItemKind::Box), rules);
    QCOMPARE(count(p, ItemKind::Line), underlines);
    // Every column prints once, but the hand-written ones and the key.
    QStringList columns;
    for (const BoxSpec &b : d.boxes)
        if (!unprinted(k).contains(b.column))
            columns << b.column;
    fields.sort();
    columns.sort();
    QCOMPARE(fields, columns);
    for (const QString &column : unprinted(k)) {
        for (const PageItem &i : p.items)
            QVERIFY2(i.column != column, qPrintable(column));
        QVERIFY(!stored(d, column, m_filledCase.at(k)).isEmpty());
    }
    QVERIFY(!model.texts(0).join(u'|').contains(m_filledCase.at(k)));
}

void TestDecisionForms::numberFieldsInTheirBrackets_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QStringList>("fields");
    QTest::newRow("rep_cfjd") << cfjd << QStringList{u"lb"_s, u"nd"_s, u"bh"_s};
    QTest::newRow("rep_dccf") << dccf << QStringList{u"lb"_s, u"nd"_s, u"hao"_s};
    QTest::newRow("rep_zlgz stub") << zlgz << QStringList{u"zi12"_s, u"nd1"_s, u"hao1"_s};
    QTest::newRow("rep_zlgz notice") << zlgz << QStringList{u"zi2"_s, u"nd2"_s, u"hao2"_s};
}

// Category mark, year and serial print inside the parentheses, the square
// brackets and the parentheses of their number line, never over "Vesk卫".
void TestDecisionForms::numberFieldsInTheirBrackets()
{
    QFETCH(int, k);
    QFETCH(QStringList, fields);
    const DocumentDescription &d = description(k);
    const PageModel model = printedFor(d, fillRow(d, u"12"_s));
    std::vector<const PageItem *> numbers;
    for (const PageItem &i : model.pages[0].items)
        if (i.kind == ItemKind::Label && isNumberLine(i.text))
            numbers.push_back(&i);
    for (int n = 0; n < 3; ++n) {
        const auto lines = test::fieldLines(model.pages[0], fields[n]);
        QVERIFY(!lines.empty());
        const auto line = std::find_if(numbers.begin(), numbers.end(),
                                       [&](const PageItem *l) { return test::inLineOfText(lines, l->top, 12); });
        QVERIFY(line != numbers.end());
        // The first run of blanks leads the line; a field as full as it
        // prints may reach a quarter of a character over the thin brackets.
        const auto [from, to] = blankRun((*line)->text, std::size_t(n + 1), 12);
        for (const PageItem *f : lines)
            QVERIFY2(f->left >= (*line)->left + from - 30 && f->left + f->width <= (*line)->left + to + 30,
                     qPrintable(fields[n]));
    }
}

void TestDecisionForms::fullColumnsPrintWhole_data()
{
    QTest::addColumn<int>("k");
    QTest::addColumn<QString>("text");
    for (int k : {cfjd, dccf, zlgz}) {
        const QString t = description(k).document.table;
        QTest::addRow("%s, full-width text", qPrintable(t)) << k << u"卫"_s;
        QTest::addRow("%s, digits", qPrintable(t)) << k << u"7"_s;
        QTest::addRow("%s, both", qPrintable(t)) << k << u"卫7"_s;
    }
}

// Every column filled to its capacity prints inside its field, whole but
// for what its box cannot hold at the smallest printed size: a paragraph
// line keeps no character that its printed line would drop, and a short
// date, time, number or day-count part wider than its box prints
// smaller.
void TestDecisionForms::fullColumnsPrintWhole()
{
    QFETCH(int, k);
    QFETCH(QString, text);
    const DocumentDescription &d = description(k);
    const QString number = fillRow(d, text);
    const PageModel model = printedFor(d, number);
    int fields = 0;
    for (const Item &item : d.report.detail.items) {
        if (item.kind != ItemKind::Field)
            continue;
        ++fields;
        const auto lines = test::fieldLines(model.pages[0], item.text);
        QVERIFY(!lines.empty());
        for (const PageItem *p : lines) {
            const int left = p->left - d.report.page.leftMargin;
            QVERIFY2(left >= item.left && left + p->width <= item.left + item.width, qPrintable(item.text));
            QVERIFY(p->pointSize >= smallestPrintedSize);
        }
        // Whole, but where even two lines of the smallest size in its box
        // cannot hold it (a mark of full-width characters and digits in
        // turn): then those two lines, the cut shown.
        const QString printed = test::fieldText(model.pages[0], item.text);
        const QString value = stored(d, item.text, number);
        if (printed != value)
            QVERIFY2(printed.endsWith(cutMark) && value.startsWith(printed.chopped(1)) && lines.size() == 2
                         && lines[0]->pointSize == smallestPrintedSize,
                     qPrintable(item.text + u": "_s + printed));
    }
    // Every box but the hand-written ones (the key has no box).
    QCOMPARE(fields, int(d.boxes.size()) - int(unprinted(k).size() - 1));
}

QTEST_GUILESS_MAIN(TestDecisionForms)
#include "tst_decisionforms.moc"
