// kelm-test-makejet SOURCE TARGET CASES: a large Jet 4 kelm.mdb for the
// conversion's benchmark and its tests of long work, made from a small one
// that a real Jet library wrote (tests/import/jet/kelm-text.mdb). Nothing here writes a Jet file
// from nothing, and libmdb cannot give a table a new page, so the file is
// grown at the page level: the rows of xzcf, read and cracked by libmdb,
// are repeated on new data pages appended to the copy, each repeat with a
// case number of its own in place of the old one (same length, so the
// row's layout is unchanged); the table's page map marks the new pages and
// its definition records the new row count. A repeated row keeps the
// references of its memos, so long values are shared, as the library
// reads them. Indexes are not kept up (the table has none).
// glib first: the library's header includes it inside extern "C", where
// glib's C++ templates cannot be.
#include <glib.h>
#include <mdbtools.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int pageSize = 4096;
// Jet 4 data page: type, a byte, free space, the table's definition page,
// four bytes, then the row count and the rows' offsets.
constexpr int rowCountOffset = 12;
// Jet 4 table definition: the row count.
constexpr int recordedRowsOffset = 16;
constexpr unsigned deletedRow = 0x8000;
constexpr unsigned elsewhereRow = 0x4000;

struct Row {
    std::string bytes;
    int keyAt = 0;   // where the case number's text begins in the row
    int keySize = 0; // its size in bytes
    bool compressed = false;
};

void put16(unsigned char *p, unsigned v)
{
    p[0] = v & 0xff;
    p[1] = (v >> 8) & 0xff;
}

void put32(unsigned char *p, unsigned long v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = (v >> (8 * i)) & 0xff;
}

int fail(const char *why)
{
    std::fprintf(stderr, "kelm-test-makejet: %s\n", why);
    return 1;
}

// Writes number into the row's case number, as wide as the old one.
bool renumber(Row &row, long number)
{
    const int digits = row.compressed ? row.keySize - 2 : row.keySize / 2;
    char text[32];
    std::snprintf(text, sizeof text, "9%0*ld", digits - 1, number);
    if (int(std::strlen(text)) != digits)
        return false;
    auto *p = reinterpret_cast<unsigned char *>(row.bytes.data()) + row.keyAt;
    for (int i = 0; i < digits; ++i) {
        if (row.compressed) {
            p[2 + i] = static_cast<unsigned char>(text[i]);
        } else {
            p[2 * i] = static_cast<unsigned char>(text[i]);
            p[2 * i + 1] = 0;
        }
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 4)
        return fail("usage: kelm-test-makejet SOURCE TARGET CASES");
    const long cases = std::atol(argv[3]);
    std::error_code error;
    std::filesystem::copy_file(argv[1], argv[2], std::filesystem::copy_options::overwrite_existing, error);
    if (error)
        return fail("cannot copy the source");

    MdbHandle *mdb = mdb_open(argv[2], MDB_NOFLAGS);
    if (!mdb || !IS_JET4(mdb) || mdb->fmt->pg_size != pageSize)
        return fail("not a Jet 4 file");
    MdbTableDef *table = mdb_read_table_by_name(mdb, const_cast<char *>("xzcf"), MDB_TABLE);
    if (!table || !mdb_read_columns(table))
        return fail("no table xzcf");
    int key = -1;
    for (unsigned i = 0; i < table->num_cols; ++i)
        if (std::strcmp(static_cast<MdbColumn *>(g_ptr_array_index(table->columns, i))->name, "dabh") == 0)
            key = int(i);
    const unsigned long definition = table->entry->table_pg;
    if (key < 0 || table->usage_map[0] != 1)
        return fail("xzcf has no case number or no page map of references");
    const unsigned long mapPage = mdb_get_int32(table->usage_map, 1);

    std::vector<Row> rows;
    std::vector<MdbField> fields(table->num_cols);
    for (long page = 0; (page = mdb_map_find_next(mdb, table->usage_map, table->map_sz, page)) > 0;) {
        mdb_read_pg(mdb, page);
        const int count = mdb_get_int16(mdb->pg_buf, rowCountOffset);
        for (int r = 0; r < count; ++r) {
            const unsigned flags = unsigned(mdb_get_int16(mdb->pg_buf, rowCountOffset + 2 + 2 * r));
            if (flags & (deletedRow | elsewhereRow))
                return fail("xzcf has a deleted or moved row");
            int start = 0;
            size_t size = 0;
            mdb_find_row(mdb, r, &start, &size);
            mdb_crack_row(table, start, size, fields.data());
            const MdbField &k = fields[std::size_t(key)];
            if (k.is_null)
                return fail("a row of xzcf has no case number");
            Row row{std::string(reinterpret_cast<char *>(mdb->pg_buf) + start, size), k.start - start, k.siz, false};
            row.compressed = k.siz >= 2 && mdb->pg_buf[k.start] == 0xff && mdb->pg_buf[k.start + 1] == 0xfe;
            rows.push_back(std::move(row));
        }
    }
    const long recorded = table->num_rows;
    mdb_close(mdb);
    if (rows.empty() || long(rows.size()) != recorded)
        return fail("the rows of xzcf do not match its definition");

    std::fstream file(argv[2], std::ios::in | std::ios::out | std::ios::binary);
    file.seekg(0, std::ios::end);
    const long firstNew = long(file.tellg()) / pageSize;
    std::vector<unsigned char> map(pageSize);
    file.seekg(long(mapPage) * pageSize);
    file.read(reinterpret_cast<char *>(map.data()), pageSize);

    // Fills pages from the end down, as Jet does, and appends each.
    std::vector<unsigned char> page(pageSize);
    long pageNo = firstNew;
    int onPage = 0;
    int lowest = pageSize;
    const auto startPage = [&] {
        std::fill(page.begin(), page.end(), 0);
        page[0] = 0x01;
        page[1] = 0x01;
        put32(&page[4], definition);
        onPage = 0;
        lowest = pageSize;
    };
    const auto writePage = [&] {
        put16(&page[rowCountOffset], unsigned(onPage));
        put16(&page[2], unsigned(lowest - (rowCountOffset + 2 + 2 * onPage)));
        file.seekp(pageNo * pageSize);
        file.write(reinterpret_cast<char *>(page.data()), pageSize);
        const long bit = pageNo; // the map's first reference covers pages from 0
        if (bit >= (pageSize - 4) * 8)
            return false;
        map[4 + std::size_t(bit / 8)] |= static_cast<unsigned char>(1 << (bit % 8));
        ++pageNo;
        return true;
    };
    startPage();
    for (long n = recorded; n < cases; ++n) {
        Row row = rows[std::size_t(n % recorded)];
        if (!renumber(row, n))
            return fail("the case numbers are too short for that many cases");
        const int size = int(row.bytes.size());
        if (lowest - size < rowCountOffset + 2 + 2 * (onPage + 1)) {
            if (!writePage())
                return fail("more pages than the table's first page map covers");
            startPage();
        }
        lowest -= size;
        std::memcpy(&page[std::size_t(lowest)], row.bytes.data(), std::size_t(size));
        put16(&page[std::size_t(rowCountOffset + 2 + 2 * onPage)], unsigned(lowest));
        ++onPage;
    }
    if (onPage > 0 && !writePage())
        return fail("more pages than the table's first page map covers");

    file.seekp(long(mapPage) * pageSize);
    file.write(reinterpret_cast<char *>(map.data()), pageSize);
    unsigned char count[4];
    put32(count, static_cast<unsigned long>(std::max(cases, recorded)));
    file.seekp(long(definition) * pageSize + recordedRowsOffset);
    file.write(reinterpret_cast<char *>(count), 4);
    file.close();
    std::printf("%s: %ld cases in xzcf, %ld pages added\n", argv[2], std::max(cases, recorded), pageNo - firstNew);
    return file ? 0 : fail("cannot write the target");
}
