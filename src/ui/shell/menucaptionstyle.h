// Menu captions as the form spreads them with blanks ("  系统  ", "退    出"),
// while their actions carry the words alone, so that a screen reader reads
// "系统" and "退出". The style draws and measures each such entry by its
// caption.
#pragma once

#include <QHash>
#include <QProxyStyle>

class QAction;

namespace kelm {

class MenuCaptionStyle : public QProxyStyle {
    Q_OBJECT
public:
    MenuCaptionStyle();

    // The action's text becomes the caption's words; the caption is drawn.
    void setCaption(QAction *action, const QString &caption);
    // What the entry of action shows.
    QString captionOf(const QAction *action) const;

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption *option, const QSize &size,
                           const QWidget *widget) const override;

private:
    QHash<const QAction *, QString> m_captions;
};

} // namespace kelm
