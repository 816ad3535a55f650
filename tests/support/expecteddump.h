// Compares a converted database with the expected dump of its Jet test
// file (tests/import/jet/*.expected.json): every table and column, rows in
// order where the order matters, otherwise matched by key, rows that share
// a key in their order.
#pragma once

#include <QString>

namespace kelm::test {

// Empty when the database at path holds what the dump says; otherwise the
// first difference, for the test's message.
QString differenceFromExpected(const QString &path, const QString &expectedJson);

// Patches bytes of the file at path in place, at offset.
void patchFile(const QString &path, qint64 offset, const QByteArray &bytes);
// The same where the file's own bytes there must be was: a test file made
// anew keeps no offsets taken from the old one.
void patchFile(const QString &path, qint64 offset, const QByteArray &was, const QByteArray &bytes);

} // namespace kelm::test
