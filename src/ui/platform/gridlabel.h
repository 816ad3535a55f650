// A form label drawn on the fixed character grid: each full-width character
// one em wide, any other half an em, so boxes laid over the label's blanks
// meet them whatever the font's own widths. Given a line width, it breaks
// onto further lines one em apart, as a fixed-width label of the forms does.
// Still a QLabel, so its whole text is there for screen readers and tests.
#pragma once

#include <QLabel>

namespace kelm {

class GridLabel : public QLabel {
    Q_OBJECT
public:
    GridLabel(const QString &text, const QFont &font, QWidget *parent = nullptr);

    // Twips a line may take; 0 (the default): one line, however long.
    void setLineWidth(int twips);
    QStringList lines() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_lineWidth = 0;
};

} // namespace kelm
