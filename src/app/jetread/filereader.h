// Reads a Jet file through the library and writes it as the stream
// (import/jetstream.h): the tables, then each table's rows in stored order.
// The library's row binding is not used: it gives NULL and "" alike, cuts
// memos at its bind size, decodes text and dates its own way. Nor is its
// row scan, nor its list of tables, which it reads with that scan: it takes
// deleted rows for live ones and passes over rows moved behind a pointer.
// Rows are found by their slots and cracked here, values are taken from the
// row's bytes, long values read whole page by page, text decoded by
// TextDecoder.
#pragma once

#include "readerror.h"
#include "streamwriter.h"
#include "textdecoder.h"

#include <mdbtools.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kelm::jetread {

class FileReader {
public:
    FileReader(const std::string &path, StreamWriter &out);
    ~FileReader();
    FileReader(const FileReader &) = delete;
    FileReader &operator=(const FileReader &) = delete;

    // Throws ReadError.
    void run();

private:
    struct Cell {
        const MdbColumn *column;
        const MdbField *field;
        bool null;
    };
    using RowSink = std::function<bool(const std::vector<Cell> &row, std::uint32_t number)>;

    // A row moved behind a pointer (and maybe on behind another): the page
    // its data is on stands in the library's page buffer, where its values
    // are taken from and where memos are read beside, until this ends and
    // puts the page being scanned back. Throws ReadError where a pointer
    // leads nowhere a row of the table can be.
    class MovedRow {
    public:
        // header: the pointer's slot on the page being scanned; row: the
        // row's number, for a failure.
        MovedRow(FileReader &reader, MdbTableDef *table, int header, std::uint32_t row);
        ~MovedRow();
        MovedRow(const MovedRow &) = delete;
        MovedRow &operator=(const MovedRow &) = delete;
        // The moved data's slot on the page now in the buffer.
        int slot;

    private:
        MdbHandle *m_mdb;
        std::vector<unsigned char> m_scanned;
    };

    void open();
    struct CatalogueTable {
        std::string name;
        unsigned long page; // of its definition
    };

    void readDefinitions();
    // The user's tables, in catalogue order.
    std::vector<CatalogueTable> readCatalogue();
    void chooseTextEncoding();
    bool allTextIsGbk();
    void sendDefinitions();
    void sendRows(std::size_t table);
    void writeValue(const Cell &cell, std::uint32_t row);
    // Calls sink for each row of the table in stored order, until it returns
    // false; returns the rows visited.
    std::uint32_t scan(std::size_t table, const RowSink &sink);
    // The same for a table by its definition; index names it in a failure
    // (npos: none).
    std::uint32_t scan(MdbTableDef *table, std::size_t index, const RowSink &sink);
    // The stored bytes of a text or memo value; memos are read whole into
    // m_long, or the value is refused (NotWhole, TooLong).
    std::pair<const unsigned char *, std::size_t> storedText(const Cell &cell, std::uint32_t row);
    [[noreturn]] void fail(jet::stream::Failure failure, std::string note, std::size_t table = npos,
                           const MdbColumn *column = nullptr, std::uint32_t row = 0);

    static constexpr std::size_t npos = std::size_t(-1);

    std::string m_path;
    StreamWriter &m_out;
    MdbHandle *m_mdb = nullptr;
    std::vector<std::unique_ptr<MdbCatalogEntry>> m_entries;
    std::vector<MdbTableDef *> m_tables;
    std::size_t m_scanning = 0; // the table scan() is in
    std::vector<MdbField> m_fields;
    std::vector<Cell> m_row;
    std::vector<unsigned char> m_long;
    std::unique_ptr<TextDecoder> m_decoder;
    std::string m_encodingName;
};

} // namespace kelm::jetread
