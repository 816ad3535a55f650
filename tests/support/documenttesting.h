// What tests of document windows share: a stand-in for the case register
// that records what a window does to it, typing through the input method,
// a key whose release reaches the box that then has the focus, and which
// box has the focus.
#pragma once

#include "cases/engine/registerlink.h"

#include <QStringList>

class QWidget;

namespace kelm {
class DocumentWindow;
}

namespace kelm::test {

class RecordingRegister : public CaseRegisterLink {
public:
    void setClickFlag(int value) override;
    void untickDocument(int k) override;
    QStringList calls; // "xzcf_aa=0", "Check1(k)=0"
};

// Text as an input method commits it (no key events).
void commit(QWidget *box, const QString &text);
// A key goes down in box and comes up wherever the focus then is.
void press(QWidget *box, Qt::Key key);
// Index of the box with the focus, -1 when none has it.
int focusedBox(const DocumentWindow &w);

} // namespace kelm::test
