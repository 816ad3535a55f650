#include "permits/reviewwindow.h"

#include "data/connection.h"
#include "permits/permitchecks.h"
#include "permits/permitparticulars.h"
#include "permits/permitqueries.h"
#include "permits/permitquerywindows.h"
#include "permits/permitrows.h"
#include "platform/accessiblenames.h"
#include "platform/comboboxlock.h"
#include "platform/formcontrols.h"
#include "platform/listbox.h"
#include "platform/messages.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

constexpr int nextReviewBox = 11;
constexpr int reviewedBox = 12;
constexpr int actionBox = 13;
constexpr int floorAreaBox = 14;
constexpr int remarksBox = 15;
constexpr int lastBox = 16;
constexpr int resultCombo = 2;
constexpr int buttonTop = 4560;

const QString dateTip = u"填写格式为：2000-01-01"_s;

} // namespace

ReviewWindow::ReviewWindow(QWidget *parent)
    : PermitWindow(RecordSource::sorted(u"wsxkz"_s, u"xkzh"_s), app().reviewSlot(), openReviewQuery, parent)
{
    setObjectName(u"ns"_s);
    setWindowTitle(u"卫生许可证年审管理"_s);

    const PermitParticulars particulars = PermitParticulars::build(this, floorAreaBox, {u"公"_s, u"食"_s, u"消"_s});
    for (const PermitParticulars::Box &b : particulars.boxes) {
        b.box->setReadOnly(true);
        bindTextBox(b.index, b.column, b.box, false);
    }
    m_combo[0] = particulars.model;
    m_combo[1] = particulars.category;
    for (ListBox *c : {particulars.model, particulars.category})
        new ComboBoxLock(c);
    m_record->bind(u"xh"_s, particulars.model);
    m_record->bind(u"lb"_s, particulars.category);
    buildReviewFrame();
    buildButtons();
    setTabOrder();
    openRecord();
}

void ReviewWindow::buildReviewFrame()
{
    QGroupBox *f = formFrame(this, u"Frame3"_s, u"年审信息"_s, 5640, 120, 2895, 4335);
    auto *reviewed = placed(new QLineEdit(f), 1080, 360, 1695, 270);
    nameAfter(reviewed, formLabel(f, u"年审日期"_s, 240, 360, 840));
    bindTextBox(reviewedBox, u"nsrq"_s, reviewed);
    m_combo[resultCombo] = placed(permitListBox(f, u"Combo1_2"_s, {u"合格"_s, u"不合格"_s}), 1080, 720, 1695, 300);
    nameAfter(m_combo[resultCombo], formLabel(f, u"年审结果"_s, 240, 720, 840, 300));
    bindListBox(u"nsjg"_s, m_combo[resultCombo]);
    auto *action = placed(new QPlainTextEdit(f), 240, 1320, 2535, 1095);
    nameAfter(action, formLabel(f, u"处理情况"_s, 240, 1080, 840, 240));
    bindTextBox(actionBox, u"clqk"_s, action);
    auto *remarks = placed(new QPlainTextEdit(f), 240, 2760, 2535, 975);
    nameAfter(remarks, formLabel(f, u"备    注"_s, 240, 2520, 840, 240));
    bindTextBox(remarksBox, u"nsbz"_s, remarks);
    auto *nextReview = placed(new QLineEdit(f), 1560, 3840, 1215, 270);
    nameAfter(nextReview, formLabel(f, u"下次应年审日期"_s, 120, 3840, 1440));
    bindTextBox(nextReviewBox, u"xcnsrq"_s, nextReview);
    for (int i : {nextReviewBox, reviewedBox})
        textBox(i)->setToolTip(dateTip);
}

void ReviewWindow::buildButtons()
{
    m_query = formButton(this, u"Command7"_s, u"查询"_s, 120, buttonTop, 1335);
    m_save = formButton(this, u"Command3"_s, u"存盘"_s, 3000, buttonTop, 1215);
    m_cancel = formButton(this, u"Command4"_s, u"取消"_s, 4320, buttonTop, 1215);
    m_close = formButton(this, u"Command1"_s, u"关闭"_s, 7320, buttonTop, 1215);
    connect(m_query, &QPushButton::clicked, this, &ReviewWindow::query);
    connect(m_save, &QPushButton::clicked, this, &ReviewWindow::save);
    connect(m_cancel, &QPushButton::clicked, this, &ReviewWindow::cancel);
    connect(m_close, &QPushButton::clicked, this, &ReviewWindow::close);
}

// The review boxes and the buttons first, then the permit's particulars.
void ReviewWindow::setTabOrder()
{
    std::vector<QWidget *> order = {textBox(reviewedBox), m_combo[resultCombo], textBox(actionBox), textBox(remarksBox),
                                    textBox(nextReviewBox), m_query, m_save, m_cancel, m_close};
    for (int i : {0, 1, 2, 3, 4, 5, 16, floorAreaBox})
        order.push_back(textBox(i));
    order.insert(order.end(), {m_combo[0], m_combo[1]});
    for (int i : {6, 7, 8, 9, 10})
        order.push_back(textBox(i));
    order.front()->setFocus();
    setFocusOrder(std::move(order));
}

void ReviewWindow::applyState(State state)
{
    const bool editing = state == State::Editing;
    m_close->setEnabled(!editing);
    m_save->setEnabled(editing);
    m_cancel->setEnabled(editing);
    m_query->setEnabled(!editing);
    if (state == State::Empty) {
        for (int i = 0; i <= lastBox; ++i)
            textBox(i)->setEnabled(false);
        for (ListBox *c : m_combo)
            c->setEnabled(false);
    }
}

// Writes the review columns of the stored permit, and nothing else of it:
// the particulars shown read-only are never written back.
bool ReviewWindow::save()
{
    const ReviewEntry entry{text(nextReviewBox), text(reviewedBox)};
    if (const std::optional<CheckFailure> failure = firstFailingCheck(entry)) {
        inform(this, failure->message);
        textBox(failure->focusBox)->setFocus();
        return false;
    }
    const QString permitNo = m_record->storedValue(u"xkzh"_s);
    try {
        saveReview(db(), permitNo,
                   {text(reviewedBox), m_combo[resultCombo]->currentText(), text(actionBox), text(remarksBox),
                    text(nextReviewBox)});
    } catch (const DbError &e) {
        showError(this, e.message());
        return false;
    }
    // Drops the record's own copy of the edits and shows the permit as stored.
    m_record->cancelUpdate();
    m_record->findFirst(u"xkzh"_s, permitNo);
    setState(State::Browsing);
    return true;
}

} // namespace kelm
