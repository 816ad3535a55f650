// The penalty statistics of a period: the cases accepted in it are copied
// into the scratch table xzcf2, counted and summed by unit category and
// kind of penalty, and the official sheet's 84 figures, the reporting unit
// and the period text are stored in the one row of xzcftj. No widgets: the
// statistics window draws what the computation returns.
#pragma once

#include <QDate>
#include <QString>
#include <array>
#include <functional>
#include <stdexcept>

namespace kelm {

class Database;

namespace statistics {

constexpr int penaltyKinds = 10; // cf1..cf10
constexpr int screenRowCount = 16;
constexpr int reportRowCount = 6;
constexpr int reportColumnCount = 14;

// A sum of amounts as val() reads them, added with compensation so that a
// total of typed decimal amounts prints as their exact decimal sum.
class AmountSum {
public:
    void add(double value);
    void add(const AmountSum &other);
    double value() const { return m_sum + m_compensation; }

private:
    double m_sum = 0;
    double m_compensation = 0;
};

// What the cases of one row condition add up to.
struct Tally {
    int rows = 0;   // every case, numbered or not: a sum over none is empty
    int cases = 0;  // the counts count case numbers
    int filed = 0;  // lasj not empty
    int closed = 0; // sfja ticked
    std::array<int, penaltyKinds> penalties{};
    AmountSum confiscated; // msje
    AmountSum fine;        // fkje
    AmountSum recalled;    // shsp
    AmountSum destroyed;   // xhsp

    void add(const Tally &other);
};

// A row of the statistics window: its label and the cases it takes in
// (an empty condition takes any value) and the sheet's row it fills.
struct ScreenRow {
    QString label;
    QString category;    // dwlb1
    QString subcategory; // dwlb2
    int reportRow;       // 1 to 6; 0: drawn only
};
const std::array<ScreenRow, screenRowCount> &screenRows();

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

struct PenaltyStatistics {
    QDate start;
    QDate end;
    std::array<Tally, screenRowCount> rows; // in screen row order
    // The head totals are those of the last row, which takes every case.
    const Tally &total() const { return rows.back(); }
};

// Told the share of the run done, in percent, as it grows; returning false
// stops the run.
using Progress = std::function<bool(int percent)>;

// A run stopped through its progress: nothing was changed.
class Cancelled : public std::runtime_error {
public:
    Cancelled();
};

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
