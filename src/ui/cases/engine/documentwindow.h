// The window of a case document, built from its description: the form's
// wording on the character grid, one box per column of the current case's
// row, the print picture and the delete-on-close box "销  档".
//
// Every change of a box is written at once and the box then shows what its
// column kept. A line of a paragraph that has a following line is written
// by the line flow instead: when the key that changed it comes up, right
// after an input-method commit, paste or drop, when a right-button click
// ends on it, when the focus leaves it, and before printing or closing.
#pragma once

#include "cases/engine/description.h"
#include "cases/engine/documentbox.h"
#include "cases/engine/documentrow.h"
#include "cases/engine/printpicture.h"
#include "platform/formwindow.h"

class QCheckBox;

namespace kelm {

class DocumentWindow : public FormWindow, private BoxHost {
    Q_OBJECT
public:
    explicit DocumentWindow(DocumentDescription description, QWidget *parent = nullptr);

    const DocumentDescription &description() const { return m_desc; }
    QWidget *box(int index) const;
    QCheckBox *deleteBox() const { return m_deleteBox; }
    PrintPicture *printPicture() const { return m_picture; }

    // On opening: to the top left corner of the screen, the case's row.
    void activated() override;
    // The delete-on-close question.
    bool queryClose() override;
    // The print picture's press.
    void print();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;

private:
    void boxKeyPressed(int box, int key) override;
    void boxKeyReleased(int box) override;
    void boxMousePressed(int box, Qt::MouseButton button) override;
    void boxMouseReleased(int box) override;
    void boxEdited(int box) override;
    void boxLeft(int box) override;
    void boxMenuClosed(int box) override;

    void build();
    void setTabOrder();
    void showRow(const std::vector<QString> &values);
    void moveFocus(int box);
    void save(int box);
    void flow(int box, bool afterKey);
    void flushPending();
    // After a failed write: the boxes first..last show what the row holds.
    void showStored(int first, int last);

    const DocumentDescription m_desc;
    DocumentRow m_row;
    std::vector<DocumentBox *> m_boxes;
    std::vector<QString> m_stored; // what each box's column holds
    std::vector<Segment> m_lines;
    QCheckBox *m_deleteBox = nullptr;
    PrintPicture *m_picture = nullptr;
    bool m_opened = false;
    // A carrying line the user changed and no flow has placed yet.
    int m_pending = -1;
    int m_pendingCaret = 0;
    bool m_keyDown = false;
    bool m_moved = false;
    bool m_rightButton = false;
};

} // namespace kelm
