// A freshly prepared database for one test, in a temporary folder; the
// program's connection points at it while the object lives.
#pragma once

#include "platform/database.h"

#include <QTemporaryDir>

namespace kelm::test {

class TestDatabase {
public:
    TestDatabase();
    ~TestDatabase();
    TestDatabase(const TestDatabase &) = delete;
    TestDatabase &operator=(const TestDatabase &) = delete;

    QString path() const;
    QString dir() const { return m_dir.path(); }
    Database &db();

private:
    QTemporaryDir m_dir;
};

// A prepared database written once per test program (copy it, do not
// change it).
QString preparedTemplate();

// The bytes of the file at path; empty when it cannot be read.
QByteArray contents(const QString &path);

// Overwrites the first page of a table of the (closed) file at path with
// garbage, as a failing disk would: reading that table then fails.
void damageTable(const QString &path, const QString &table);

} // namespace kelm::test
