// The penalty statistics computed one figure at a time: the period's cases
// copied into xzcf2 by comparing acceptance dates, then one query a figure
// with val() inside sum() and one UPDATE a cell of xzcftj, all in one
// transaction. The one-pass computation is checked and measured against it.
#pragma once

#include <QDate>
#include <QStringList>

namespace kelm {

class Database;

namespace test {

// The texts the statistics window draws, in its drawing order: the period,
// the three head totals, then each screen row's columns left to right.
QStringList perCellStatistics(Database &db, const QDate &start, const QDate &end);

} // namespace test
} // namespace kelm
