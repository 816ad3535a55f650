// A column button of a query window: a raised plate with a caption label
// laid over it. The chosen button's plate is sunken and its caption red;
// a click on the plate or on the caption, or the space bar, chooses it.
#pragma once

#include <QAbstractButton>

namespace kelm {

class GridLabel;

class ColumnButton : public QAbstractButton {
    Q_OBJECT
public:
    // Width and height of the plate in twips.
    ColumnButton(const QString &caption, int plateWidth, int plateHeight, QWidget *parent = nullptr);

    void setChosen(bool chosen);
    bool isChosen() const { return m_chosen; }
    GridLabel *captionLabel() const { return m_caption; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    GridLabel *m_caption;
    bool m_chosen = false;
    QSize m_plate;
};

} // namespace kelm
