// The 22 document descriptions against the schema and the register's
// catalogue, which state the same documents apart: each column keeps what
// its box shows, and each description is the document of its catalogue row.
#include "cases/documents/descriptions.h"
#include "cases/engine/description.h"
#include "cases/engine/windowlayout.h"
#include "data/documentcatalogue.h"
#include "data/schema.h"

#include <QtTest>

#include <algorithm>
#include <iterator>

using namespace Qt::StringLiterals;
using namespace kelm;

class TestDocumentColumns : public QObject {
    Q_OBJECT
private slots:
    void oneDescriptionPerCatalogueRow();
    void columnsKeepWhatTheirBoxesShow_data();
    void columnsKeepWhatTheirBoxesShow();
};

namespace {

QString str(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

const schema::Column *columnOf(const schema::Table &t, const QString &name)
{
    for (const schema::Column &c : t.columns)
        if (str(c.name).compare(name, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

// Columns left keeping other than their box shows, each with what it keeps.
struct Accepted {
    QString table;
    QString column;
    int capacity;
};
const Accepted accepted[] = {
    // Sized from the form's 4215-twip box; the window's character grid ends
    // the label before it 120 twips sooner, and the box runs to the line end.
    {u"ajys"_s, u"aj1"_s, 46},
};

const Accepted *acceptedFor(const QString &table, const QString &column)
{
    const auto it = std::find_if(std::begin(accepted), std::end(accepted),
                                 [&](const Accepted &a) { return a.table == table && a.column == column; });
    return it == std::end(accepted) ? nullptr : it;
}

// Width of the narrowest field that prints column on the form; 0 for none.
int printedWidth(const report::ReportLayout &r, const QString &column)
{
    int width = 0;
    for (const report::Section *s : {&r.reportHeader, &r.pageHeader, &r.detail, &r.pageFooter, &r.reportFooter})
        for (const report::Item &i : s->items)
            if (i.kind == report::ItemKind::Field && i.text.compare(column, Qt::CaseInsensitive) == 0
                && (width == 0 || i.width < width))
                width = i.width;
    return width;
}

} // namespace

void TestDocumentColumns::oneDescriptionPerCatalogueRow()
{
    QCOMPARE(int(documentDescriptions().size()), documentCount);
    for (int k = 0; k < documentCount; ++k) {
        const DocumentEntry &entry = documentAt(k);
        const DocumentDescription *d = documentDescription(k);
        QVERIFY2(d, qPrintable(entry.table));
        QCOMPARE(d->document.index, k);
        QCOMPARE(d->document.table, entry.table);
        QCOMPARE(d->document.boxCaption, entry.boxCaption);
        QCOMPARE(d->document.windowCaption, entry.windowCaption);
        QCOMPARE(d->document.authorityColumn, entry.authorityColumn);
        QCOMPARE(d->document.report, entry.report);
        QCOMPARE(d->document.command, entry.command);
        QCOMPARE(d->report.name, entry.report);
        QCOMPARE(d->report.caption, entry.windowCaption);
        QCOMPARE(str(schema::documentTables()[std::size_t(k)]->name), entry.table);
    }
}

void TestDocumentColumns::columnsKeepWhatTheirBoxesShow_data()
{
    QTest::addColumn<int>("k");
    for (int k = 0; k < documentCount; ++k)
        QTest::newRow(qPrintable(documentAt(k).table)) << k;
}

// A line of a paragraph keeps one half-width character per 90 twips of its
// box, any other box as much but at least 8 units, a memo box any text; a
// column whose printed field shows less may keep only what the paper shows.
// Every accepted exception is still one, so none outlives its case.
void TestDocumentColumns::columnsKeepWhatTheirBoxesShow()
{
    QFETCH(int, k);
    const DocumentDescription &d = *documentDescription(k);
    const schema::Table *t = schema::find(d.document.table.toStdString());
    QVERIFY(t);
    const WindowLayout placed = placeWindow(d);
    QStringList problems;
    for (std::size_t i = 0; i < d.boxes.size(); ++i) {
        const BoxSpec &b = d.boxes[i];
        const schema::Column *c = columnOf(*t, b.column);
        if (!c) {
            problems << u"%1: no such column"_s.arg(b.column);
            continue;
        }
        if (b.memo || c->kind != schema::Kind::Text) {
            if (!b.memo || c->kind != schema::Kind::Memo)
                problems << u"%1: a memo box needs a memo column and only it"_s.arg(b.column);
            continue;
        }
        // Width 0: the box runs to the end of its line.
        const int width = b.width > 0 ? b.width : placed.boxes[i].width();
        const int shown = d.groupOf(int(i)) ? schema::lineCapacity(width) : schema::boxCapacity(width);
        const int paper = printedWidth(d.report, b.column);
        const bool agrees = c->capacity == shown || (paper > 0 && c->capacity == schema::printedCapacity(shown, paper));
        const Accepted *exception = acceptedFor(d.document.table, b.column);
        if (exception ? agrees || c->capacity != exception->capacity : !agrees)
            problems << u"%1: the box of %2 twips shows %3 units, the column keeps %4%5"_s.arg(b.column)
                            .arg(width)
                            .arg(shown)
                            .arg(c->capacity)
                            .arg(exception ? u", the accepted exception %1"_s.arg(exception->capacity) : QString());
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u"; "_s)));
}

QTEST_GUILESS_MAIN(TestDocumentColumns)
#include "tst_documentcolumns.moc"
