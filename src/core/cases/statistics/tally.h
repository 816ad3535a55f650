// What the statistics count into: the tallies of the window's rows, the
// rows with the cases each takes in, and a computation's result and its
// progress. Below both the computation and the reading of the cases.
#pragma once

#include <QDate>
#include <QString>
#include <array>
#include <functional>
#include <stdexcept>

namespace kelm::statistics {

constexpr int penaltyKinds = 10; // cf1..cf10
constexpr int screenRowCount = 16;

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

} // namespace kelm::statistics
