// Every report the program prints (the 22 case documents, the four list
// reports and the statistics sheet) laid out over rows as full as their
// columns hold: nothing prints smaller than the smallest printed size, no
// field draws outside its box, a field's text prints whole unless its box
// cannot hold it even at that size (and then the cut shows), no two
// printed characters fall on each other, a line's field leaves room before
// the words that follow it on its line, and everything stays on the paper.
// Layout arithmetic over the schema's capacities, no database or display.
#include "cases/documents/descriptions.h"
#include "cases/engine/description.h"
#include "cases/register/casequery.h"
#include "cases/statistics/statisticssheet.h"
#include "data/reportsources.h"
#include "data/schema.h"
#include "exams/examquery.h"
#include "permits/permitqueries.h"
#include "platform/reportengine.h"
#include "platform/units.h"
#include "registers/listreport.h"
#include "registers/querydesign.h"

#include <QtTest>

#include <map>

using namespace Qt::StringLiterals;
using namespace kelm;
using namespace kelm::report;

namespace {

std::vector<ReportLayout> everyReport()
{
    std::vector<ReportLayout> out;
    for (const DocumentDescription *d : documentDescriptions())
        out.push_back(d->report);
    for (const QueryDesign &q : {caseQueryDesign(), permitQueryDesign(), reviewQueryDesign(), examQueryDesign()})
        out.push_back(listReportLayout(q.listReport));
    out.push_back(statistics::statisticsSheetLayout());
    return out;
}

enum class Fill { FullWidth, Digits, Mixed };

// A text of exactly capacity display units: "卫" full-width, "9" half-width,
// or both in turn (a half-width character last when the count is odd).
QString filled(int capacity, Fill fill)
{
    QString s;
    int units = 0;
    int n = 0;
    while (units < capacity) {
        const bool wide = fill == Fill::FullWidth || (fill == Fill::Mixed && n % 2 == 0);
        if (wide && units + 2 <= capacity) {
            s += u'卫';
            units += 2;
        } else {
            s += fill == Fill::FullWidth ? u'卫' : u'9';
            units += fill == Fill::FullWidth ? 2 : 1;
        }
        ++n;
    }
    return fitToUnits(s, capacity);
}

// Three rows of the report's table, each column as full as it holds; a
// memo is a long note with line breaks of its own.
Rows fullRows(const ReportLayout &layout, Fill fill)
{
    const ReportSource *source = reportSource(layout.name);
    const schema::Table *table = source ? schema::find(source->table.toStdString()) : nullptr;
    Rows rows;
    if (!table)
        return rows;
    std::vector<QString> row;
    for (const schema::Column &c : table->columns) {
        rows.columns.push_back(QString::fromUtf8(c.name.data(), qsizetype(c.name.size())));
        switch (c.kind) {
        case schema::Kind::Text: row.push_back(filled(c.capacity, fill)); break;
        case schema::Kind::Memo: row.push_back((filled(300, fill) + u'\n').repeated(6)); break;
        case schema::Kind::YesNo: row.push_back(u"1"_s); break;
        }
    }
    rows.values.assign(source->rows == ReportRows::ListQuery ? 3 : 1, row);
    return rows;
}

// The designed field of a column, in whichever section it stands.
const Item *designedField(const ReportLayout &layout, const QString &column)
{
    for (const Section *s :
         {&layout.reportHeader, &layout.pageHeader, &layout.detail, &layout.pageFooter, &layout.reportFooter})
        for (const Item &i : s->items)
            if (i.kind == ItemKind::Field && i.text == column)
                return &i;
    return nullptr;
}

const QString leftHalfPunctuation = u"：，。；、）"_s;

// The cell of each printed character on the grid.
std::vector<QRect> characterCells(const PageItem &p)
{
    std::vector<QRect> cells;
    for (qsizetype i = 0; i < p.text.size(); ++i) {
        const qsizetype len = p.text[i].isHighSurrogate() && i + 1 < p.text.size() ? 2 : 1;
        const QString ch = p.text.mid(i, len);
        // Full-width punctuation inks the left half of its cell only.
        const int width = gridWidthTwips(ch, p.pointSize) / (leftHalfPunctuation.contains(ch) ? 2 : 1);
        if (!ch.at(0).isSpace())
            cells.emplace_back(p.left + gridOffsetTwips(p.text, i, p.pointSize), p.top, width, p.height);
        i += len - 1;
    }
    return cells;
}

QRect boundsOf(const PageItem &p) { return {p.left, p.top, std::max(p.width, 1), std::max(p.height, 1)}; }

// Cells that share more than the side bearings of their glyphs: a quarter
// of a 12 pt half-width character either way, and a twip of rounding.
bool overlaps(const QRect &a, const QRect &b)
{
    const QRect both = a.intersected(b);
    return both.width() > 31 && both.height() > 31;
}

QString describe(const PageItem &p) { return p.kind == ItemKind::Field ? p.column : p.text; }

// The lines of each place where a one-line field prints (a row, a page's
// header), in page order: the items of one field that follow each other.
std::vector<std::vector<const PageItem *>> placesOf(const PageModel &m, const QString &column)
{
    std::vector<std::vector<const PageItem *>> out;
    for (const Page &page : m.pages) {
        bool following = false;
        for (const PageItem &p : page.items) {
            const bool mine = p.kind == ItemKind::Field && p.column == column;
            if (mine && !following)
                out.emplace_back();
            if (mine)
                out.back().push_back(&p);
            following = mine;
        }
    }
    return out;
}

// The same rows with every one-line field holding one character: where
// that character prints at its own size shows where the field's box is.
Rows shortRows(const ReportLayout &layout, Rows rows)
{
    for (std::size_t c = 0; c < rows.columns.size(); ++c) {
        const Item *f = designedField(layout, rows.columns[c]);
        if (f && !f->grow)
            for (auto &row : rows.values)
                row[c] = u"9"_s;
    }
    return rows;
}

int emOf(double pointSize) { return int(std::lround(pointSize * 20)); }

} // namespace

class TestEveryReport : public QObject {
    Q_OBJECT
private slots:
    void fullRowsPrintTrue_data();
    void fullRowsPrintTrue();
};

void TestEveryReport::fullRowsPrintTrue_data()
{
    QTest::addColumn<int>("report");
    QTest::addColumn<int>("fill");
    const std::vector<ReportLayout> all = everyReport();
    QCOMPARE(int(all.size()), 22 + 4 + 1);
    for (std::size_t n = 0; n < all.size(); ++n) {
        QTest::addRow("%s, full-width", qPrintable(all[n].name)) << int(n) << int(Fill::FullWidth);
        QTest::addRow("%s, digits", qPrintable(all[n].name)) << int(n) << int(Fill::Digits);
        QTest::addRow("%s, mixed", qPrintable(all[n].name)) << int(n) << int(Fill::Mixed);
    }
}

void TestEveryReport::fullRowsPrintTrue()
{
    QFETCH(int, report);
    QFETCH(int, fill);
    const ReportLayout layout = everyReport()[std::size_t(report)];
    const Rows rows = fullRows(layout, Fill(fill));
    QVERIFY2(!rows.columns.empty(), "no source");
    const PageModel m = layoutReport(layout, rows);
    const int x0 = layout.page.leftMargin;
    const int paperRight = paperWidth(layout.page);
    const int bottom = paperHeight(layout.page) - layout.page.bottomMargin;

    // Nothing smaller than the smallest printed size, nothing off the
    // paper; a growing field prints its row's text whole, line by line.
    std::map<QString, QString> grown;
    for (const Page &page : m.pages) {
        for (const PageItem &p : page.items) {
            QVERIFY2(p.left >= 0 && p.left + p.width <= paperRight && p.top + p.height <= bottom,
                     qPrintable(describe(p)));
            if (p.isText())
                QVERIFY2(p.pointSize >= smallestPrintedSize,
                         qPrintable(u"%1 at %2 pt"_s.arg(describe(p)).arg(p.pointSize)));
            if (p.kind != ItemKind::Field)
                continue;
            const Item *f = designedField(layout, p.column);
            QVERIFY(f);
            QVERIFY2(p.left >= x0 + f->left && p.left + p.width <= x0 + f->left + f->width,
                     qPrintable(u"%1: %2 + %3 outside %4 + %5"_s.arg(p.column)
                                    .arg(p.left - x0)
                                    .arg(p.width)
                                    .arg(f->left)
                                    .arg(f->width)));
            if (f->grow)
                grown[p.column] += p.text;
        }
    }
    for (const auto &[column, text] : grown)
        QCOMPARE(text, QString(rows.value(0, column)).remove(u'\n'));

    // A one-line field stands in its box, one line of its size high or
    // its item's height: its text whole, or, where the box cannot hold it
    // even on lines of the smallest size, the lines it holds and the cut
    // mark.
    const PageModel placed = layoutReport(layout, shortRows(layout, rows));
    QCOMPARE(placed.pageCount(), m.pageCount());
    for (const QString &column : fieldColumns(layout)) {
        const Item *f = designedField(layout, column);
        if (f->grow)
            continue;
        const double pt = f->pointSize > 0 ? f->pointSize : layout.fontSize;
        const int height = std::max(f->height, emOf(pt));
        const auto places = placesOf(m, column);
        const auto boxes = placesOf(placed, column);
        QCOMPARE(places.size(), boxes.size());
        const QString value = rows.value(0, column);
        for (std::size_t n = 0; n < places.size(); ++n) {
            const int boxTop = boxes[n].front()->top - (height - emOf(pt)) / 2;
            QString text;
            for (const PageItem *p : places[n]) {
                QVERIFY2(p->top >= boxTop && p->top + p->height <= boxTop + height,
                         qPrintable(u"%1 (%2, %3) outside %4 + %5"_s.arg(column)
                                        .arg(p->top - boxTop)
                                        .arg(p->height)
                                        .arg(boxTop)
                                        .arg(height)));
                text += p->text;
            }
            if (text == value)
                continue;
            QVERIFY2(text.endsWith(cutMark) && value.startsWith(text.chopped(1)),
                     qPrintable(column + u": "_s + text));
            // Cut only at the smallest size, on every line the box holds.
            QCOMPARE(places[n].front()->pointSize, std::min(pt, smallestPrintedSize));
            QCOMPARE(int(places[n].size()), std::max(1, height / emOf(places[n].front()->pointSize)));
        }
    }

    for (const Page &page : m.pages) {
        std::vector<const PageItem *> texts;
        for (const PageItem &p : page.items)
            if (p.isText() && !p.text.trimmed().isEmpty())
                texts.push_back(&p);
        for (std::size_t a = 0; a < texts.size(); ++a) {
            for (std::size_t b = a + 1; b < texts.size(); ++b) {
                const PageItem &pa = *texts[a];
                const PageItem &pb = *texts[b];
                if (!boundsOf(pa).intersects(boundsOf(pb)))
                    continue;
                for (const QRect &ca : characterCells(pa))
                    for (const QRect &cb : characterCells(pb))
                        QVERIFY2(!overlaps(ca, cb), qPrintable(u"%1 (%2, %3) on %4 (%5, %6)"_s.arg(describe(pa))
                                                                  .arg(ca.left() - x0)
                                                                  .arg(ca.top())
                                                                  .arg(describe(pb))
                                                                  .arg(cb.left() - x0)
                                                                  .arg(cb.top())));
            }
        }
        // A line's field (wider than a date or number part, which its word
        // follows) full to its end leaves a clear gap, a quarter of a 12 pt
        // character, before the caption of the next entry on its line, so
        // the two never read as one.
        for (const PageItem *f : texts) {
            if (f->kind != ItemKind::Field || designedField(layout, f->column)->width < 1440)
                continue;
            for (const PageItem *l : texts) {
                const bool sameLine = l->top < f->top + f->height && f->top < l->top + l->height;
                const bool caption = l->kind == ItemKind::Label && l->text.trimmed().size() > 1
                                     && l->text.trimmed().endsWith(u'：');
                if (!caption || !sameLine || l->left < f->left + f->width)
                    continue;
                QVERIFY2(l->left - (f->left + f->width) >= 60,
                         qPrintable(f->column + u" runs into "_s + describe(*l)));
            }
        }
    }
}

QTEST_GUILESS_MAIN(TestEveryReport)
#include "tst_everyreport.moc"
