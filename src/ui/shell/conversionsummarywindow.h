// What converting an office's Jet file brought over, shown once the
// conversion is done: a sentence saying what happened, then the summary in
// a read-only box whose text can be selected and copied (long lists of
// keys are for looking up). Enter, Esc or 确定 close it.
#pragma once

#include "platform/formwindow.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace kelm {

class ConversionSummaryWindow : public FormWindow {
    Q_OBJECT
public:
    ConversionSummaryWindow(const QString &title, const QString &heading, const QString &summary,
                            QWidget *parent = nullptr);

    QLabel *heading() const { return m_heading; }
    QPlainTextEdit *summary() const { return m_summary; }
    QPushButton *closeButton() const { return m_close; }

private:
    QLabel *m_heading;
    QPlainTextEdit *m_summary;
    QPushButton *m_close;
};

} // namespace kelm
