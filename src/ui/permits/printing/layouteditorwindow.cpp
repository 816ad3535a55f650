#include "permits/printing/layouteditorwindow.h"

#include "data/connection.h"
#include "permits/printing/printlayout.h"
#include "platform/accessiblenames.h"
#include "platform/boundrecord.h"
#include "platform/busypointer.h"
#include "platform/formcontrols.h"
#include "platform/messages.h"
#include "platform/spacekeylock.h"

#include <QApplication>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

// The boxes of Text1 and what they show.
constexpr int topBox = 0;       // xmu
constexpr int refSizeBox = 1;   // de_xmzh
constexpr int sizeBox = 2;      // xmzh
constexpr int refTopBox = 3;    // de_xmu
constexpr int refLeftBox = 4;   // de_xml
constexpr int leftBox = 5;      // xml

// A value in use: what it sets on the sheet, its box, column and caption,
// and its reference value's box and column.
struct Value {
    LayoutValue layoutValue;
    int box;
    const char16_t *column;
    const char16_t *caption;
    int referenceBox;
    const char16_t *referenceColumn;
};
constexpr Value values[] = {
    {LayoutValue::Top, topBox, u"xmu", u"上边距", refTopBox, u"de_xmu"},
    {LayoutValue::Left, leftBox, u"xml", u"左边距", refLeftBox, u"de_xml"},
    {LayoutValue::Size, sizeBox, u"xmzh", u"打印字号", refSizeBox, u"de_xmzh"},
};

QString str(const char16_t *s) { return QString::fromUtf16(s); }

} // namespace

LayoutEditorWindow::LayoutEditorWindow(QWidget *parent)
    : FormWindow(parent), m_record(new BoundRecord(db(), RecordSource::tableOrder(u"dycc"_s), this))
{
    setObjectName(u"xkzdy"_s);
    setWindowTitle(u"卫生许可证打印设置"_s);
    setFont(uiFont(9));
    setFixedSize(px(6405), px(4485));

    buildModelFrame();
    QGroupBox *items = formFrame(this, u"Frame2"_s, u"选择调整项目"_s, 120, 120, 2535, 4215);
    m_list = placed(new QListWidget(items), 120, 240, 2295, 3840);
    m_list->setObjectName(u"List1"_s);
    m_list->setAccessibleName(items->title()); // its frame's caption is its only label
    buildPositionFrame();
    buildSizeFrame();
    m_confirm = formButton(this, u"Command1"_s, u"确认"_s, 3000, 3960, 1335);
    m_cancel = formButton(this, u"Command2"_s, u"取消"_s, 4800, 3960, 1215);
    // Tab goes as the window reads: the item list, the models, the font
    // size, the position, the buttons.
    std::vector<QWidget *> order = {m_list};
    order.insert(order.end(), m_options.begin(), m_options.end());
    order.insert(order.end(), {m_boxes[sizeBox], m_boxes[topBox], m_boxes[leftBox], m_confirm, m_cancel});
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
    // A value's two boxes are named by its row or frame and their column.
    for (const Value &v : values) {
        m_boxes[std::size_t(v.box)]->setAccessibleName(str(v.caption) + u" 使用值"_s);
        m_boxes[std::size_t(v.referenceBox)]->setAccessibleName(str(v.caption) + u" 参考值"_s);
    }
    for (const Spin &spin : m_spins)
        spin.bar->setAccessibleName(spin.box->accessibleName() + u" 调整"_s);

    // Every write is "确认" or the close question's Yes; leaving a row never
    // writes it.
    m_record->setValidateHandler([](BoundRecord::Action, bool &save) { save = false; });
    for (const Value &v : values)
        m_record->bind(str(v.column), m_boxes[std::size_t(v.box)]);
    connect(m_record, &BoundRecord::filled, this, [this] {
        for (const Value &v : values)
            m_boxes[std::size_t(v.referenceBox)]->setText(m_record->storedValue(str(v.referenceColumn)));
    });
    connect(m_record, &BoundRecord::repositioned, this, [this] { setEditing(false); });
    connect(m_list, &QListWidget::currentRowChanged, this, &LayoutEditorWindow::chooseItem);
    connect(m_confirm, &QPushButton::clicked, this, &LayoutEditorWindow::store);
    connect(m_cancel, &QPushButton::clicked, this, &LayoutEditorWindow::cancelEdit);

    setEditing(false);
    try {
        m_record->open();
    } catch (const DbError &e) {
        showError(this, e.message());
    }
    m_options[1]->setChecked(true);

    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void LayoutEditorWindow::buildModelFrame()
{
    QGroupBox *frame = formFrame(this, u"Frame1"_s, u"选择许可证类型"_s, 2760, 120, 1575, 1815);
    const QString captions[] = {u"NO.Y.05-1"_s, u"NO.Y.05-2"_s, u"NO.Y.05-3"_s, u"副     本"_s};
    for (int i = 0; i < 4; ++i) {
        auto *option = placed(new QRadioButton(captions[i], frame), 240, 240 + 360 * i, 1215, 375);
        option->setObjectName(u"Option%1"_s.arg(i + 1));
        option->setAccessibleName(spokenLabel(captions[i]));
        connect(option, &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                chooseModel(i + 1);
        });
        m_options[std::size_t(i)] = option;
    }
}

void LayoutEditorWindow::buildPositionFrame()
{
    QGroupBox *frame = formFrame(this, u"Frame3"_s, u"打印位置(毫米)"_s, 2760, 2040, 3495, 1695);
    formLabel(frame, u"参 考 值"_s, 960, 360, 855)->setObjectName(u"Label3"_s);
    formLabel(frame, u"使 用 值"_s, 2160, 360, 855)->setObjectName(u"Label4"_s);
    formLabel(frame, u"上边距"_s, 240, 600, 600)->setObjectName(u"Label1"_s);
    valueBox(frame, refTopBox, 840, 600, 975);
    addSpin(valueBox(frame, topBox, 2040, 600, 1215), u"VScroll1"_s, 3000, 600);
    formLabel(frame, u"左边距"_s, 240, 1080, 600)->setObjectName(u"Label2"_s);
    valueBox(frame, refLeftBox, 840, 1080, 975);
    addSpin(valueBox(frame, leftBox, 2040, 1080, 1215), u"VScroll2"_s, 3000, 1080);
}

void LayoutEditorWindow::buildSizeFrame()
{
    QGroupBox *frame = formFrame(this, u"Frame4"_s, u"打印字号"_s, 4440, 120, 1815, 1815);
    formLabel(frame, u"参考值"_s, 120, 360, 600)->setObjectName(u"Label5"_s);
    valueBox(frame, refSizeBox, 720, 360, 855);
    formLabel(frame, u"使用值"_s, 120, 720, 600)->setObjectName(u"Label6"_s);
    addSpin(valueBox(frame, sizeBox, 720, 720, 855), u"VScroll3"_s, 1320, 720);
}

// Reference boxes are disabled; value boxes start editing when changed,
// refuse the space key and turn an empty box into "0" when left.
QLineEdit *LayoutEditorWindow::valueBox(QWidget *frame, int index, int left, int top, int width)
{
    auto *box = placed(new QLineEdit(frame), left, top, width, 270);
    box->setObjectName(u"Text1_%1"_s.arg(index));
    m_boxes[std::size_t(index)] = box;
    if (index == refTopBox || index == refLeftBox || index == refSizeBox) {
        box->setEnabled(false);
        return box;
    }
    new SpaceKeyLock(box, true);
    box->installEventFilter(this);
    connect(box, &QLineEdit::textChanged, this, &LayoutEditorWindow::edited);
    return box;
}

// A vertical scroll bar over the right end of its box, 0 to 1000, at 500.
void LayoutEditorWindow::addSpin(QLineEdit *box, const QString &name, int left, int top)
{
    auto *bar = placed(new QScrollBar(Qt::Vertical, box->parentWidget()), left, top, 255, 255);
    bar->setObjectName(name);
    bar->setRange(0, 1000);
    bar->setSingleStep(1);
    bar->setPageStep(1);
    bar->setValue(500);
    bar->raise();
    const std::size_t i = name == u"VScroll1"_s ? 0 : name == u"VScroll2"_s ? 1 : 2;
    m_spins[i] = {box, bar, 500};
    connect(bar, &QScrollBar::valueChanged, this, [this, i](int value) { step(m_spins[i], value); });
}

bool LayoutEditorWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusOut) {
        auto *box = qobject_cast<QLineEdit *>(watched);
        if (box && (box->text().isEmpty() || box->text() == u" "_s))
            box->setText(u"0"_s);
    }
    return FormWindow::eventFilter(watched, event);
}

// Lists the first names of set n in table order (19, or 20 for the copy)
// and shows the set's 整体 row.
void LayoutEditorWindow::chooseModel(int n)
{
    const QString set = QString::number(n);
    {
        const QSignalBlocker quiet(m_list);
        m_list->clear();
        try {
            m_list->addItems(layoutItemNames(db(), PermitForm(n - 1)));
        } catch (const DbError &e) {
            showError(this, e.message());
        }
        if (m_list->count() > 0)
            m_list->setCurrentRow(0);
    }
    m_set = set;
    showRow(m_record->findFirst({{u"xmmc"_s, u"整体"_s}, {u"xkzlx"_s, set}}));
}

void LayoutEditorWindow::chooseItem(int row)
{
    if (row < 0 || m_set.isEmpty())
        return;
    showRow(m_record->findFirst({{u"xmmc"_s, m_list->item(row)->text()}, {u"xkzlx"_s, m_set}}));
}

// A row that is not there is never edited in place of another set's row:
// the boxes go empty and stay closed.
void LayoutEditorWindow::showRow(bool found)
{
    if (!found) {
        m_quiet = true;
        for (QLineEdit *box : m_boxes)
            box->clear();
        m_quiet = false;
        setEditing(false);
    }
    for (const Value &v : values)
        m_boxes[std::size_t(v.box)]->setEnabled(found);
    for (Spin &s : m_spins)
        s.bar->setEnabled(found);
}

void LayoutEditorWindow::edited()
{
    if (m_quiet || m_record->isLoading() || m_editing)
        return;
    m_record->edit();
    setEditing(true);
}

// Each change of a bar steps its box by one: up when the bar's value rose
// (its lower arrow), down when it fell, however far it moved.
void LayoutEditorWindow::step(Spin &spin, int value)
{
    if (spin.box->text().isEmpty()) {
        spin.box->setText(u"0"_s);
        return;
    }
    const std::optional<double> now = layoutNumber(spin.box->text());
    const int previous = spin.previous;
    spin.previous = value;
    if (!now) {
        QApplication::beep();
        return;
    }
    spin.box->setText(QString::number(*now + (value > previous ? 1 : -1), 'g', 15));
}

// Refuses a value that is no number (or no positive font size), that its
// column cannot hold, or that would take the item's text off the sheet:
// each would print garbage, be cut unseen or run off the certificate.
bool LayoutEditorWindow::store()
{
    auto refuse = [this](const Value &v, const QString &problem) {
        QLineEdit *box = m_boxes[std::size_t(v.box)];
        showError(this, u"%1“%2”%3，不能存盘。"_s.arg(str(v.caption), box->text(), problem));
        box->setFocus();
        return false;
    };
    for (const Value &v : values) {
        QLineEdit *box = m_boxes[std::size_t(v.box)];
        const std::optional<double> n = layoutNumber(box->text());
        if (!n || (v.box == sizeBox && *n <= 0))
            return refuse(v, v.box == sizeBox ? u"不是有效的字号"_s : u"不是数字"_s);
        if (const int units = db().capacity(u"dycc"_s, str(v.column));
            units >= 0 && displayUnits(box->text()) > units)
            return refuse(v, u"太长"_s);
    }
    try {
        if (const std::optional<OffSheet> off = offSheet()) {
            const Value &v = *std::find_if(std::begin(values), std::end(values),
                                           [&](const Value &w) { return w.layoutValue == off->value; });
            auto shown = [](double value) { return QString::number(value + 0.0, 'g', 10); };
            if (!off->allowed)
                return refuse(v, u"使项目超出纸张"_s);
            if (off->value == LayoutValue::Size)
                return refuse(v, u"太大，纸上印不下（至多 %1）"_s.arg(shown(off->allowed->second)));
            return refuse(v, u"超出纸张（可用 %1 至 %2）"_s.arg(shown(off->allowed->first), shown(off->allowed->second)));
        }
        m_record->update();
    } catch (const DbError &e) {
        showError(this, e.message());
        return false;
    }
    setEditing(false);
    return true;
}

// The shown row's values as they would be stored, checked against the
// sheet of its form with the set's other rows as they are stored; the
// values whose boxes differ from the stored row are the ones named first.
std::optional<OffSheet> LayoutEditorWindow::offSheet()
{
    const int set = m_set.toInt();
    if (set < 1 || set > 4)
        return std::nullopt;
    const PermitForm form = PermitForm(set - 1);
    std::vector<LayoutRow> rows = readLayoutRows(db(), form);
    const QString name = m_record->storedValue(u"xmmc"_s);
    const auto row = std::find_if(rows.begin(), rows.end(), [&](const LayoutRow &r) { return r.name == name; });
    if (row == rows.end())
        return std::nullopt;
    row->topMm = *layoutNumber(m_boxes[topBox]->text());
    row->leftMm = *layoutNumber(m_boxes[leftBox]->text());
    row->size = m_boxes[sizeBox]->text();
    std::vector<LayoutValue> edited;
    for (const Value &v : values)
        if (m_boxes[std::size_t(v.box)]->text() != m_record->storedValue(str(v.column)))
            edited.push_back(v.layoutValue);
    return kelm::offSheet(form, rows, std::size_t(row - rows.begin()), edited);
}

void LayoutEditorWindow::cancelEdit()
{
    m_record->cancelUpdate();
    setEditing(false);
}

void LayoutEditorWindow::setEditing(bool on)
{
    m_editing = on;
    m_confirm->setEnabled(on);
    m_cancel->setEnabled(on);
    m_list->setEnabled(!on);
    for (QRadioButton *o : m_options)
        o->setEnabled(!on);
}

void LayoutEditorWindow::activated()
{
    showDefaultPointer();
    if (!m_set.isEmpty())
        showRow(m_record->findFirst({{u"xmmc"_s, u"整体"_s}, {u"xkzlx"_s, m_set}}));
}

bool LayoutEditorWindow::queryClose()
{
    if (!m_editing)
        return true;
    switch (ask(this, u"记录已更改，是否存盘？"_s, u"提示"_s, Buttons::YesNoCancel, Answer::Yes)) {
    case Answer::Yes: return store();
    case Answer::No: cancelEdit(); return true;
    default: return false;
    }
}

} // namespace kelm
