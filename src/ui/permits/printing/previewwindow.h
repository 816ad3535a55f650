// The print windows of a permit: frm_dyyy "卫生许可证打印预演" for the
// certificate of models 1 to 3 and frm_dyfb "卫生许可证副本打印预演" for the
// copy. Each time the window becomes active it shows the blank form's
// picture with the permit's texts over it; "打印" prints one sheet and
// leaves the window open; closing it empties the print lines of its kind.
#pragma once

#include "platform/formwindow.h"
#include "platform/pagemodel.h"

#include <QImage>

class QPushButton;

namespace kelm {

class PermitOnScreen;

// Picture1: the preview's persistent image, drawn once per activation.
class PreviewSurface : public QWidget {
    Q_OBJECT
public:
    explicit PreviewSurface(QWidget *parent);
    // White, the picture at its natural size from the top left corner
    // (none when the file is missing or unreadable), then the texts.
    void draw(const QString &pictureFile, const report::Page &texts);
    const report::Page &texts() const { return m_texts; }
    bool hasPicture() const { return m_hasPicture; }
    QImage image() const { return m_image; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage m_image;
    report::Page m_texts;
    bool m_hasPicture = false;
};

class PermitPreviewWindow : public FormWindow {
    Q_OBJECT
public:
    static PermitPreviewWindow *certificate(PermitOnScreen *permits); // frm_dyyy
    static PermitPreviewWindow *copy(PermitOnScreen *permits);        // frm_dyfb

    PreviewSurface *surface() const { return m_surface; }

    void activated() override;
    void unloaded() override;

private:
    PermitPreviewWindow(PermitOnScreen *permits, bool copy);
    void print();

    PermitOnScreen *m_permits;
    bool m_copy;
    PreviewSurface *m_surface;
    QPushButton *m_print = nullptr;  // Command1
    QPushButton *m_cancel = nullptr; // Command2
};

} // namespace kelm
