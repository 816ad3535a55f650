// The print picture of a document window: a small printer drawn at the top
// left corner that prints the document. It is a button for the keyboard
// and for screen readers: Tab reaches it (a click leaves the focus where it
// was), it shows a focus frame, and the space bar or Enter presses it.
#pragma once

#include <QAbstractButton>
#include <QPixmap>

namespace kelm {

class PrintPicture : public QAbstractButton {
    Q_OBJECT
public:
    explicit PrintPicture(QWidget *parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QPixmap m_icon;
};

} // namespace kelm
