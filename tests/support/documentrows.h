// A case's row of a document written and read straight in the database, as
// tests set up a row to print or check what a window stored.
#pragma once

#include <QString>

#include <functional>

namespace kelm {
struct BoxSpec;
struct DocumentDescription;
}

namespace kelm::test {

// Makes the case's row of d and writes each box's column with value(box),
// fitted as every write is. One commit for the whole row: a durable commit
// per column made tests over many rows slow.
void writeRow(const DocumentDescription &d, const QString &caseNo,
              const std::function<QString(const BoxSpec &)> &value);

// A year, month or day part of a date (…_y, …_m, …_d) and a short value for it.
bool isDatePart(const QString &column);
QString datePartValue(const QString &column);

QString storedValue(const QString &table, const QString &column, const QString &caseNo);

} // namespace kelm::test
