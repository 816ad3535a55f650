// The program as a user meets it once logged in: a fresh database, the main
// window shown and active, work windows opened modally and blocking, the
// real message boxes. Steps that reach into its windows find them by the
// names the program gives them.
#pragma once

#include "support/testdb.h"

#include <QString>

#include <memory>

class QWidget;

namespace kelm {
class MainWindow;
}

namespace kelm::test {

class UserScript;

class Program {
public:
    Program();
    ~Program();

    Database &db() { return m_db.db(); }
    MainWindow *mainWindow() const { return m_main.get(); }

    // The main window's menu, as chooseMenu() below.
    void chooseMenu(UserScript &script, const QString &bar, const QString &item = {}) const;

private:
    TestDatabase m_db;
    std::unique_ptr<MainWindow> m_main;
};

// Steps that wait until the main window, however it was opened, is active
// (the X server gives it the keyboard), then choose a menu entry: a bar
// entry or, with `item`, an entry of the bar's menu, by their object names.
void chooseMenu(UserScript &script, const QString &bar, const QString &item = {});

// Steps from the case register, active: 统计, the year 2002 typed as the
// period, 确认.
void askForTheYear(UserScript &script);

// A child of the shown window `window` by object name, or nullptr.
QWidget *childOf(const QString &window, const QString &child);
// The same by accessible name (what a screen reader reads).
QWidget *childNamed(const QString &window, const QString &accessibleName);

} // namespace kelm::test
