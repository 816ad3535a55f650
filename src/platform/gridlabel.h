// A form label drawn on the fixed character grid: each full-width character
// one em wide, any other half an em, so boxes laid over the label's blanks
// meet them whatever the font's own widths. Still a QLabel, so its text is
// there for screen readers and tests.
#pragma once

#include <QLabel>

namespace kelm {

class GridLabel : public QLabel {
    Q_OBJECT
public:
    GridLabel(const QString &text, const QFont &font, QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace kelm
