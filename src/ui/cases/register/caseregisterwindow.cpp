#include "cases/register/caseregisterwindow.h"

#include "cases/engine/documentwindows.h"
#include "cases/register/casechecks.h"
#include "cases/register/casequery.h"
#include "cases/register/casequerywindow.h"
#include "cases/register/unitcategories.h"
#include "cases/statistics/statisticsentry.h"
#include "data/appvalues.h"
#include "data/caserows.h"
#include "data/connection.h"
#include "data/documentcatalogue.h"
#include "platform/accessiblenames.h"
#include "platform/boundrecord.h"
#include "platform/busypointer.h"
#include "platform/formcontrols.h"
#include "platform/listbox.h"
#include "platform/messages.h"
#include "platform/modal.h"
#include "platform/recordnavigator.h"
#include "platform/spacekeylock.h"
#include "platform/typinglimit.h"
#include "platform/units.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

// Columns of Text1(0)..Text1(14).
const std::array<QString, 15> textColumns = {u"dabh"_s, u"fzr"_s,  u"dwmc"_s, u"dwdz"_s, u"jjxz"_s,
                                             u"dh"_s,   u"slsj"_s, u"lasj"_s, u"aqjj"_s, u"cfnr"_s,
                                             u"jasj"_s, u"msje"_s, u"fkje"_s, u"shsp"_s, u"xhsp"_s};
constexpr int numberBox = 0;
constexpr int acceptedBox = 6;
constexpr int filedBox = 7;
constexpr int summaryBox = 8;
constexpr int contentBox = 9;
constexpr int closedBox = 10;
constexpr int firstAmountBox = 11; // msje, fkje, shsp, xhsp
constexpr int lastAmountBox = 14;
constexpr int buttonTop = 6720;

const QString dateTip = u"填写格式为：2000-05-26"_s;

// Keep-value flags, in the register's order.
enum Keep { KeepClosed, KeepConfiscated, KeepFine, KeepRecalled, KeepDestroyed };

// A penalty box with an amount field: the field, its labels (index into
// Label14..Label19, -1 for none) and its keep-value flag.
struct AmountRule {
    int box;
    int field;
    int top; // of the field and its labels in the closure frame
    std::array<int, 2> labels;
    Keep keep;
    const char16_t *name; // the field has only its units beside it: as the save's messages name it
};
constexpr std::array<AmountRule, 4> amountRules = {{
    {2, 13, 2520, {4, -1}, KeepRecalled, u"责令收回食品数量 公斤"},  // 责令收回: shsp
    {4, 14, 3600, {5, -1}, KeepDestroyed, u"责令销毁食品数量 公斤"}, // 责令销毁: xhsp
    {5, 11, 4320, {0, 1}, KeepConfiscated, u"没收金额 元"},          // 没收违法所得: msje, ￥ 元
    {6, 12, 5040, {2, 3}, KeepFine, u"罚款金额 元"},                 // 罚款: fkje, ￥ 元
}};

const AmountRule *amountRuleOf(int box)
{
    for (const AmountRule &r : amountRules)
        if (r.box == box)
            return &r;
    return nullptr;
}

const std::array<QString, 10> penaltyCaptions = {u"警告"_s,         u"责令改正"_s,   u"责令收回"_s, u"责令停产停业"_s,
                                                 u"责令销毁"_s,     u"没收违法所得"_s, u"罚款"_s,     u"吊销许可证"_s,
                                                 u"取缔"_s,         u"免予处罚"_s};
constexpr std::array<int, 10> penaltyTops = {1440, 1800, 2160, 2880, 3240, 3960, 4680, 5400, 5760, 6120};

// Document boxes from the top of the picture box, by register index.
constexpr std::array<int, 22> documentRows = {1, 2, 14, 0, 12, 17, 13, 4, 3, 7, 11, 6, 18, 15, 20, 8, 16, 21, 10, 9, 5, 19};

int documentBoxWidth(int k)
{
    if (k <= 5 || k == 9)
        return 1695;
    if (k == 8 || (k >= 10 && k <= 17))
        return 1815;
    return 1935;
}

} // namespace

CaseRegisterWindow::CaseRegisterWindow(QWidget *parent)
    : AbstractRegisterWindow(RecordSource::tableOrder(u"xzcf"_s), app().caseSlot(), u"dabh"_s, parent)
{
    setObjectName(u"xzcf_face"_s);
    setWindowTitle(u"卫生行政处罚信息管理"_s);
    setFixedSize(px(10275), px(7545));

    buildUnitFrame();
    buildSummaryFrame();
    buildClosureFrame();
    buildDocumentFrame();
    buildButtons();
    m_navigator->setGeometry(pxRect(0, 7200, 10275, 345));
    setTabOrder();
    bindColumns();
    setCaseRegister(this);
    openRecord();
}

CaseRegisterWindow::~CaseRegisterWindow()
{
    if (caseRegister() == this)
        setCaseRegister(nullptr);
}

void CaseRegisterWindow::buildUnitFrame()
{
    m_unitFrame = formFrame(this, u"Frame1"_s, u"被处罚单位信息"_s, 120, 120, 5175, 2295);
    QWidget *f = m_unitFrame;
    QLabel *category = formLabel(f, u"单位类别"_s, 240, 1800, 840, 300);
    struct Box { int index, left, top, width; QLabel *label; };
    for (const Box &b : {Box{0, 1080, 360, 855, formLabel(f, u"案件编号"_s, 240, 360, 840)},
                         Box{1, 3240, 360, 1695, formLabel(f, u"法人/负责人"_s, 2160, 360, 1080)},
                         Box{2, 1080, 720, 3855, formLabel(f, u"单位名称"_s, 240, 720, 840)},
                         Box{3, 1080, 1080, 3855, formLabel(f, u"单位地址"_s, 240, 1080, 840)},
                         Box{4, 1080, 1440, 975, formLabel(f, u"经济性质"_s, 240, 1440, 840)},
                         Box{5, 3240, 1440, 1695, formLabel(f, u"电      话"_s, 2160, 1440, 1080)}}) {
        nameAfter(bindBox(b.index, placed(new QLineEdit(f), b.left, b.top, b.width, 270)), b.label);
    }

    QLineEdit *number = lineBox(numberBox);
    number->setToolTip(u"案件编号为4位年度+4位编号。如：20001111"_s);
    number->setValidator(new TypingLimit(8, number));
    number->setReadOnly(true);
    new SpaceKeyLock(number);

    m_firstLevel = placed(new ListBox(firstLevelCategories(), f), 1080, 1800, 1335, 300);
    m_firstLevel->setObjectName(u"Combo1"_s);
    m_secondLevel = placed(new ListBox(*secondLevelCategories(u"食品卫生"_s), f), 2520, 1800, 2415, 300);
    m_secondLevel->setObjectName(u"Combo2"_s);
    nameAfter(m_firstLevel, category);
    nameBox(m_secondLevel, u"单位类别 小类"_s);
}

template <typename Box>
Box *CaseRegisterWindow::bindBox(int index, Box *box)
{
    return bindTextBox(index, textColumns[std::size_t(index)], box);
}

void CaseRegisterWindow::buildSummaryFrame()
{
    m_summaryFrame = formFrame(this, u"Frame3"_s, u"案件摘要"_s, 120, 2520, 5175, 4095);
    QWidget *f = m_summaryFrame;
    QLabel *accepted = formLabel(f, u"受理时间"_s, 240, 480, 840);
    QLabel *filed = formLabel(f, u"立案时间"_s, 2400, 480, 840);
    QLabel *summary = formLabel(f, u"案情简介"_s, 240, 840, 1200, 240);
    QLabel *content = formLabel(f, u"处罚内容"_s, 360, 2640, 1200, 240);
    nameAfter(bindBox(acceptedBox, placed(new QLineEdit(f), 1080, 480, 1095, 270)), accepted);
    nameAfter(bindBox(filedBox, placed(new QLineEdit(f), 3240, 480, 1095, 270)), filed);
    nameAfter(bindBox(summaryBox, placed(new QPlainTextEdit(f), 240, 1080, 4695, 1455)), summary);
    nameAfter(bindBox(contentBox, placed(new QPlainTextEdit(f), 240, 3000, 4695, 975)), content);
}

void CaseRegisterWindow::buildClosureFrame()
{
    m_closureFrame = formFrame(this, u"Frame4"_s, u"结案情况"_s, 5400, 120, 2175, 6495);
    QWidget *f = m_closureFrame;
    m_penalty[closureBox] = placed(new QCheckBox(u"结案"_s, f), 120, 360, 735, 255);
    m_closedLabel = formLabel(f, u"结案时间"_s, 120, 720, 840);
    m_closedLabel->setObjectName(u"Label11"_s);
    bindBox(closedBox, placed(new QLineEdit(f), 960, 720, 1095, 270));
    m_penaltyHeading = formLabel(f, u"受处罚情况："_s, 120, 1200, 1935, 240);
    m_penaltyHeading->setObjectName(u"Label9"_s);
    for (int i = 0; i < 10; ++i)
        m_penalty[std::size_t(i)] =
            placed(new QCheckBox(penaltyCaptions[std::size_t(i)], f), 120, penaltyTops[std::size_t(i)], 1935, 255);
    // Label14..Label19 with their amount field's line.
    struct AmountLabel { const char16_t *text; int left; int top; };
    const std::array<AmountLabel, 6> labels = {{{u"￥", 360, 4320}, {u"元", 1680, 4320}, {u"￥", 360, 5040},
                                                {u"元", 1680, 5040}, {u"公斤", 1680, 2520}, {u"公斤", 1680, 3600}}};
    for (std::size_t i = 0; i < labels.size(); ++i) {
        m_amountLabels[i] = formLabel(f, QString::fromUtf16(labels[i].text), labels[i].left, labels[i].top, 420);
        m_amountLabels[i]->setObjectName(u"Label%1"_s.arg(14 + i));
    }
    for (const AmountRule &r : amountRules) {
        QWidget *amount = bindBox(r.field, placed(new QLineEdit(f), 600, r.top, 975, 270));
        amount->setAccessibleName(QString::fromUtf16(r.name));
    }
    nameAfter(textBox(closedBox), m_closedLabel);
    for (int box : {acceptedBox, filedBox, closedBox})
        textBox(box)->setToolTip(dateTip);
}

void CaseRegisterWindow::buildDocumentFrame()
{
    m_documentFrame = formFrame(this, u"Frame2"_s, u"案件资料"_s, 7680, 120, 2535, 6495);
    auto *picture = placed(new QWidget(m_documentFrame), 120, 360, 2295, 6080);
    picture->setObjectName(u"Picture1"_s);
    picture->setAutoFillBackground(true);
    QPalette background = picture->palette();
    background.setColor(QPalette::Window, background.color(QPalette::HighlightedText));
    picture->setPalette(background);
    for (std::size_t row = 0; row < documentRows.size(); ++row) {
        const int k = documentRows[row];
        auto *box = placed(new QCheckBox(documentAt(k).boxCaption, picture), 120, 120 + 240 * int(row),
                           documentBoxWidth(k), 225);
        box->setObjectName(u"Check1_%1"_s.arg(k));
        QPalette p = box->palette();
        p.setColor(QPalette::WindowText, Qt::black);
        box->setPalette(p);
        m_documents[std::size_t(k)] = box;
        // Only a user's click (mouse, space bar, accessibility action) acts;
        // the program's own changes of a box, in whatever order they arrive,
        // never open a document.
        connect(box, &QCheckBox::clicked, this, [this, k] { documentClicked(k); });
    }
}

void CaseRegisterWindow::buildButtons()
{
    m_add = formButton(this, u"Command1"_s, u"添加"_s, 600, buttonTop, 855);
    m_delete = formButton(this, u"Command2"_s, u"删除"_s, 1440, buttonTop, 855);
    m_save = formButton(this, u"Command3"_s, u"存盘"_s, 3840, buttonTop, 975);
    m_cancel = formButton(this, u"Command4"_s, u"取消"_s, 4800, buttonTop, 975);
    m_query = formButton(this, u"Command6"_s, u"查询"_s, 7200, buttonTop, 975);
    m_statistics = formButton(this, u"Command7"_s, u"统计"_s, 8160, buttonTop, 975);
    connect(m_add, &QPushButton::clicked, this, &CaseRegisterWindow::add);
    connect(m_delete, &QPushButton::clicked, this, &CaseRegisterWindow::deleteCase);
    connect(m_save, &QPushButton::clicked, this, &CaseRegisterWindow::save);
    connect(m_cancel, &QPushButton::clicked, this, &CaseRegisterWindow::cancel);
    connect(m_query, &QPushButton::clicked, this, [this] { openQuery(openCaseQuery); });
    connect(m_statistics, &QPushButton::clicked, this, &CaseRegisterWindow::statistics);
}

// The number box and the unit and summary boxes first, then as the window
// reads: the category lists, the closure frame, the document boxes from
// the top, the buttons and the navigator.
void CaseRegisterWindow::setTabOrder()
{
    std::vector<QWidget *> order;
    for (int i = 0; i <= contentBox; ++i)
        order.push_back(textBox(i));
    order.insert(order.end(), {m_firstLevel, m_secondLevel, m_penalty[closureBox], textBox(closedBox)});
    for (int i = 0; i < 10; ++i) {
        order.push_back(m_penalty[std::size_t(i)]);
        if (const AmountRule *r = amountRuleOf(i))
            order.push_back(textBox(r->field));
    }
    for (int k : documentRows)
        order.push_back(m_documents[std::size_t(k)]);
    order.insert(order.end(), {m_add, m_delete, m_save, m_cancel, m_query, m_statistics});
    setFocusOrder(std::move(order));
}

void CaseRegisterWindow::bindColumns()
{
    for (int i = firstAmountBox; i <= lastAmountBox; ++i)
        m_record->setNewRowValue(textColumns[std::size_t(i)], u"0"_s);

    m_record->bind(u"dwlb1"_s, m_firstLevel);
    m_record->bind(u"dwlb2"_s, m_secondLevel);
    for (ListBox *c : {m_firstLevel, m_secondLevel})
        connect(c, &QComboBox::editTextChanged, this, &CaseRegisterWindow::edited);
    connect(m_firstLevel, &ListBox::chosen, this, &CaseRegisterWindow::firstLevelChosen);
    connect(m_secondLevel, &ListBox::chosen, this, &CaseRegisterWindow::edited);

    for (int i = 0; i < penaltyCount; ++i) {
        QCheckBox *box = m_penalty[std::size_t(i)];
        box->setObjectName(u"Check2_%1"_s.arg(i));
        m_record->bind(i == closureBox ? u"sfja"_s : u"cf%1"_s.arg(i + 1), box);
        connect(box, &QCheckBox::toggled, this, [this, i](bool ticked) { penaltyClicked(i, ticked); });
    }
    // A document's flag is stored with its row (fileDocument), never by the
    // record: a reload then shows whether the row exists.
    for (int k = 0; k < documentCount; ++k)
        m_record->show(documentAt(k).flagColumn(), m_documents[std::size_t(k)]);

    connect(m_record, &BoundRecord::filled, this, &CaseRegisterWindow::caseShown);
}

void CaseRegisterWindow::applyState(State state)
{
    const bool browsing = state == State::Browsing;
    const bool editing = state == State::Editing || state == State::Adding;
    m_add->setEnabled(browsing || state == State::Empty);
    m_delete->setEnabled(browsing);
    m_save->setEnabled(editing);
    m_cancel->setEnabled(editing);
    m_query->setEnabled(browsing);
    m_statistics->setEnabled(browsing);
    m_documentFrame->setEnabled(browsing);
    if (state == State::Empty)
        setEntryEnabled(false);
    if (state == State::Adding)
        lineBox(numberBox)->setReadOnly(false);
}

// The unit and summary boxes with the closure frame: off while the table is
// empty, on again for its first case.
void CaseRegisterWindow::setEntryEnabled(bool on)
{
    m_closureFrame->setEnabled(on);
    for (int i = 0; i <= contentBox; ++i)
        textBox(i)->setEnabled(on);
    m_firstLevel->setEnabled(on);
    m_secondLevel->setEnabled(on);
}

void CaseRegisterWindow::setClosureControlsEnabled(bool on)
{
    for (int i = 0; i < 10; ++i)
        m_penalty[std::size_t(i)]->setEnabled(on);
    for (int i = closedBox; i <= lastAmountBox; ++i)
        textBox(i)->setEnabled(on);
    m_penaltyHeading->setEnabled(on);
    m_closedLabel->setEnabled(on);
    for (QLabel *l : m_amountLabels)
        l->setEnabled(on);
}

// The rules of the penalty and closure boxes, for a user's change. Showing a
// case changes the boxes too, but then caseShown() sets the controls from
// the shown case: a rule must never overwrite the case's own values.
void CaseRegisterWindow::penaltyClicked(int box, bool ticked)
{
    if (m_record->isLoading())
        return;
    if (box == closureBox) {
        closureClicked(ticked);
    } else if (const AmountRule *r = amountRuleOf(box)) {
        if (!ticked) {
            if (m_keepValue[r->keep])
                m_keepValue[r->keep] = 0;
            else
                setText(r->field, u"0"_s);
        }
        setAmountEnabled(box, ticked);
    }
    edited();
}

void CaseRegisterWindow::setAmountEnabled(int box, bool on)
{
    const AmountRule &rule = *amountRuleOf(box);
    textBox(rule.field)->setEnabled(on);
    for (int l : rule.labels)
        if (l >= 0)
            m_amountLabels[std::size_t(l)]->setEnabled(on);
}

// Ticking enables the penalty boxes, the closing date and the two sums of
// money; the quantities and the amounts' labels follow only their own box.
void CaseRegisterWindow::setClosureTicked()
{
    for (int i = 0; i < 10; ++i)
        m_penalty[std::size_t(i)]->setEnabled(true);
    m_penaltyHeading->setEnabled(true);
    m_closedLabel->setEnabled(true);
    for (int i : {11, 12, closedBox})
        textBox(i)->setEnabled(true);
}

void CaseRegisterWindow::closureClicked(bool ticked)
{
    if (ticked) {
        setClosureTicked();
        return;
    }
    setClosureControlsEnabled(false);
    for (int i = 0; i < 10; ++i)
        m_penalty[std::size_t(i)]->setChecked(false);
    if (m_keepValue[KeepClosed]) {
        m_keepValue[KeepClosed] = 0;
        return;
    }
    for (int i = firstAmountBox; i <= lastAmountBox; ++i)
        setText(i, u"0"_s);
    setText(closedBox, QString());
}

void CaseRegisterWindow::firstLevelChosen(int index)
{
    fillSecondLevel(m_firstLevel->itemText(index));
    edited();
}

// Only the entries change; the second-level text stays as it is.
void CaseRegisterWindow::fillSecondLevel(const QString &firstLevel)
{
    if (const std::optional<QStringList> entries = secondLevelCategories(firstLevel))
        m_secondLevel->setEntries(*entries);
}

// A case (or a new one) is shown: the closure controls are enabled as the
// rules would leave them after its boxes, in index order; its second-level
// list follows its first level; and a deletion's keep-value flags end here,
// since loading wrote nothing they would have to keep.
void CaseRegisterWindow::caseShown()
{
    for (const AmountRule &r : amountRules)
        setAmountEnabled(r.box, m_penalty[std::size_t(r.box)]->isChecked());
    if (m_penalty[closureBox]->isChecked())
        setClosureTicked();
    else
        setClosureControlsEnabled(false);
    fillSecondLevel(m_firstLevel->currentText());
    m_keepValue.fill(0);
}

// An unticked closure box keeps the closure controls off, also while no
// case is shown.
void CaseRegisterWindow::activated()
{
    if (!m_penalty[closureBox]->isChecked())
        setClosureControlsEnabled(false);
    AbstractRegisterWindow::activated();
}

QString CaseRegisterWindow::shownNumber() const { return text(numberBox); }

// The return flag stays: opened again in the same run, the register finds
// the case it last left in its return slot.
void CaseRegisterWindow::unloaded()
{
    if (caseRegister() == this)
        setCaseRegister(nullptr);
}

void CaseRegisterWindow::untickDocument(int registerIndex)
{
    m_documents[std::size_t(registerIndex)]->setChecked(false);
}

// The user's click on document box k: the document is filed for the case
// (its row created where missing and the case's flag stored yes, together),
// the box stays ticked (only a document window's confirmed deletion unticks
// it), and the document opens on the case.
void CaseRegisterWindow::documentClicked(int k)
{
    QCheckBox *box = m_documents[std::size_t(k)];
    app().caseNo = text(numberBox);
    try {
        fileDocument(db(), k, app().caseNo);
    } catch (const DbError &e) {
        box->setChecked(!box->isChecked()); // back to what it showed before the click
        showError(this, e.message());
        return;
    }
    box->setChecked(true);
    openModal(this, createDocumentWindow(k, this));
}

// Deletes the shown case with every row filed under its stored number, in
// one transaction, and shows the case that followed it, or the one before.
void CaseRegisterWindow::deleteCase()
{
    const QString caseNo = m_record->storedValue(u"dabh"_s);
    if (!deleteShown(u"该案件相关资料都将被删除，确认删除该项记录吗？"_s, Buttons::YesNo, Icon::None,
                     [&](Database &db) { deleteCaseRows(db, caseNo); }))
        return;
    m_keepValue.fill(1);
    m_record->showNeighbour();
}

void CaseRegisterWindow::add()
{
    const std::optional<NewRecord> added = addRecord();
    if (!added)
        return;
    if (added->tableWasEmpty) {
        for (int i = firstAmountBox; i <= lastAmountBox; ++i)
            setText(i, u"0"_s);
    }
    setText(numberBox, added->proposedNumber);
    setState(State::Adding);
    if (added->tableWasEmpty)
        setEntryEnabled(true);
}

bool CaseRegisterWindow::save()
{
    const CaseEntry entry{text(numberBox),   text(11),         text(12),        text(13),
                          text(14),          text(acceptedBox), text(filedBox), text(closedBox),
                          m_firstLevel->currentText()};
    if (const std::optional<CheckFailure> failure = firstFailingCheck(entry)) {
        inform(this, failure->message);
        if (failure->focusBox >= 0 && textBox(failure->focusBox)->isEnabled())
            textBox(failure->focusBox)->setFocus();
        return false;
    }
    const QString saved = entry.number;
    const QString former = m_record->editMode() == BoundRecord::EditMode::Adding ? saved
                                                                                 : m_record->storedValue(u"dabh"_s);
    m_record->edit();
    try {
        m_record->update([&](Database &db) { renumberCaseRows(db, former, saved); });
    } catch (const DuplicateKey &) {
        showError(this, u"该案件编号已存在。"_s);
        return false;
    } catch (const DbError &e) {
        showError(this, e.message());
        return false;
    }
    m_record->findFirst(u"dabh"_s, saved);
    setState(State::Browsing);
    lineBox(numberBox)->setReadOnly(true);
    return true;
}

void CaseRegisterWindow::cancel()
{
    AbstractRegisterWindow::cancel();
    lineBox(numberBox)->setReadOnly(true);
}

void CaseRegisterWindow::statistics()
{
    showHourglass();
    openStatisticsPeriod(this);
}

} // namespace kelm
