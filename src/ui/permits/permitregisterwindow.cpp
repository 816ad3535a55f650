#include "permits/permitregisterwindow.h"

#include "data/connection.h"
#include "permits/permitchecks.h"
#include "permits/permitparticulars.h"
#include "permits/permitqueries.h"
#include "permits/permitquerywindows.h"
#include "permits/permitrows.h"
#include "permits/printing/permitprinting.h"
#include "platform/accessiblenames.h"
#include "platform/formcontrols.h"
#include "platform/listbox.h"
#include "platform/messages.h"
#include "platform/spacekeylock.h"
#include "platform/typinglimit.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

constexpr int numberBox = 6;
constexpr int issuedBox = 9;
constexpr int validBox = 10;
constexpr int appliedBox = 11;
constexpr int lastBox = 17;
constexpr int buttonTop = 4560;

const QString dateTip = u"填写格式为：2000-01-01"_s;

} // namespace

PermitRegisterWindow::PermitRegisterWindow(QWidget *parent)
    : PermitWindow(RecordSource::tableOrder(u"wsxkz"_s), app().permitSlot(), openPermitQuery, parent)
{
    setObjectName(u"xkz"_s);
    setWindowTitle(u"卫生许可证管理"_s);

    const PermitParticulars particulars =
        PermitParticulars::build(this, lastBox, {u"公证"_s, u"食证"_s, u"消证"_s});
    for (const PermitParticulars::Box &b : particulars.boxes)
        bindTextBox(b.index, b.column, b.box);
    m_model = particulars.model;
    m_category = particulars.category;
    bindListBox(u"xh"_s, m_model);
    bindListBox(u"lb"_s, m_category);
    buildApprovalFrames();
    buildButtons();
    setTabOrder();

    auto *number = lineBox(numberBox);
    number->setToolTip(u"填写格式为：年度4位+编号。"_s);
    number->setValidator(new TypingLimit(15, number));
    new SpaceKeyLock(number);
    for (int i : {issuedBox, validBox, appliedBox})
        textBox(i)->setToolTip(dateTip);
    m_model->setToolTip(u"必须按列表中内容填写。"_s);

    openRecord();
}

void PermitRegisterWindow::buildApprovalFrames()
{
    QGroupBox *approval = formFrame(this, u"Frame3"_s, u"审批信息"_s, 5640, 120, 2895, 2295);
    struct Box { int index; const char16_t *column, *label; int top; };
    for (const Box &b : {Box{appliedBox, u"sqrq", u"申请日期", 360}, Box{12, u"ysr", u"验 收 人", 720},
                         Box{13, u"spr", u"审 批 人", 1080}}) {
        auto *line = placed(new QLineEdit(approval), 1080, b.top, 1695, 270);
        nameAfter(line, formLabel(approval, QString::fromUtf16(b.label), 240, b.top, 840));
        bindTextBox(b.index, QString::fromUtf16(b.column), line);
    }
    auto *review = placed(new QPlainTextEdit(approval), 1080, 1440, 1695, 735);
    nameAfter(review, formLabel(approval, u"年审情况"_s, 240, 1440, 840));
    bindTextBox(14, u"ns"_s, review);

    // The frame's caption is the only label of its box.
    QGroupBox *remarks = formFrame(this, u"Frame4"_s, u"备注"_s, 5640, 2520, 2895, 1935);
    auto *remarksBox = placed(new QPlainTextEdit(remarks), 120, 240, 2655, 1575);
    remarksBox->setAccessibleName(remarks->title());
    bindTextBox(15, u"bz"_s, remarksBox);
}

void PermitRegisterWindow::buildButtons()
{
    m_settings = formButton(this, u"Command8"_s, u"打印设置"_s, 120, buttonTop, 1215);
    m_query = formButton(this, u"Command7"_s, u"查询"_s, 1320, buttonTop, 1095);
    m_add = formButton(this, u"Command1"_s, u"添加"_s, 2640, buttonTop, 975);
    m_delete = formButton(this, u"Command2"_s, u"删除"_s, 3600, buttonTop, 855);
    m_save = formButton(this, u"Command3"_s, u"存盘"_s, 4680, buttonTop, 855);
    m_cancel = formButton(this, u"Command4"_s, u"取消"_s, 5520, buttonTop, 855);
    m_print = formButton(this, u"Command5"_s, u"打印正本"_s, 6600, buttonTop, 975);
    m_copy = formButton(this, u"Command6"_s, u"打印副本"_s, 7560, buttonTop, 975);
    connect(m_add, &QPushButton::clicked, this, &PermitRegisterWindow::add);
    connect(m_delete, &QPushButton::clicked, this, &PermitRegisterWindow::deletePermit);
    connect(m_save, &QPushButton::clicked, this, &PermitRegisterWindow::save);
    connect(m_cancel, &QPushButton::clicked, this, &PermitRegisterWindow::cancel);
    connect(m_query, &QPushButton::clicked, this, &PermitRegisterWindow::query);
    connect(m_print, &QPushButton::clicked, this, [this] { printPermit(this); });
    connect(m_copy, &QPushButton::clicked, this, [this] { printCopy(this); });
    connect(m_settings, &QPushButton::clicked, this, [this] { openLayoutEditor(this); });
}

// The unit's boxes, the list boxes, the permit's and the approval boxes,
// then the buttons.
void PermitRegisterWindow::setTabOrder()
{
    std::vector<QWidget *> order;
    for (int i : {0, 1, 2, 3, 4, 5, 16, 17})
        order.push_back(textBox(i));
    order.insert(order.end(), {m_model, m_category});
    for (int i = numberBox; i <= 15; ++i)
        order.push_back(textBox(i));
    order.insert(order.end(), {m_add, m_delete, m_save, m_cancel, m_print, m_copy, m_settings, m_query});
    order.front()->setFocus();
    setFocusOrder(std::move(order));
}

// Read from the boxes at the moment of use, so a print shows what the
// register shows, saved or not.
PermitTexts PermitRegisterWindow::shownPermit() const
{
    PermitTexts p;
    p.model = m_model->currentText();
    p.category = m_category->currentText();
    p.unitName = text(0);
    p.address = text(1);
    p.person = text(2);
    p.nature = text(3);
    p.number = text(numberBox);
    p.items = text(8);
    p.issued = text(issuedBox);
    p.validTo = text(validBox);
    return p;
}

void PermitRegisterWindow::applyState(State state)
{
    const bool browsing = state == State::Browsing;
    const bool editing = state == State::Editing;
    const bool empty = state == State::Empty;
    m_add->setEnabled(browsing || empty);
    m_delete->setEnabled(browsing);
    m_save->setEnabled(editing);
    m_cancel->setEnabled(editing);
    m_print->setEnabled(browsing);
    m_copy->setEnabled(browsing);
    m_query->setEnabled(browsing);
    m_settings->setEnabled(browsing || empty);
    if (empty)
        setEntryEnabled(false);
}

void PermitRegisterWindow::setEntryEnabled(bool on)
{
    for (int i = 0; i <= lastBox; ++i)
        textBox(i)->setEnabled(on);
    m_model->setEnabled(on);
    m_category->setEnabled(on);
}

void PermitRegisterWindow::add()
{
    const std::optional<NewRecord> added = addRecord();
    if (!added)
        return;
    if (added->tableWasEmpty)
        setEntryEnabled(true);
    lineBox(numberBox)->setText(added->proposedNumber);
    setState(State::Editing);
}

// Deletes the shown permit and shows the one that followed it, or the one
// before; when none is left only 添加 stays usable.
void PermitRegisterWindow::deletePermit()
{
    if (!deleteShown(u"确认删除该项记录吗？"_s, Buttons::YesNo, Icon::Question))
        return;
    if (m_record->showNeighbour())
        return;
    setState(State::Empty);
    m_settings->setEnabled(false);
}

bool PermitRegisterWindow::save()
{
    const PermitEntry entry{text(numberBox), text(issuedBox), text(validBox), text(appliedBox)};
    if (const std::optional<CheckFailure> failure = firstFailingCheck(entry)) {
        inform(this, failure->message);
        if (failure->focusBox >= 0)
            textBox(failure->focusBox)->setFocus();
        return false;
    }
    m_record->edit();
    try {
        m_record->update([&](Database &db) {
            if (!entry.issued.isEmpty())
                setFirstReviewDate(db, entry.number, firstReviewDate(entry.issued));
        });
    } catch (const DuplicateKey &) {
        showError(this, u"该卫生许可证编号已存在。"_s);
        return false;
    } catch (const DbError &e) {
        showError(this, e.message());
        return false;
    }
    m_record->findFirst(u"xkzh"_s, entry.number);
    setState(State::Browsing);
    return true;
}

} // namespace kelm
