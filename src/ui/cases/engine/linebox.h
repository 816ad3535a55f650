// The borderless single-line box laid over a drawn underline.
#pragma once

#include "cases/engine/documentbox.h"

#include <QLineEdit>

namespace kelm {

struct BoxSpec;

class LineBox : public TextBox<QLineEdit> {
public:
    LineBox(int index, const BoxSpec &spec, BoxHost *host, QWidget *parent);

    QString text() const override { return QLineEdit::text(); }
    void setText(const QString &text) override;
    int caret() const override;
    bool hasSelection() const override { return hasSelectedText(); }
    void setCaret(int position) override;
};

} // namespace kelm
