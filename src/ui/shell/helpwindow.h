// The program's help: help/help.htm of the program folder in a window of
// its own beside the main window.
#pragma once

#include <QWidget>

class QTextBrowser;

namespace kelm {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);

    // Shows the help page from its start, or says that it is missing.
    void showTopic(const QString &path);

    QTextBrowser *browser() const { return m_browser; }

private:
    QTextBrowser *m_browser;
};

} // namespace kelm
