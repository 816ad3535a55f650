#include "cases/engine/linebox.h"

#include "cases/engine/description.h"
#include "platform/typinglimit.h"

#include <algorithm>

namespace kelm {

LineBox::LineBox(int index, const BoxSpec &spec, BoxHost *host, QWidget *parent) : TextBox(index, host, parent)
{
    setFrame(false);
    setTextMargins(0, 0, 0, 0);
    setContentsMargins(0, 0, 0, 0);
    setAlignment(spec.centred ? Qt::AlignHCenter : Qt::AlignLeft);
    setReadOnly(spec.locked);
    // A limit on typing only: maxLength would also cut what the row holds.
    if (spec.typingLimit > 0)
        setValidator(new TypingLimit(spec.typingLimit, this));
}

void LineBox::setText(const QString &text)
{
    m_known = text;
    QLineEdit::setText(text);
}

int LineBox::caret() const { return hasSelectedText() ? selectionStart() : cursorPosition(); }

void LineBox::setCaret(int position) { setCursorPosition(std::min(position, int(QLineEdit::text().size()))); }

} // namespace kelm
