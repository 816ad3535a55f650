// Tables of the shell (password and backup marker), the case register, the
// two filing documents (filing report, acceptance record) and the permit
// register with its print layout. Where a reader finds a column by position
// the order below is that position; elsewhere it is the register's own order.
#include "data/schema.h"

#include <iterator>

namespace kelm::schema {


// The case number: a four-digit year followed by a four-digit serial.
// A date written yyyy-mm-dd.
static constexpr int dateCapacity = 10;
// Amounts and quantities, kept as typed; the statistics read them as numbers.
static constexpr int amountCapacity = 20;
// The size a text column had in the old engine when nothing asked for more.
static constexpr int defaultCapacity = 50;
// The permit number box takes at most 15 characters.
// A print position in millimetres or a font size in points, kept as text:
// every reader converts what it reads, and the editor stores what it is given.
static constexpr int layoutValueCapacity = 20;

// The restore recognises a backup by the marker in the second column, so
// the password must never move there.
static constexpr Column wsloColumns[] = {
    M("abcd"),
    T("bz", defaultCapacity),
};

static constexpr Table shell[] = {
    {"wslo", wsloColumns, "", true},
};

// 行政处罚案件. Reached by name only; the order is the register's.
// Summary and penalty content are multi-line free text and are not cut.
static constexpr Column xzcfColumns[] = {
    T("dabh", caseNumberCapacity),
    T("fzr", defaultCapacity),
    T("dwmc", defaultCapacity),
    T("dwdz", defaultCapacity),
    T("jjxz", defaultCapacity),
    T("dh", defaultCapacity),
    T("slsj", dateCapacity),
    T("lasj", dateCapacity),
    M("aqjj"),
    M("cfnr"),
    T("jasj", dateCapacity),
    T("msje", amountCapacity),
    T("fkje", amountCapacity),
    T("shsp", amountCapacity),
    T("xhsp", amountCapacity),
    T("dwlb1", defaultCapacity),
    T("dwlb2", defaultCapacity),
    B("cf1"),
    B("cf2"),
    B("cf3"),
    B("cf4"),
    B("cf5"),
    B("cf6"),
    B("cf7"),
    B("cf8"),
    B("cf9"),
    B("cf10"),
    B("sfja"),
    B("bg1"),
    B("bg2"),
    B("bg3"),
    B("bg4"),
    B("bg5"),
    B("bg6"),
    B("bg7"),
    B("bg8"),
    B("bg9"),
    B("bg10"),
    B("bg11"),
    B("bg12"),
    B("bg13"),
    B("bg14"),
    B("bg15"),
    B("bg16"),
    B("bg17"),
    B("bg18"),
    B("bg19"),
    B("bg20"),
    B("bg21"),
    B("bg22"),
};

// Further papers of a case; only the case deletion touches them.
static constexpr Column qtzlColumns[] = {
    T("dabh", caseNumberCapacity),
    M("nr"),
};

static_assert(std::size(xzcfColumns) == 50);

static constexpr Table cases[] = {
    {"xzcf", xzcfColumns, "dabh", true},
    {"qtzl", qtzlColumns, "dabh", false},
};

// 立案报告. `fadd` is the box after "发案时间：" and `fasj` the one after
// "发案地点：": the names are the stored ones, whatever they suggest.
static constexpr Column labgColumns[] = {
    T("dabh", caseNumberCapacity),
    T("dsr", boxCapacity(6375)),
    T("ajly", boxCapacity(2895)),
    T("slsj", boxCapacity(2535)),
    T("fadd", boxCapacity(2895)),
    T("fasj", boxCapacity(2535)),
    T("aqzy1", lineCapacity(6855)),
    T("aqzy2", lineCapacity(7215)),
    T("aqzy3", lineCapacity(7215)),
    T("aqzy4", lineCapacity(7215)),
    T("wfxw1", lineCapacity(4215)),
    T("wfxw2", lineCapacity(6375)),
    T("jbr", boxCapacity(2775)),
    T("spyj", boxCapacity(7215)),
    T("lasj_y", boxCapacity(375)),
    T("lasj_m", boxCapacity(225)),
    T("lasj_d", boxCapacity(220)),
    T("cbr1", lineCapacity(3975)),
    T("cbr2", lineCapacity(2775)),
    T("fzr", boxCapacity(2055)),
    T("pbjg", boxCapacity(2775)),
    T("pbsj_y", boxCapacity(495)),
    T("pbsj_m", boxCapacity(195)),
    T("pbsj_d", boxCapacity(195)),
};

// 案件受理记录
static constexpr Column sljlColumns[] = {
    T("dabh", caseNumberCapacity),
    T("ajly", boxCapacity(6375)),
    T("slsj", boxCapacity(6375)),
    T("afdw1", lineCapacity(6015)),
    T("afdw2", lineCapacity(7215)),
    T("nr1", lineCapacity(6855)),
    T("nr2", lineCapacity(7215)),
    T("nr3", lineCapacity(7215)),
    T("nr4", lineCapacity(7215)),
    T("nr5", lineCapacity(7215)),
    T("clyj1", lineCapacity(6855)),
    T("clyj2", lineCapacity(7215)),
    T("clyj3", lineCapacity(7215)),
    T("jbr", boxCapacity(2775)),
    T("fzryj1", lineCapacity(6855)),
    T("fzryj2", lineCapacity(7215)),
    T("fzrqm", boxCapacity(1815)),
    T("jgmc", boxCapacity(2775)),
    T("sj_y", boxCapacity(375)),
    T("sj_m", boxCapacity(200)),
    T("sj_d", boxCapacity(200)),
};

static_assert(std::size(labgColumns) == 24);
static_assert(std::size(sljlColumns) == 21);

static constexpr Table filingDocuments[] = {
    {"labg", labgColumns, "dabh", true},
    {"sljl", sljlColumns, "dabh", true},
};

// 卫生许可证. Reached by name, except that the register's save finds the
// next review date as the 25th column; the review columns come last so it
// stands there.
static constexpr Column wsxkzColumns[] = {
    T("dwmc", defaultCapacity),
    T("dwdz", defaultCapacity),
    T("fzr", defaultCapacity),
    T("jjxz", defaultCapacity),
    T("dhhm", defaultCapacity),
    T("xgrs", defaultCapacity),
    T("xkzh", permitNumberCapacity),
    T("yxkzh", defaultCapacity),
    T("xkxm", defaultCapacity),
    T("fzrq", dateCapacity),
    T("yxqx", dateCapacity),
    T("sqrq", dateCapacity),
    T("ysr", defaultCapacity),
    T("spr", defaultCapacity),
    M("ns"),
    M("bz"),
    T("gdzc", defaultCapacity),
    T("symj", defaultCapacity),
    T("xh", defaultCapacity),
    T("lb", defaultCapacity),
    T("nsrq", dateCapacity),
    T("nsjg", defaultCapacity),
    M("clqk"),
    M("nsbz"),
    T("xcnsrq", dateCapacity),
};

static_assert(std::size(wsxkzColumns) == 25);
static_assert(wsxkzColumns[24].name == "xcnsrq");

// Print layout: one set of rows per permit model ("1" to "3") and the copy ("4").
// The print routines read a row's left, top and font size at positions 4, 5
// and 6; the editor and the item lists use names only.
static constexpr Column dyccColumns[] = {
    T("xkzlx", defaultCapacity),
    T("xmmc", defaultCapacity),
    T("de_xml", layoutValueCapacity),
    T("de_xmu", layoutValueCapacity),
    T("xml", layoutValueCapacity),
    T("xmu", layoutValueCapacity),
    T("xmzh", layoutValueCapacity),
    T("de_xmzh", layoutValueCapacity),
};

static_assert(dyccColumns[4].name == "xml");
static_assert(dyccColumns[5].name == "xmu");
static_assert(dyccColumns[6].name == "xmzh");

static constexpr Table permits[] = {
    {"wsxkz", wsxkzColumns, "xkzh", true},
    {"dycc", dyccColumns, "xkzlx", false},
};

std::span<const Table> shellTables()
{
    return shell;
}

std::span<const Table> caseTables()
{
    return cases;
}

std::span<const Table> filingDocumentTables()
{
    return filingDocuments;
}

std::span<const Table> permitTables()
{
    return permits;
}

} // namespace kelm::schema
