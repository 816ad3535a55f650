#include "support/documenttesting.h"

#include "cases/engine/documentwindow.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>

using namespace Qt::StringLiterals;

namespace kelm::test {

void RecordingRegister::setClickFlag(int value) { calls << u"xzcf_aa=%1"_s.arg(value); }

void RecordingRegister::untickDocument(int k) { calls << u"Check1(%1)=0"_s.arg(k); }

void commit(QWidget *box, const QString &text)
{
    QInputMethodEvent e;
    e.setCommitString(text);
    QApplication::sendEvent(box, &e);
}

void press(QWidget *box, Qt::Key key)
{
    QTest::keyPress(box, key);
    QTest::keyRelease(QApplication::focusWidget(), key);
}

int focusedBox(const DocumentWindow &w)
{
    for (int i = 0; i <= w.description().lastIndex(); ++i)
        if (w.box(i)->hasFocus())
            return i;
    return -1;
}

} // namespace kelm::test
