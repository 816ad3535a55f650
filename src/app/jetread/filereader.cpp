#include "filereader.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <optional>
#include <strings.h>

namespace kelm::jetread {

using jet::stream::Failure;
using jet::stream::Record;
using jet::stream::Tag;

namespace {

// Row offsets on a data page: the low bits locate the row, 0x8000 marks it
// deleted, 0x4000 makes it a pointer (page << 8 | row) to where the row was
// moved when it outgrew its place. The moved data is itself marked deleted,
// so that it is read only through its pointer. (The library has the two
// flags the other way round.)
constexpr int offsetMask = 0x1fff;
constexpr int deletedRow = 0x8000;
constexpr int movedRow = 0x4000;
constexpr std::size_t rowPointerSize = 4;
// A pointer may lead to another; more than a few in a row are taken for a
// loop.
constexpr int mostRowPointerHops = 8;
// A long value's reference in its row: length and kind, page and row of
// its first part, and four bytes unused.
constexpr int longReferenceSize = 12;
constexpr std::uint32_t longKindMask = 0xc0000000;
constexpr std::uint32_t longInRow = 0x80000000;
constexpr std::uint32_t longOnOnePage = 0x40000000;
// The longest value passed on, in stored bytes: its UTF-16 text stays well
// within a stream record.
constexpr std::uint32_t longestValue = 100u << 20;
// Where every Jet file keeps the definition of its catalogue.
constexpr unsigned long catalogPage = 2;
// A catalogue row's object id holds the page of a table's definition in its
// low bits; the flags mark the system's own tables.
constexpr std::uint32_t pageOfObject = 0x00ffffff;
constexpr std::uint32_t systemObject = 0x80000002;

std::uint32_t le32(const unsigned char *at)
{
    std::uint32_t value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

bool isText(int type) { return type == MDB_TEXT || type == MDB_MEMO; }

} // namespace

FileReader::FileReader(const std::string &path, StreamWriter &out)
    : m_path(path)
    , m_out(out)
{
}

FileReader::~FileReader()
{
    for (MdbTableDef *table : m_tables)
        mdb_free_tabledef(table);
    if (m_mdb)
        mdb_close(m_mdb);
}

void FileReader::run()
{
    open();
    readDefinitions();
    chooseTextEncoding();
    sendDefinitions();
    for (std::size_t table = 0; table < m_tables.size(); ++table)
        sendRows(table);
    m_out.begin(Record::End);
    m_out.end();
}

void FileReader::fail(Failure failure, std::string note, std::size_t table, const MdbColumn *column, std::uint32_t row)
{
    ReadError error;
    error.failure = failure;
    error.note = std::move(note);
    if (table != npos)
        error.table = m_tables[table]->name;
    if (column)
        error.column = column->name;
    error.row = row;
    throw error;
}

// The program looked at the file's header before it started this reader.
void FileReader::open()
{
    m_mdb = mdb_open(m_path.c_str(), MDB_NOFLAGS);
    if (!m_mdb)
        fail(Failure::Damaged, "the library does not open it");
}

// The tables are those of the catalogue as scanned here, not the library's
// list: that one reads the row flags the other way round, so a table the
// office deleted comes back and one whose catalogue row was moved behind a
// pointer is lost without a word.
void FileReader::readDefinitions()
{
    for (const CatalogueTable &found : readCatalogue()) {
        auto entry = std::make_unique<MdbCatalogEntry>();
        entry->mdb = m_mdb;
        entry->object_type = MDB_TABLE;
        entry->table_pg = found.page;
        std::snprintf(entry->object_name, sizeof entry->object_name, "%s", found.name.c_str());
        MdbTableDef *table = mdb_read_table(entry.get());
        if (!table) {
            ReadError error;
            error.note = "table definition unreadable";
            error.table = found.name;
            throw error;
        }
        // The definition keeps a pointer to its entry.
        m_entries.push_back(std::move(entry));
        m_tables.push_back(table);
        if (!mdb_read_columns(table) || table->columns->len != table->num_cols)
            fail(Failure::Damaged, "columns unreadable", m_tables.size() - 1);
        m_out.keepAlive();
    }
}

// The catalogue is a table too, read as every other: cut short, it would
// list fewer tables, and the library reads on as if the file held no more.
std::vector<FileReader::CatalogueTable> FileReader::readCatalogue()
{
    MdbCatalogEntry entry{};
    entry.mdb = m_mdb;
    entry.object_type = MDB_TABLE;
    entry.table_pg = catalogPage;
    std::snprintf(entry.object_name, sizeof entry.object_name, "MSysObjects");
    std::unique_ptr<MdbTableDef, void (*)(MdbTableDef *)> catalogue(mdb_read_table(&entry), mdb_free_tabledef);
    if (!catalogue)
        fail(Failure::Damaged, "catalogue definition unreadable");
    if (!mdb_read_columns(catalogue.get()) || catalogue->columns->len != catalogue->num_cols)
        fail(Failure::Damaged, "catalogue columns unreadable");

    // The catalogue's own columns, each of the type every Jet file gives it.
    auto column = [&](const char *name, int type) {
        for (unsigned int c = 0; c < catalogue->num_cols; ++c) {
            const auto *candidate = static_cast<const MdbColumn *>(g_ptr_array_index(catalogue->columns, c));
            if (strcasecmp(candidate->name, name) == 0 && candidate->col_type == type)
                return c;
        }
        fail(Failure::Damaged, std::string("catalogue column ") + name + " missing");
    };
    const unsigned int id = column("Id", MDB_LONGINT);
    const unsigned int name = column("Name", MDB_TEXT);
    const unsigned int type = column("Type", MDB_INT);
    const unsigned int flags = column("Flags", MDB_LONGINT);

    std::vector<CatalogueTable> tables;
    std::vector<char> decoded;
    const std::uint32_t rows = scan(catalogue.get(), npos, [&](const std::vector<Cell> &row, std::uint32_t) {
        auto number = [&](unsigned int c) -> std::int32_t {
            const Cell &cell = row[c];
            if (cell.null)
                return 0;
            const unsigned char *at = m_mdb->pg_buf + cell.field->start;
            if (cell.column->col_type == MDB_INT && cell.field->siz == 2) {
                std::int16_t value;
                std::memcpy(&value, at, sizeof value);
                return value;
            }
            if (cell.column->col_type != MDB_LONGINT || cell.field->siz != 4)
                fail(Failure::Damaged, "catalogue value of the wrong size");
            return std::int32_t(le32(at));
        };
        // Objects of other kinds, and the system's own tables.
        if (number(type) != MDB_TABLE || (std::uint32_t(number(flags)) & systemObject))
            return true;
        if (row[name].null || row[name].field->siz <= 0)
            fail(Failure::Damaged, "catalogue row of a table without a name");
        const auto *stored = reinterpret_cast<const char *>(m_mdb->pg_buf + row[name].field->start);
        const auto size = std::size_t(row[name].field->siz);
        // Names are decoded as the library decodes column names, so that a
        // table and its columns are named alike.
        decoded.assign(3 * size + 1, '\0');
        mdb_unicode2ascii(m_mdb, stored, size, decoded.data(), decoded.size());
        tables.push_back({decoded.data(), std::uint32_t(number(id)) & pageOfObject});
        return true;
    });
    if (rows < catalogue->num_rows)
        fail(Failure::Damaged, "catalogue cut short");
    return tables;
}

void FileReader::chooseTextEncoding()
{
    if (!IS_JET3(m_mdb)) {
        m_decoder = std::make_unique<TextDecoder>();
        return;
    }
    const int codePage = m_mdb->f->code_page;
    // A Chinese Windows may leave 1252 in the header of a file whose text is
    // GBK: such a file, all of whose text decodes as GBK, is taken for one.
    if (codePage != 936 && !allTextIsGbk()) {
        m_decoder = std::make_unique<TextDecoder>("CP" + std::to_string(codePage));
        m_encodingName = codePage >= 1250 && codePage <= 1258 ? "windows-" + std::to_string(codePage)
                                                               : "CP" + std::to_string(codePage);
        if (m_decoder->valid())
            return;
        m_decoder = std::make_unique<TextDecoder>("CP1252");
        m_encodingName = "windows-1252";
        return;
    }
    m_decoder = std::make_unique<TextDecoder>("GB18030");
    m_encodingName = "GB18030";
}

bool FileReader::allTextIsGbk()
{
    TextDecoder gbk("GB18030");
    std::vector<char16_t> decoded;
    bool valid = true;
    for (std::size_t table = 0; valid && table < m_tables.size(); ++table) {
        scan(table, [&](const std::vector<Cell> &row, std::uint32_t number) {
            for (const Cell &cell : row) {
                if (cell.null || !isText(cell.column->col_type))
                    continue;
                const auto [bytes, size] = storedText(cell, number);
                if (std::all_of(bytes, bytes + size, [](unsigned char b) { return b < 0x80; }))
                    continue;
                decoded.resize(TextDecoder::maxUnits(size));
                bool undecodable = false;
                gbk.decode(bytes, size, decoded.data(), undecodable);
                if (undecodable) {
                    valid = false;
                    return false;
                }
            }
            return true;
        });
    }
    return valid;
}

void FileReader::sendDefinitions()
{
    m_out.begin(Record::Info);
    m_out.u8(IS_JET3(m_mdb) ? 3 : 4);
    m_out.u16(IS_JET3(m_mdb) ? m_mdb->f->code_page : 0);
    m_out.string(m_encodingName);
    m_out.end();

    m_out.begin(Record::Tables);
    m_out.u32(std::uint32_t(m_tables.size()));
    for (MdbTableDef *table : m_tables) {
        m_out.string(table->name);
        m_out.u32(table->num_rows);
        m_out.u16(std::uint16_t(table->num_cols));
        for (unsigned int c = 0; c < table->num_cols; ++c) {
            const auto *column = static_cast<const MdbColumn *>(g_ptr_array_index(table->columns, c));
            m_out.string(column->name);
            m_out.u8(std::uint8_t(column->col_type));
        }
    }
    m_out.end();
}

void FileReader::sendRows(std::size_t table)
{
    m_out.begin(Record::BeginTable);
    m_out.u32(std::uint32_t(table));
    m_out.end();
    const std::uint32_t rows = scan(table, [&](const std::vector<Cell> &row, std::uint32_t number) {
        m_out.begin(Record::Row);
        for (const Cell &cell : row) {
            writeValue(cell, number);
            if (m_out.recordSize() > jet::stream::recordHeaderSize + jet::stream::maxPayload)
                fail(Failure::TooLong, "row longer than a record", table, cell.column, number);
        }
        m_out.end();
        return true;
    });
    // The library reads a file cut short without a word: a table then simply
    // ends early.
    if (rows < m_tables[table]->num_rows)
        fail(Failure::RowsShort, "fewer rows than the definition records", table, nullptr, rows);
    m_out.begin(Record::EndTable);
    m_out.u32(std::uint32_t(table));
    m_out.u32(rows);
    m_out.end();
}

std::uint32_t FileReader::scan(std::size_t index, const RowSink &sink)
{
    return scan(m_tables[index], index, sink);
}

std::uint32_t FileReader::scan(MdbTableDef *table, std::size_t index, const RowSink &sink)
{
    MdbHandle *mdb = m_mdb;
    if (table->num_cols == 0)
        return 0;
    m_fields.assign(table->num_cols, MdbField{});
    m_row.assign(table->num_cols, Cell{});
    std::uint32_t number = 0;
    m_scanning = index;
    mdb_rewind_table(table);
    while (mdb_read_next_dpg(table)) {
        m_out.keepAlive();
        const int rows = mdb_get_int16(mdb->pg_buf, mdb->fmt->row_count_offset);
        for (int r = 0; r < rows; ++r) {
            int start = 0;
            std::size_t size = 0;
            int found = mdb_find_row(mdb, r, &start, &size);
            if (start & deletedRow)
                continue;
            std::optional<MovedRow> moved;
            if (found == 0 && (start & movedRow)) {
                moved.emplace(*this, table, r, number + 1);
                found = mdb_find_row(mdb, moved->slot, &start, &size);
            }
            if (found != 0 || size == 0)
                fail(Failure::Damaged, "row outside its page", index, nullptr, number + 1);
            const int columns = mdb_crack_row(table, start & offsetMask, size, m_fields.data());
            if (columns < 0)
                fail(Failure::Damaged, "row does not crack", index, nullptr, number + 1);
            ++number;
            for (unsigned int c = 0; c < table->num_cols; ++c) {
                const MdbField &field = m_fields[c];
                const auto *column = static_cast<const MdbColumn *>(g_ptr_array_index(table->columns, field.colnum));
                // A row written before a column was added holds no bit for it.
                const bool null = field.is_null || column->col_num >= columns;
                if (!null && field.siz < 0)
                    fail(Failure::Damaged, "value of negative size", index, column, number);
                m_row[c] = Cell{column, &field, null};
            }
            if (!sink(m_row, number))
                return number;
            m_out.keepAlive();
        }
    }
    return number;
}

FileReader::MovedRow::MovedRow(FileReader &reader, MdbTableDef *table, int header, std::uint32_t row)
    : slot(header)
    , m_mdb(reader.m_mdb)
    , m_scanned(m_mdb->pg_buf, m_mdb->pg_buf + m_mdb->fmt->pg_size)
{
    MdbHandle *mdb = m_mdb;
    const int rowCount = mdb->fmt->row_count_offset;
    auto damaged = [&](const char *why) { reader.fail(Failure::Damaged, why, reader.m_scanning, nullptr, row); };
    for (int hop = 0;; ++hop) {
        if (hop == mostRowPointerHops)
            damaged("row pointers in a loop");
        int start = 0;
        std::size_t size = 0;
        if (mdb_find_row(mdb, slot, &start, &size) != 0 || size < rowPointerSize)
            damaged("row pointer cut short");
        const std::uint32_t pointer = le32(mdb->pg_buf + (start & offsetMask));
        slot = int(pointer & 0xff);
        if (mdb_read_alt_pg(mdb, pointer >> 8) != mdb->fmt->pg_size)
            damaged("row pointer beyond the file");
        const unsigned char *page = mdb->alt_pg_buf;
        if (page[0] != MDB_PAGE_DATA || le32(page + 4) != table->entry->table_pg)
            damaged("row pointer to a page not of the table's rows");
        if (slot >= mdb_get_int16(mdb->alt_pg_buf, rowCount))
            damaged("row pointer to a row its page lacks");
        mdb_swap_pgbuf(mdb);
        // The moved data is marked deleted, which says nothing here; a
        // pointer on is followed.
        if (!(mdb_get_int16(mdb->pg_buf, rowCount + 2 + 2 * slot) & movedRow))
            return;
    }
}

FileReader::MovedRow::~MovedRow() { std::memcpy(m_mdb->pg_buf, m_scanned.data(), m_scanned.size()); }

std::pair<const unsigned char *, std::size_t> FileReader::storedText(const Cell &cell, std::uint32_t row)
{
    MdbHandle *mdb = m_mdb;
    const unsigned char *at = mdb->pg_buf + cell.field->start;
    const std::size_t size = std::size_t(cell.field->siz);
    if (cell.column->col_type == MDB_TEXT || size == 0)
        return {at, size};

    const std::size_t table = m_scanning;
    auto notWhole = [&](const char *why) { fail(Failure::NotWhole, why, table, cell.column, row); };
    if (size < longReferenceSize)
        notWhole("long value reference cut short");
    const std::uint32_t word = le32(at);
    const std::uint32_t length = word & ~longKindMask;
    std::uint32_t pageRow = le32(at + 4);
    if (length > longestValue)
        fail(Failure::TooLong, "long value too long", table, cell.column, row);

    switch (word & longKindMask) {
    case longInRow:
        if (length > size - longReferenceSize)
            notWhole("long value longer than its row");
        return {at + longReferenceSize, length};
    case longOnOnePage: {
        void *page = nullptr;
        int start = 0;
        std::size_t stored = 0;
        if (mdb_find_pg_row(mdb, int(pageRow), &page, &start, &stored) != 0 || stored < length)
            notWhole("long value page missing or short");
        const auto *from = static_cast<const unsigned char *>(page) + start;
        m_long.assign(from, from + length);
        return {m_long.data(), m_long.size()};
    }
    case 0: {
        // A chain of parts, each beginning with the page and row of the next.
        m_long.clear();
        std::uint32_t remaining = length;
        while (remaining > 0) {
            void *page = nullptr;
            int start = 0;
            std::size_t stored = 0;
            if ((pageRow >> 8) == 0 || mdb_find_pg_row(mdb, int(pageRow), &page, &start, &stored) != 0
                || stored <= 4)
                notWhole("long value chain broken");
            const auto *from = static_cast<const unsigned char *>(page) + start;
            const std::uint32_t part = std::min<std::uint32_t>(std::uint32_t(stored - 4), remaining);
            m_long.insert(m_long.end(), from + 4, from + 4 + part);
            remaining -= part;
            pageRow = le32(from);
        }
        return {m_long.data(), m_long.size()};
    }
    default:
        notWhole("long value of unknown kind");
    }
    return {nullptr, 0};
}

void FileReader::writeValue(const Cell &cell, std::uint32_t row)
{
    const MdbColumn *column = cell.column;
    const MdbField &field = *cell.field;
    if (column->col_type == MDB_BOOL) {
        // The null bit is the value itself.
        m_out.tag(cell.null ? Tag::False : Tag::True);
        return;
    }
    if (cell.null) {
        m_out.tag(Tag::Null);
        return;
    }
    const unsigned char *at = m_mdb->pg_buf + field.start;
    const std::size_t table = m_scanning;
    auto sized = [&](int size) {
        if (field.siz != size)
            fail(Failure::Damaged, "value of the wrong size", table, column, row);
    };
    // A value sent as stored.
    auto asStored = [&](Tag tag, int size) {
        sized(size);
        m_out.tag(tag);
        m_out.put(at, std::size_t(size));
    };
    switch (column->col_type) {
    case MDB_BYTE:
        sized(1);
        m_out.tag(Tag::Integer);
        m_out.i32(at[0]);
        return;
    case MDB_INT: {
        sized(2);
        std::int16_t value;
        std::memcpy(&value, at, sizeof value);
        m_out.tag(Tag::Integer);
        m_out.i32(value);
        return;
    }
    case MDB_LONGINT:
        return asStored(Tag::Integer, 4);
    case MDB_MONEY:
        return asStored(Tag::Currency, 8);
    case MDB_FLOAT:
        return asStored(Tag::Single, 4);
    case MDB_DOUBLE:
    case MDB_DATETIME:
        return asStored(Tag::Double, 8);
    case MDB_REPID:
        return asStored(Tag::Guid, 16);
    case MDB_TEXT:
    case MDB_MEMO: {
        const auto [bytes, size] = storedText(cell, row);
        char16_t *units = m_out.reserveText(TextDecoder::maxUnits(size));
        bool undecodable = false;
        const std::size_t count = m_decoder->decode(bytes, size, units, undecodable);
        m_out.commitText(count, undecodable);
        return;
    }
    case MDB_BINARY:
        m_out.tag(Tag::Bytes);
        m_out.u32(std::uint32_t(field.siz));
        m_out.put(at, std::size_t(field.siz));
        return;
    case MDB_NUMERIC: {
        sized(17);
        // A sign byte, then the magnitude as four 32-bit words, the most
        // significant first, each little-endian: the words in reverse make
        // one little-endian number.
        m_out.tag(Tag::Numeric);
        m_out.u8(std::uint8_t(column->col_scale));
        m_out.u8(at[0] != 0);
        for (int word = 3; word >= 0; --word)
            m_out.put(at + 1 + 4 * word, 4);
        return;
    }
    default:
        m_out.tag(Tag::NotRead);
        return;
    }
}

} // namespace kelm::jetread
