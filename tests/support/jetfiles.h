// What tests of reading an office's Jet files share: the test files, the
// reader program as built (a test runs from its own folder, where
// readJetFile() would not find it), and a receiver that keeps what it is
// handed.
#pragma once

#include "import/jetfile.h"

#include <QString>

#include <vector>

namespace kelm::test {

// tests/import/jet/name
QString jetTestFile(const QString &name);

// Points readJetFile() at the reader program built beside the program, and
// back to the usual silence limit.
void useBuiltJetReader();

// Keeps the whole file as it was handed over, and checks that the calls
// come in their order (begin, then each table's beginTable, rows,
// endTable); calls out of order are counted in misorders.
class KeptJetFile : public jet::Receiver {
public:
    jet::FileInfo file;
    std::vector<jet::Table> tables;
    std::vector<std::vector<std::vector<jet::Value>>> rows; // by table, row, column
    int misorders = 0;
    // Throws from row() once this many rows were handed over (0: never).
    int throwAfterRows = 0;

    void begin(const jet::FileInfo &file, const std::vector<jet::Table> &tables) override;
    void beginTable(int table) override;
    void row(const std::vector<jet::Value> &values) override;
    void endTable(int table) override;

    // The table so named (case-insensitively), or -1.
    int table(const QString &name) const;
    // The column so named in that table (case-insensitively), or -1.
    int column(int table, const QString &name) const;

private:
    int m_open = -1;
    int m_next = 0;
    int m_rowsSeen = 0;
};

} // namespace kelm::test
