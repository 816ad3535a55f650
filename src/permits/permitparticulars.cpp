#include "permits/permitparticulars.h"

#include "permits/permitprintlines.h"
#include "platform/formcontrols.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

struct BoxPlace {
    int index; // -1: the floor area box
    const char16_t *column;
    int left, top, width;
};

// Frame1, then Frame2; every box 270 twips high.
constexpr BoxPlace unitBoxes[] = {
    {0, u"dwmc", 1320, 360, 3855},  {1, u"dwdz", 1320, 720, 3855},  {2, u"fzr", 1320, 1080, 1575},
    {3, u"jjxz", 3960, 1080, 1215}, {4, u"dhhm", 1320, 1440, 1575}, {5, u"xgrs", 3960, 1440, 1215},
    {16, u"gdzc", 1320, 1800, 1575}, {-1, u"symj", 3960, 1800, 1215},
};
constexpr BoxPlace permitBoxes[] = {
    {6, u"xkzh", 1320, 720, 1575},  {7, u"yxkzh", 3960, 720, 1335}, {8, u"xkxm", 1320, 1080, 3975},
    {9, u"fzrq", 1320, 1440, 1575}, {10, u"yxqx", 3960, 1440, 1335},
};

struct LabelPlace {
    const char16_t *text;
    int left, top, width;
};

constexpr LabelPlace unitLabels[] = {
    {u"单位名称", 240, 360, 1080}, {u"单位地址", 240, 720, 1080}, {u"法人/负责人", 240, 1080, 1080},
    {u"电话号码", 240, 1440, 1080}, {u"固定资产", 240, 1800, 1080}, {u"经济性质", 3120, 1080, 840},
    {u"职工人数", 3120, 1440, 840}, {u"使用面积", 3120, 1800, 840},
};
constexpr LabelPlace permitLabels[] = {
    {u"许可证型号", 240, 360, 1080}, {u"许可证号", 240, 720, 1080},   {u"许可项目", 240, 1080, 1080},
    {u"发证日期", 240, 1440, 1080},  {u"许可证类别", 3000, 360, 960}, {u"原许可证号", 3000, 720, 960},
    {u"有效期限", 3000, 1440, 960},
};

void addLabels(QWidget *frame, const auto &labels)
{
    for (const LabelPlace &l : labels)
        formLabel(frame, QString::fromUtf16(l.text), l.left, l.top, l.width);
}

void addBoxes(QWidget *frame, const auto &places, int floorAreaBox, std::vector<PermitParticulars::Box> &boxes)
{
    for (const BoxPlace &p : places) {
        const int index = p.index < 0 ? floorAreaBox : p.index;
        auto *box = placed(new QLineEdit(frame), p.left, p.top, p.width, 270);
        boxes.push_back({index, QString::fromUtf16(p.column), box});
    }
}

} // namespace

QComboBox *permitListBox(QWidget *parent, const QString &name, const QStringList &entries)
{
    auto *combo = new QComboBox(parent);
    combo->setObjectName(name);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(entries);
    combo->setEditText({});
    return combo;
}

PermitParticulars PermitParticulars::build(QWidget *window, int floorAreaBox, const QStringList &categories)
{
    PermitParticulars p;
    p.unitFrame = formFrame(window, u"Frame1"_s, u"单位信息"_s, 120, 120, 5415, 2295);
    addLabels(p.unitFrame, unitLabels);
    addBoxes(p.unitFrame, unitBoxes, floorAreaBox, p.boxes);

    p.permitFrame = formFrame(window, u"Frame2"_s, u"许可证信息"_s, 120, 2520, 5415, 1935);
    addLabels(p.permitFrame, permitLabels);
    p.model = placed(permitListBox(p.permitFrame, u"Combo1_0"_s, permitModels()), 1320, 360, 1575, 300);
    p.category = placed(permitListBox(p.permitFrame, u"Combo1_1"_s, categories), 3960, 360, 1335, 300);
    addBoxes(p.permitFrame, permitBoxes, floorAreaBox, p.boxes);
    return p;
}

} // namespace kelm
