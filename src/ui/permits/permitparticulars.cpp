#include "permits/permitparticulars.h"

#include "permits/permitprintlines.h"
#include "platform/accessiblenames.h"
#include "platform/formcontrols.h"
#include "platform/listbox.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

struct LabelPlace {
    const char16_t *text;
    int left, top, width;
};

struct BoxPlace {
    int index; // -1: the floor area box
    const char16_t *column;
    int left, top, width;
    LabelPlace label;
};

// Frame1, then Frame2; every box 270 twips high.
constexpr BoxPlace unitBoxes[] = {
    {0, u"dwmc", 1320, 360, 3855, {u"单位名称", 240, 360, 1080}},
    {1, u"dwdz", 1320, 720, 3855, {u"单位地址", 240, 720, 1080}},
    {2, u"fzr", 1320, 1080, 1575, {u"法人/负责人", 240, 1080, 1080}},
    {3, u"jjxz", 3960, 1080, 1215, {u"经济性质", 3120, 1080, 840}},
    {4, u"dhhm", 1320, 1440, 1575, {u"电话号码", 240, 1440, 1080}},
    {5, u"xgrs", 3960, 1440, 1215, {u"职工人数", 3120, 1440, 840}},
    {16, u"gdzc", 1320, 1800, 1575, {u"固定资产", 240, 1800, 1080}},
    {-1, u"symj", 3960, 1800, 1215, {u"使用面积", 3120, 1800, 840}},
};
constexpr BoxPlace permitBoxes[] = {
    {6, u"xkzh", 1320, 720, 1575, {u"许可证号", 240, 720, 1080}},
    {7, u"yxkzh", 3960, 720, 1335, {u"原许可证号", 3000, 720, 960}},
    {8, u"xkxm", 1320, 1080, 3975, {u"许可项目", 240, 1080, 1080}},
    {9, u"fzrq", 1320, 1440, 1575, {u"发证日期", 240, 1440, 1080}},
    {10, u"yxqx", 3960, 1440, 1335, {u"有效期限", 3000, 1440, 960}},
};
constexpr LabelPlace modelLabel{u"许可证型号", 240, 360, 1080};
constexpr LabelPlace categoryLabel{u"许可证类别", 3000, 360, 960};

QLabel *addLabel(QWidget *frame, const LabelPlace &l)
{
    return formLabel(frame, QString::fromUtf16(l.text), l.left, l.top, l.width);
}

void addBoxes(QWidget *frame, const auto &places, int floorAreaBox, std::vector<PermitParticulars::Box> &boxes)
{
    for (const BoxPlace &p : places) {
        const int index = p.index < 0 ? floorAreaBox : p.index;
        auto *box = placed(new QLineEdit(frame), p.left, p.top, p.width, 270);
        nameAfter(box, addLabel(frame, p.label));
        boxes.push_back({index, QString::fromUtf16(p.column), box});
    }
}

} // namespace

ListBox *permitListBox(QWidget *parent, const QString &name, const QStringList &entries)
{
    auto *box = new ListBox(entries, parent);
    box->setObjectName(name);
    return box;
}

PermitParticulars PermitParticulars::build(QWidget *window, int floorAreaBox, const QStringList &categories)
{
    PermitParticulars p;
    p.unitFrame = formFrame(window, u"Frame1"_s, u"单位信息"_s, 120, 120, 5415, 2295);
    addBoxes(p.unitFrame, unitBoxes, floorAreaBox, p.boxes);

    p.permitFrame = formFrame(window, u"Frame2"_s, u"许可证信息"_s, 120, 2520, 5415, 1935);
    p.model = placed(permitListBox(p.permitFrame, u"Combo1_0"_s, permitModels()), 1320, 360, 1575, 300);
    p.category = placed(permitListBox(p.permitFrame, u"Combo1_1"_s, categories), 3960, 360, 1335, 300);
    nameAfter(p.model, addLabel(p.permitFrame, modelLabel));
    nameAfter(p.category, addLabel(p.permitFrame, categoryLabel));
    addBoxes(p.permitFrame, permitBoxes, floorAreaBox, p.boxes);
    return p;
}

} // namespace kelm
