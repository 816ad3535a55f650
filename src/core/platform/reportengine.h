// Lays a report out over its rows into pages: report header on the first
// page, page header on every page, one detail per row while it fits above
// the page footer, report footer after the last row. A page is laid out
// from where it starts alone, so a list of a million rows is laid out only
// as far as its pages are shown or printed, and page n made on its own is
// page n of the whole layout.
#pragma once

#include "platform/database.h"
#include "platform/pagemodel.h"
#include "platform/progress.h"
#include "platform/rowsource.h"

#include <memory>
#include <optional>

namespace kelm::report {

// Where a page's body begins: with the detail of a row, or within a
// section that its growing fields broke across pages, at the item (in the
// order of their tops) that stands first on the page. A row equal to the
// number of rows stands for the report footer.
struct PageStart {
    std::size_t row = 0;
    int resumeAt = -1; // -1: the section from its top
    bool operator==(const PageStart &) const = default;
};

// Where every page of a report starts.
class PageIndex {
public:
    int pageCount() const { return m_counted + int(m_listed.size()); }
    PageStart start(int page) const;

private:
    friend class Paginator;
    // Pages before m_counted hold whole rows of one height: the first page
    // m_firstRows of them, every other m_rows. The pages from m_counted on
    // are listed.
    std::size_t m_firstRows = 0;
    std::size_t m_rows = 0;
    int m_counted = 0;
    std::vector<PageStart> m_listed;
};

// Finds where every page starts. While every detail keeps its designed
// height the pages are counted from the number of rows, and only the last
// row's page and the report footer's are laid out; a detail that grows with
// its text makes the pages be laid out once in order, which reports its
// progress and stops when cancelled (nothing returned). Throws DbError.
std::optional<PageIndex> paginate(const ReportLayout &layout, RowSource &rows, Progress &progress = noProgress());

// Page n of the report, laid out from its start. Throws DbError.
Page layoutPage(const ReportLayout &layout, RowSource &rows, const PageIndex &index, int n);

// The smallest size a field is shrunk to: 6 pt, a full-width character
// about 2.1 mm high, the fine print of printed forms. Below it 宋体 strokes
// run together on paper and a figure can no longer be read.
constexpr double smallestPrintedSize = 6.0;

// Ends a field's last line where its box could not hold the rest: the cut
// shows on paper, so a shortened name or number never passes for whole.
inline constexpr char16_t cutMark = u'…';

// The whole report, page after page (documents, the statistics sheet).
// Fields show the row of their place: the report header the first row, a
// page header the page's first row, a page footer the page's last row,
// the report footer the last row. A field whose column the rows lack
// prints nothing. A field never draws outside its box. A growing field
// wraps inside its width; its empty lines at the end take no room, nor do
// those that would begin a page. Any other field is one em of its size
// high, or its item's height if that is more: where its text is wider
// than the box it prints smaller, down to smallestPrintedSize, and then
// on as many lines as the box's height holds, the lines in the middle of
// the box. A text that the box cannot hold even so prints the lines it
// holds at the smallest size, the last ending in cutMark.
PageModel layoutReport(const ReportLayout &layout, const Rows &rows);

// The columns that the fields of a layout show, each once: all that a
// report of it reads.
std::vector<QString> fieldColumns(const ReportLayout &layout);

} // namespace kelm::report
