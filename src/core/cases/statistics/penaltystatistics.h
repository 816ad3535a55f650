// The penalty statistics of a period: the cases accepted in it are copied
// into the scratch table xzcf2, counted and summed by unit category and
// kind of penalty, and the official sheet's 84 figures, the reporting unit
// and the period text are stored in the one row of xzcftj. No widgets: the
// statistics window draws what the computation returns.
#pragma once

#include "cases/statistics/tally.h"

#include <QDate>
#include <QString>

namespace kelm {

class Database;

namespace statistics {

constexpr int reportRowCount = 6;
constexpr int reportColumnCount = 14;

// The window's columns, left to right.
enum class ScreenColumn {
    Warning,           // 警告, cf1
    Correction,        // 责令改正, cf2
    Recall,            // 责令收回, cf3
    Suspension,        // 责令停产停业, cf4
    Destruction,       // 责令销毁, cf5
    Confiscation,      // 没收违法所得, cf6
    ConfiscatedAmount, // 没收金额, msje
    Fine,              // 罚款, cf7
    FineAmount,        // 罚款金额, fkje
    Revocation,        // 吊销许可证, cf8
    Ban,               // 取缔, cf9
    Exemption,         // 免予处罚, cf10
    Cases,             // 处罚户次
};
constexpr int screenColumnCount = 13;

// Copies the cases whose acceptance date lies from start to end, both days
// included, into xzcf2, counting them in the same pass, and stores the
// sheet's row in xzcftj, all in one transaction: on any failure xzcf2 and
// xzcftj stay as they were. Acceptance dates are read with the program's
// one date reader; a case whose date it refuses stops the run with a
// message naming the case. Throws DbError, or Cancelled.
PenaltyStatistics computeStatistics(Database &db, const QDate &start, const QDate &end,
                                    const Progress &progress = {});

// The period as the window shows it (short dates) and as the sheet prints
// it (long dates), start first.
QString screenPeriodText(const QDate &start, const QDate &end);
QString sheetPeriodText(const QDate &start, const QDate &end);

// A number as the number-to-text conversion writes it: at most 15
// significant digits, decimals only where the number has them, an exponent
// from 10^15 on and below 10^-4 ("1E+20", "1.5E-05"); fewer digits, rounded,
// where the text would not fit a cell of the sheet.
QString decimalText(double value);

// The text drawn for a column of a row: a number with a blank in the place
// of its sign; an amount over no case is the bare "0".
QString drawnText(const Tally &tally, ScreenColumn column);
// A cell of the sheet: a<row><column>, column 10 written as 0.
QString cellName(int reportRow, int reportColumn);
// The decimal text stored in a report column (1 to 14); "0" for a sum
// over no case.
QString cellText(const Tally &tally, int reportColumn);

} // namespace statistics
} // namespace kelm
