#include "cases/engine/placeholderdocument.h"

#include "cases/engine/registerlink.h"
#include "data/appvalues.h"
#include "data/caserows.h"
#include "data/connection.h"
#include "data/documentcatalogue.h"
#include "platform/messages.h"
#include "platform/units.h"

#include <QCheckBox>
#include <QLabel>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {
constexpr int widthTwips = 7800;
}

PlaceholderDocument::PlaceholderDocument(int registerIndex, QWidget *parent)
    : FormWindow(parent), m_index(registerIndex), m_row(new QLabel(this)), m_deleteOnClose(new QCheckBox(u"销  档"_s, this))
{
    const DocumentEntry &doc = documentAt(registerIndex);
    setObjectName(doc.windowName());
    setWindowTitle(doc.windowCaption);
    setFont(uiFont(9));
    setFixedSize(px(widthTwips), px(2400));

    auto *title = new QLabel(doc.windowCaption, this);
    title->setFont(songti(16, true));
    title->setAlignment(Qt::AlignCenter);
    title->setGeometry(pxRect(0, 600, widthTwips, 480));
    m_row->setAlignment(Qt::AlignCenter);
    m_row->setGeometry(pxRect(0, 1320, widthTwips, 300));

    m_deleteOnClose->setObjectName(u"Check1"_s);
    m_deleteOnClose->setToolTip(u"如选择该项，关闭窗口后本资料将被删除！"_s);
    m_deleteOnClose->setGeometry(pxRect(widthTwips - 1455, 0, 1455, 255));
    m_deleteOnClose->setAutoFillBackground(true);
    m_deleteOnClose->setBackgroundRole(QPalette::Window);
    QPalette p = m_deleteOnClose->palette();
    p.setColor(QPalette::WindowText, vbColor(0x00C00000));
    p.setColor(QPalette::Window, vbColor(0x00C0E0FF));
    m_deleteOnClose->setPalette(p);
}

// Stands on the current case's row, made as the register makes it when the
// case has none, so the window never shows another case's row.
void PlaceholderDocument::activated()
{
    move(0, 0);
    m_caseNo = app().caseNo;
    try {
        ensureDocumentRow(db(), m_index, m_caseNo);
        m_row->setText(u"案件编号：%1"_s.arg(m_caseNo));
    } catch (const DbError &e) {
        showError(this, e.message());
    }
}

bool PlaceholderDocument::queryClose()
{
    if (!m_deleteOnClose->isChecked())
        return true;
    if (ask(this, u"确认销除该案件资料吗？"_s, u"提示"_s, Buttons::YesNo, Answer::Yes, Icon::None) != Answer::Yes)
        return true;
    try {
        db().exec(u"DELETE FROM %1 WHERE dabh = ?"_s.arg(documentAt(m_index).table), {m_caseNo});
    } catch (const DbError &e) {
        showError(this, e.message());
        return true;
    }
    if (CaseRegisterLink *reg = caseRegister()) {
        reg->setClickFlag(0);
        reg->untickDocument(m_index);
    }
    return true;
}

} // namespace kelm
