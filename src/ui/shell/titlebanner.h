// The main window's client area: a photograph stretched over the whole
// picture box and the title "Kelm2002" centred across it, 35 per cent down.
#pragma once

#include <QWidget>

class QLabel;

namespace kelm {

// Where the title stands inside the picture box, in twips.
struct TitlePlacement {
    int left = 0;
    int top = 0;
    int width = 0;
};

// The title's box is as wide as titleWidth (the measured text); it is
// centred across the picture box and put at 35 per cent of its height,
// each position rounded to the nearest whole twip, halves to the even one.
TitlePlacement placeTitle(int pictureWidth, int pictureHeight, int titleWidth);

class TitleBanner : public QWidget {
    Q_OBJECT
public:
    explicit TitleBanner(QWidget *parent = nullptr);

    // Lays the banner out for a frame of that outer width (pixels): the
    // picture box is that wide and as high as this client area.
    void layOut(int frameWidth);

    QWidget *pictureBox() const { return m_picture; }
    QLabel *photograph() const { return m_image; }
    QLabel *title() const { return m_title; }

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    QWidget *m_picture;
    QLabel *m_image;
    QLabel *m_title;
};

} // namespace kelm
