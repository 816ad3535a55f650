// Values that windows hand to each other: a window stores one, opens or
// returns to another window, and that window reads it. One instance for
// the whole run.
#pragma once

#include <QDate>
#include <QString>

namespace kelm {

// The list a query window shows: table, sort column and, when filtering,
// the column whose leading characters must equal the prefix. The grid and
// the list report turn the same value into the same statement.
struct ListQuery {
    QString table;
    QString sortColumn;
    QString filterColumn;
    QString prefix;

    bool isEmpty() const { return table.isEmpty(); }
    bool operator==(const ListQuery &) const = default;
};

// The number of one register and its return flag (case, permit, review,
// examination): the register stores its number box on losing the focus
// and finds that number again on becoming active while the flag is 1.
struct ReturnSlot {
    QString *number;
    int *flag;

    void leave(const QString &numberText) const
    {
        *number = numberText;
        *flag = 1;
    }
    bool shouldFind() const { return *flag == 1; }
};

struct AppValues {
    ListQuery listQuery;          // current list query
    QString caseNo;               // current case number
    int relocateCase = 0;         // relocate-case flag
    QString permitNo;             // current permit number
    int permitReturn = 0;         // permit register return flag
    int reviewReturn = 0;         // annual review return flag
    QString examNo;               // current examination number
    int examReturn = 0;           // examination register return flag
    QDate statsStart;             // statistics period start
    QDate statsEnd;               // statistics period end

    ReturnSlot caseSlot() { return {&caseNo, &relocateCase}; }
    ReturnSlot permitSlot() { return {&permitNo, &permitReturn}; }
    ReturnSlot reviewSlot() { return {&permitNo, &reviewReturn}; }
    ReturnSlot examSlot() { return {&examNo, &examReturn}; }
};

AppValues &app();

// Starts a fresh run's values (tests).
void resetAppValues();

} // namespace kelm
