#include "exams/examregisterwindow.h"

#include "data/appvalues.h"
#include "exams/examchecks.h"
#include "exams/examquery.h"
#include "exams/examquerywindow.h"
#include "platform/accessiblenames.h"
#include "platform/boundrecord.h"
#include "platform/busypointer.h"
#include "platform/formcontrols.h"
#include "platform/messages.h"
#include "platform/recordnavigator.h"
#include "platform/typinglimit.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

constexpr int numberBox = 0;
constexpr int firstTransferBox = 10; // dlsh, dlsj, jbr, jsr
constexpr int lastTransferBox = 13;
constexpr int examResultBox = 14;    // tjhg, hidden
constexpr int trainingResultBox = 15; // pxhg, hidden
constexpr int boxCount = 16;          // Text1(0)..Text1(15)
constexpr int buttonTop = 5880;

const QString passed = u"合格"_s;
const QString failed = u"不合格"_s;

struct BoxPlace {
    int index;
    const char16_t *column;
    int left, top, width;
};

struct LabelPlace {
    const char16_t *text;
    int left, top, width;
    int box; // Text1(box) stands after it
};

// The frame without a caption at the top.
constexpr LabelPlace particularLabels[] = {
    {u"体检编号", 240, 360, 840, 0},  {u"体检日期", 2520, 360, 840, 1}, {u"姓    名", 240, 720, 840, 2},
    {u"性    别", 2520, 720, 840, 3}, {u"年    龄", 240, 1080, 840, 4}, {u"工    种", 2520, 1080, 840, 5},
    {u"单位名称", 240, 1440, 840, 6}, {u"地    址", 240, 1800, 840, 7},
};
constexpr BoxPlace particularBoxes[] = {
    {0, u"tjbh", 1080, 360, 1335}, {1, u"tjrq", 3360, 360, 1575}, {2, u"xm", 1080, 720, 1335},
    {3, u"xb", 3360, 720, 1575},   {4, u"nl", 1080, 1080, 1335},  {5, u"gz", 3360, 1080, 1575},
    {6, u"dwmc", 1080, 1440, 3855}, {7, u"dz", 1080, 1800, 3855},
};

// 调离情况: Label9 to Label12 in their number order, then the boxes.
constexpr LabelPlace transferLabels[] = {
    {u"调离文书编号", 240, 360, 1200, 10},
    {u"经办人", 240, 720, 720, 12},
    {u"收到人", 2760, 720, 600, 13},
    {u"调离时间", 2760, 360, 840, 11},
};
constexpr BoxPlace transferBoxes[] = {
    {10, u"dlsh", 1440, 360, 1095},
    {11, u"dlsj", 3600, 360, 1335},
    {12, u"jbr", 960, 720, 1455},
    {13, u"jsr", 3360, 720, 1575},
};

} // namespace

ExamRegisterWindow::ExamRegisterWindow(QWidget *parent)
    : AbstractRegisterWindow(RecordSource::tableOrder(u"jktj"_s), app().examSlot(), u"tjbh"_s, parent)
{
    setObjectName(u"frm_jktj"_s);
    setWindowTitle(u"健康检查及卫生知识培训信息管理"_s);
    setFixedSize(px(5325), px(6690));

    buildParticulars();
    buildResultFrames();
    buildTransferFrame();
    for (const auto &[index, column] : {std::pair{examResultBox, u"tjhg"}, std::pair{trainingResultBox, u"pxhg"}}) {
        addBox(index, column, this, 0, 0, 0)->hide();
        connect(lineBox(index), &QLineEdit::textChanged, this, &ExamRegisterWindow::showResults);
    }
    buildButtons();
    setTabOrder();
    m_navigator->setGeometry(pxRect(0, 6315, 5325, 375));

    m_record->setNewRowValue(u"tjhg"_s, passed);
    m_record->setNewRowValue(u"pxhg"_s, passed);
    // A record shown with the result it already showed changes no box, so
    // the results are shown again after every fill.
    connect(m_record, &BoundRecord::filled, this, &ExamRegisterWindow::showResults);
    openRecord();
}

QLineEdit *ExamRegisterWindow::addBox(int index, const char16_t *column, QWidget *frame, int left, int top,
                                       int width, int height)
{
    return bindTextBox(index, QString::fromUtf16(column), placed(new QLineEdit(frame), left, top, width, height));
}

void ExamRegisterWindow::buildParticulars()
{
    QGroupBox *f = formFrame(this, u"Frame1"_s, {}, 120, 120, 5055, 2175);
    for (const BoxPlace &b : particularBoxes)
        addBox(b.index, b.column, f, b.left, b.top, b.width);
    for (const LabelPlace &l : particularLabels)
        nameAfter(lineBox(l.box), formLabel(f, QString::fromUtf16(l.text), l.left, l.top, l.width));

    QLineEdit *number = lineBox(numberBox);
    number->setToolTip(u"体检编号为8位"_s);
    number->setValidator(new TypingLimit(8, number));
    lineBox(1)->setToolTip(u"必须按该格式填写：“2000-05-09”"_s);
}

// The two results: an option pair over the conclusion or remarks box.
void ExamRegisterWindow::buildResultFrames()
{
    struct Frame {
        const char16_t *name, *caption;
        int left, width, failedLeft;
        std::array<QRadioButton *, 2> *options;
        const char16_t *optionName;
        int box, resultBox;
        const char16_t *column;
    };
    const Frame frames[] = {
        {u"Frame2", u"体检结论", 120, 2535, 1200, &m_examResult, u"Option1_%1", 8, examResultBox, u"tjjl"},
        {u"Frame3", u"卫生知识培训", 2760, 2415, 1320, &m_trainResult, u"Option2_%1", 9, trainingResultBox,
         u"pxjl"},
    };
    for (const Frame &fr : frames) {
        QGroupBox *f = formFrame(this, QString::fromUtf16(fr.name), QString::fromUtf16(fr.caption), fr.left, 2400,
                                 fr.width, 1935);
        for (int i = 0; i < 2; ++i) {
            auto *option = placed(new QRadioButton(i == 0 ? passed : failed, f), i == 0 ? 360 : fr.failedLeft, 360,
                                  855, 375);
            option->setObjectName(QString::fromUtf16(fr.optionName).arg(i));
            // Both frames offer 合格 and 不合格: the frame tells them apart.
            option->setAccessibleName(f->title() + u' ' + option->text());
            (*fr.options)[std::size_t(i)] = option;
            connect(option, &QRadioButton::clicked, this, [this, box = fr.resultBox, i] { chooseResult(box, i); });
        }
        (*fr.options)[0]->setChecked(true);
        // A single line, written from its top as a tall box shows it.
        QLineEdit *box = addBox(fr.box, fr.column, f, 240, 840, 2055, 855);
        box->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        box->setAccessibleName(f->title() + u" 说明"_s);
    }
}

void ExamRegisterWindow::buildTransferFrame()
{
    m_transfer = formFrame(this, u"Frame4"_s, u"调离情况"_s, 120, 4440, 5055, 1215);
    for (std::size_t i = 0; i < m_transferLabels.size(); ++i) {
        const LabelPlace &l = transferLabels[i];
        m_transferLabels[i] = formLabel(m_transfer, QString::fromUtf16(l.text), l.left, l.top, l.width);
        m_transferLabels[i]->setObjectName(u"Label%1"_s.arg(9 + i));
    }
    for (const BoxPlace &b : transferBoxes)
        addBox(b.index, b.column, m_transfer, b.left, b.top, b.width);
    for (std::size_t i = 0; i < m_transferLabels.size(); ++i)
        nameAfter(lineBox(transferLabels[i].box), m_transferLabels[i]);
}

void ExamRegisterWindow::buildButtons()
{
    m_query = formButton(this, u"Command6"_s, u"查询"_s, 120, buttonTop, 975);
    m_add = formButton(this, u"Command1"_s, u"添加"_s, 1320, buttonTop, 855);
    m_delete = formButton(this, u"Command2"_s, u"删除"_s, 2160, buttonTop, 855);
    m_save = formButton(this, u"Command3"_s, u"确认"_s, 3240, buttonTop, 975);
    m_cancel = formButton(this, u"Command4"_s, u"取消"_s, 4200, buttonTop, 975);
    connect(m_query, &QPushButton::clicked, this, &ExamRegisterWindow::query);
    connect(m_add, &QPushButton::clicked, this, &ExamRegisterWindow::add);
    connect(m_delete, &QPushButton::clicked, this, &ExamRegisterWindow::deleteRecord);
    connect(m_save, &QPushButton::clicked, this, &ExamRegisterWindow::save);
    connect(m_cancel, &QPushButton::clicked, this, &ExamRegisterWindow::cancel);
}

// The particulars, each result's options before its box, the transfer
// section, then the buttons with 查询 last.
void ExamRegisterWindow::setTabOrder()
{
    std::vector<QWidget *> order;
    for (int i = 0; i < 8; ++i)
        order.push_back(textBox(i));
    order.insert(order.end(), {m_examResult[0], m_examResult[1], textBox(8), m_trainResult[0], m_trainResult[1],
                               textBox(9)});
    for (int i = firstTransferBox; i <= lastTransferBox; ++i)
        order.push_back(textBox(i));
    order.insert(order.end(), {m_add, m_delete, m_save, m_cancel, m_query});
    order.front()->setFocus();
    setFocusOrder(std::move(order));
}

void ExamRegisterWindow::applyState(State state)
{
    const bool browsing = state == State::Browsing;
    const bool editing = state == State::Editing;
    m_add->setEnabled(!editing);
    m_delete->setEnabled(browsing);
    m_save->setEnabled(editing);
    m_cancel->setEnabled(editing);
    m_query->setEnabled(browsing);
    if (state == State::Empty)
        setEntryEnabled(false);
}

void ExamRegisterWindow::setEntryEnabled(bool on)
{
    for (int i = 0; i < boxCount; ++i)
        textBox(i)->setEnabled(on);
    for (QRadioButton *option : {m_examResult[0], m_examResult[1], m_trainResult[0], m_trainResult[1]})
        option->setEnabled(on);
}

// The option pairs follow their hidden boxes. The transfer section can be
// filled in only after a passed examination: a failed one empties its
// boxes and locks it. Any other text leaves everything as it is.
void ExamRegisterWindow::showResults()
{
    const QString exam = text(examResultBox);
    if (exam == passed || exam == failed) {
        const bool on = exam == passed;
        m_examResult[on ? 0 : 1]->setChecked(true);
        for (int i = firstTransferBox; i <= lastTransferBox; ++i) {
            if (!on)
                lineBox(i)->clear();
            lineBox(i)->setEnabled(on);
        }
        for (QLabel *label : m_transferLabels)
            label->setEnabled(on);
        m_transfer->setEnabled(on);
    }
    const QString training = text(trainingResultBox);
    if (training == passed || training == failed)
        m_trainResult[training == passed ? 0 : 1]->setChecked(true);
}

void ExamRegisterWindow::chooseResult(int box, int option)
{
    setText(box, option == 0 ? passed : failed);
}

QString ExamRegisterWindow::shownNumber() const { return text(numberBox); }

// A number that no record holds any more shows the last record, as
// opening from the menu does.
void ExamRegisterWindow::showReturned()
{
    if (!findReturned())
        m_record->moveLast();
}

// No number is proposed and the focus stays where it is.
void ExamRegisterWindow::add()
{
    const std::optional<NewRecord> added = addRecord();
    if (!added)
        return;
    if (added->tableWasEmpty)
        setEntryEnabled(true);
    setState(State::Editing);
}

// Deletes the record shown and shows the one that followed it, or the one
// before; when none is left only 添加 stays usable.
void ExamRegisterWindow::deleteRecord()
{
    if (deleteShown(u"确认删除该记录吗？"_s, Buttons::YesNoCancel, Icon::Question))
        m_record->showNeighbour();
}

// A refused store leaves the window editing with every box as typed.
bool ExamRegisterWindow::save()
{
    if (const std::optional<CheckFailure> failure = firstFailingCheck(ExamEntry{text(numberBox)})) {
        inform(this, failure->message);
        return false;
    }
    try {
        m_record->update();
    } catch (const DuplicateKey &) {
        inform(this, u"体检编号重复"_s);
        return false;
    } catch (const DbError &e) {
        showError(this, e.message());
        return false;
    }
    m_record->moveLastModified();
    setState(State::Browsing);
    return true;
}

// The register closes before its query opens, so the query stands over
// the main window; the query opens the register again on a double-click.
void ExamRegisterWindow::query()
{
    showHourglass();
    QWidget *opener = parentWidget();
    if (!close())
        return;
    openExamQuery(opener);
}

} // namespace kelm
