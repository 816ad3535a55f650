// The memo box of a plain document: one column's whole long text, line
// breaks included, in a bordered box with a vertical scroll bar.
#pragma once

#include "cases/engine/documentbox.h"

#include <QPlainTextEdit>

namespace kelm {

struct BoxSpec;

class MemoBox : public TextBox<QPlainTextEdit> {
public:
    MemoBox(int index, const BoxSpec &spec, BoxHost *host, QWidget *parent);

    QString text() const override { return toPlainText(); }
    void setText(const QString &text) override;
    int caret() const override { return textCursor().selectionStart(); }
    bool hasSelection() const override { return textCursor().hasSelection(); }
    void setCaret(int position) override;

protected:
    // Mouse buttons, menus and drops reach a memo through its viewport.
    bool viewportEvent(QEvent *e) override;
};

} // namespace kelm
