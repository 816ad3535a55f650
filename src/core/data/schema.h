// The complete schema of kelm.mdb: every table with its columns in stored
// order. kelm-initdb writes it; the data layer and the tests read the same
// definition, so a column's place and capacity are stated once.
#pragma once

#include <span>
#include <string_view>

namespace kelm::schema {

enum class Kind {
    Text,   // VARCHAR(capacity): capacity in display units (full-width = 2)
    Memo,   // unbounded TEXT
    YesNo,  // INTEGER 0/1
};

struct Column {
    std::string_view name;
    Kind kind = Kind::Text;
    int capacity = 0; // display units for Kind::Text, unused otherwise
};

struct Table {
    std::string_view name;
    std::span<const Column> columns;
    // Column that identifies a row ("dabh", "xkzh", ...); empty for none.
    std::string_view key;
    // Whether `key` is unique in the table.
    bool uniqueKey = true;
};

// Helpers for the tables below: T(name, n) a text column of n display units,
// M(name) a memo, B(name) a yes/no column.
constexpr Column T(std::string_view n, int cap) { return {n, Kind::Text, cap}; }
constexpr Column M(std::string_view n) { return {n, Kind::Memo, 0}; }
constexpr Column B(std::string_view n) { return {n, Kind::YesNo, 0}; }

// Capacity of a document box of the given width in twips: one half-width
// 9 pt character is 90 twips wide. Line columns take exactly that; other
// boxes at least 8 units so a date part or short entry always fits.
constexpr int lineCapacity(int widthTwips) { return widthTwips / 90; }
constexpr int boxCapacity(int widthTwips)
{
    return lineCapacity(widthTwips) < 8 ? 8 : lineCapacity(widthTwips);
}

// A column whose printed form shows fewer 12 pt half-width characters (120
// twips each) than its window box holds no more than the paper shows, so a
// full line or entry prints whole and a paragraph flows on instead.
constexpr int printedCapacity(int capacity, int printedTwips)
{
    return printedTwips / 120 < capacity ? printedTwips / 120 : capacity;
}

// Keys are checked for their length in characters, so their capacity
// leaves room for full-width characters.
constexpr int caseNumberCapacity = 16;   // 8 characters
constexpr int permitNumberCapacity = 30; // at most 15 characters
constexpr int examNumberCapacity = 16;   // 8 characters

// Schema version written to PRAGMA user_version; a file of any other
// version is refused at start-up.
constexpr int version = 1;

std::span<const Table> tables();
const Table *find(std::string_view name);

// The 22 case document tables in register order (box k of the register).
std::span<const Table *const> documentTables();

// Tables of one area each; tables() concatenates them.
std::span<const Table> shellTables();                 // wslo
std::span<const Table> caseTables();                  // xzcf, qtzl
std::span<const Table> statisticsTables();            // xzcf2, xzcftj
std::span<const Table> permitTables();                // wsxkz, dycc
std::span<const Table> examTables();                  // jktj
std::span<const Table> filingDocumentTables();        // labg, sljl
std::span<const Table> investigationDocumentTables(); // dczj, hyjl, spb
std::span<const Table> noticeDocumentTables();        // tzgz, cfgz, tztz
std::span<const Table> hearingDocumentTables();       // tzbl, tzyj
std::span<const Table> decisionDocumentTables();      // cfjd, dccf, zlgz
std::span<const Table> onsiteDocumentTables();        // xzbl, xwbl, cssb, cyjl, bczj
std::span<const Table> enforcementDocumentTables();   // qzzx, ajys, sdhz, jabg

} // namespace kelm::schema
