// The program's help: help/help.htm of the program folder in a window of
// its own beside the main window, which Esc closes like any work window.
#pragma once

#include "platform/formwindow.h"

class QTextBrowser;

namespace kelm {

class HelpWindow : public FormWindow {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Shows the help page from its start, or says that it is missing.
    void showTopic(const QString &path);

    QTextBrowser *browser() const { return m_browser; }

    // The keyboard goes back to the main window.
    void unloaded() override;

private:
    QTextBrowser *m_browser;
};

} // namespace kelm
