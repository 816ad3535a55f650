#include "cases/engine/memobox.h"

#include "cases/engine/description.h"

#include <QTextCursor>
#include <algorithm>

namespace kelm {

MemoBox::MemoBox(int index, const BoxSpec &spec, BoxHost *host, QWidget *parent) : TextBox(index, host, parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab goes on to the next box as from every other box; Enter is the
    // memo's line break.
    setTabChangesFocus(true);
    setReadOnly(spec.locked);
}

void MemoBox::setText(const QString &text)
{
    m_known = text;
    setPlainText(text);
}

void MemoBox::setCaret(int position)
{
    QTextCursor c = textCursor();
    c.setPosition(std::min(position, int(toPlainText().size())));
    setTextCursor(c);
}

bool MemoBox::viewportEvent(QEvent *e)
{
    return tracked(e, [this](QEvent *ev) { return QPlainTextEdit::viewportEvent(ev); });
}

} // namespace kelm
