// Tables of the on-site record documents, of the enforcement, transfer,
// service and closure documents, and of the penalty statistics.
//
// Document tables: `dabh` first, then one column per box in box order; the
// windows read a column back by that position, so the order is fixed.
// Widths are the boxes' widths in twips; where a window gives only a length
// in characters, the capacity counts 2 units per Chinese character.
#include "data/schema.h"

namespace kelm::schema {


// A name written in by hand on the printed form.
static constexpr int signatureUnits = 16;
// A date or time part, or a short number part: boxCapacity's minimum.
static constexpr int partUnits = 8;
// A box that fills one line after its label (about 35 Chinese characters).
static constexpr int fullLineUnits = 70;

// 现场检查笔录
static constexpr Column xzblColumns[] = {
    T("dabh", caseNumberCapacity),
    T("bjcr", fullLineUnits),
    T("jcjg", fullLineUnits),
    T("jcdd", fullLineUnits - 1), // its box follows " 检查地点：", one blank wider
    T("jcsj_n", partUnits),
    T("jcsj_y", partUnits),
    T("jcsj_r", partUnits),
    T("jcsj_s", partUnits),
    T("jcsj_f", partUnits),
    T("jcsj_s2", partUnits),
    T("jcsj_f2", partUnits),
    M("jcjl"),
    T("bcqm", signatureUnits),
    T("bc_y", partUnits),
    T("bc_m", partUnits),
    T("bc_d", partUnits),
    T("jcqm", signatureUnits),
    T("jc_y", partUnits),
    T("jc_m", partUnits),
    T("jc_d", partUnits),
};

// 询问笔录
static constexpr Column xwblColumns[] = {
    T("dabh", caseNumberCapacity),
    T("bxwr", fullLineUnits),
    T("xwjg", fullLineUnits),
    T("xwdd", fullLineUnits),
    T("xwsj_n", partUnits),
    T("xwsj_y", partUnits),
    T("xwsj_r", partUnits),
    T("xwsj_s1", partUnits),
    T("xwsj_f1", partUnits),
    T("xwsj_s2", partUnits),
    T("xwsj_f2", partUnits),
    M("xwnr"),
    T("bxwrqm", signatureUnits),
    T("xwrqm", signatureUnits),
    T("jlrqm", signatureUnits),
    T("nian1", partUnits),
    T("yue1", partUnits),
    T("ri1", partUnits),
    T("nian2", partUnits),
    T("yue2", partUnits),
    T("ri2", partUnits),
};

// 陈述和申辩笔录
static constexpr Column cssbColumns[] = {
    T("dabh", caseNumberCapacity),
    T("dsr", 70),
    T("csr", 68),
    T("cbjg", 70),
    T("cbr", 70),
    T("csdd", 64),
    T("cssj_n", partUnits),
    T("cssj_y", partUnits),
    T("cssj_r", partUnits),
    T("cssj_s1", partUnits),
    T("cssj_f1", partUnits),
    T("cssj_s2", partUnits),
    T("cssj_f2", partUnits),
    M("csnr"),
    T("csrqm", signatureUnits),
    T("cbrqm", signatureUnits),
    T("jlrqm", signatureUnits),
    T("nian1", partUnits),
    T("yue1", partUnits),
    T("ri1", partUnits),
    T("nian2", partUnits),
    T("yue2", partUnits),
    T("ri2", partUnits),
};

// 采样记录 with its sample label (from `bh2` on)
static constexpr Column cyjlColumns[] = {
    T("dabh", caseNumberCapacity),
    T("bh1", 24),
    T("bcyr", 70),
    T("cyjg", 70),
    T("ypmc1", 36),
    T("ypbh1", 24),
    T("ypscdw1", 66),
    T("ypgg", 36),
    T("cysl", 24),
    T("cyfs", 70),
    T("cysj_n", partUnits),
    T("cysj_y", partUnits),
    T("cysj_r", partUnits),
    T("cysj_s", partUnits),
    T("cysj_f", partUnits),
    T("cydd", 70),
    T("cymd", 70),
    T("gd", 64),
    T("bcyrqm", 24),
    T("cyrqm", 14),
    T("bqm_n", partUnits),
    T("bqm_y", partUnits),
    T("bqm_r", partUnits),
    T("cqm_n", partUnits),
    T("cqm_y", partUnits),
    T("cqm_r", partUnits),
    T("bh2", 24),
    T("ypmc2", 70),
    T("ypscdw2", 40),
    T("ypbh2", 14),
    T("gg", 24),
    T("sl", 20),
    T("qtbj", 14),
};

// 保存证据通知书 with its stub (up to `ri2`); `jg` is seeded with the
// issuing organisation and its seal note.
static constexpr Column bczjColumns[] = {
    T("dabh", caseNumberCapacity),
    T("bh1", boxCapacity(2175)),
    T("dsr", boxCapacity(6375)),
    T("bcwp1", lineCapacity(6375)),
    T("bcwp2", lineCapacity(6375)),
    T("bcfs", boxCapacity(6375)),
    T("bcdd", boxCapacity(6375)),
    T("bcqx_n1", partUnits),
    T("bcqx_y1", partUnits),
    T("bcqx_r1", partUnits),
    T("bcqx_n2", partUnits),
    T("bcqx_y2", partUnits),
    T("bcqx_r2", partUnits),
    T("dsrqm", signatureUnits),
    T("cbrqm", signatureUnits),
    T("nian1", partUnits),
    T("yue1", partUnits),
    T("ri1", partUnits),
    T("nian2", partUnits),
    T("yue2", partUnits),
    T("ri2", partUnits),
    T("bh2", boxCapacity(2175)),
    T("dw", boxCapacity(3615)),
    T("fs", boxCapacity(5055)),
    T("bc", boxCapacity(3975)),
    T("bc_n", partUnits),
    T("bc_y", partUnits),
    T("bc_r", partUnits),
    T("wp1", lineCapacity(7215)),
    T("wp2", lineCapacity(7215)),
    T("jg", boxCapacity(2775)),
    T("nian", partUnits),
    T("yue", partUnits),
    T("ri", partUnits),
};

// 强制执行申请书; `sqdw` is seeded with the issuing organisation and its
// seal note.
static constexpr Column qzzxColumns[] = {
    T("dabh", caseNumberCapacity),
    T("lb", partUnits),
    T("nd", partUnits),
    T("bh", partUnits),
    T("fymc", 28),
    T("cf_y", partUnits),
    T("cf_m", partUnits),
    T("cf_d", partUnits),
    T("cf_lb", partUnits),
    T("cf_nd", partUnits),
    T("cf_bh", partUnits),
    T("cfdw", 44),
    T("zx_y", partUnits),
    T("zx_m", partUnits),
    T("zx_d", partUnits),
    T("sqdw", 30),
    T("sq_y", partUnits),
    T("sq_m", partUnits),
    T("sq_d", partUnits),
    T("qtzlfs", partUnits),
};

// 案件移送书 with its stub (up to `bz3`); `dw` is seeded with the issuing
// organisation and its seal note.
static constexpr Column ajysColumns[] = {
    T("dabh", caseNumberCapacity),
    T("bh1", boxCapacity(2175)),
    T("dsr", boxCapacity(6375)),
    T("ay1", lineCapacity(6375)),
    T("ay2", lineCapacity(7215)),
    T("ysrq_n", partUnits),
    T("ysrq_y", partUnits),
    T("ysrq_r", partUnits),
    T("sysjg", boxCapacity(6135)),
    T("jbr", boxCapacity(6375)),
    T("bz1", lineCapacity(6375)),
    T("bz2", lineCapacity(7215)),
    T("bz3", lineCapacity(7215)),
    T("bh2", boxCapacity(2175)),
    T("ysdw", boxCapacity(3135)),
    T("sl_n", partUnits),
    T("sl_y", partUnits),
    T("sl_r", partUnits),
    T("aj1", lineCapacity(4215)),
    T("aj2", lineCapacity(6600)),
    T("gd", boxCapacity(6015)),
    T("cl", boxCapacity(375)),
    T("dw", boxCapacity(2775)),
    T("nian", partUnits),
    T("yue", partUnits),
    T("ri", partUnits),
};

// 送达回执 with its stub (up to `bz2`)
static constexpr Column sdhzColumns[] = {
    T("dabh", caseNumberCapacity),
    T("bh1", boxCapacity(2175)),
    T("ssdr", boxCapacity(6375)),
    T("sdwj1", boxCapacity(6375)),
    T("sdfs", boxCapacity(6375)),
    T("sddd1", boxCapacity(6375)),
    T("sdr", boxCapacity(6375)),
    T("sdsj", boxCapacity(6375)),
    T("bz1", lineCapacity(6855)),
    T("bz2", lineCapacity(7215)),
    T("bh2", boxCapacity(2175)),
    T("sdwj2", boxCapacity(6375)),
    T("sddd2", boxCapacity(6375)),
    T("ssdrqm", boxCapacity(1935)),
    T("sdrqm", boxCapacity(1875)),
    T("nian1", partUnits),
    T("yue1", partUnits),
    T("ri1", partUnits),
    T("nian2", partUnits),
    T("yue2", partUnits),
    T("ri2", partUnits),
    T("bz3", lineCapacity(6855)),
    T("bz4", lineCapacity(7215)),
};

// 结案报告; `zxyq` holds the manner and `zxfs` the date of execution, each
// under the label its box stands after. `xzjg` is seeded with the issuing
// organisation and its seal note.
static constexpr Column jabgColumns[] = {
    T("dabh", caseNumberCapacity),
    T("dss", boxCapacity(6375)),
    T("ajly", boxCapacity(6375)),
    T("la_y", boxCapacity(375)),
    T("la_m", boxCapacity(200)),
    T("la_d", boxCapacity(255)),
    T("ay", boxCapacity(6855)),
    T("xzsfh", boxCapacity(5175)),
    T("zxyq", boxCapacity(6015)),
    T("zxfs", boxCapacity(6015)),
    T("zxjg", boxCapacity(6015)),
    T("bszfly1", lineCapacity(5175)),
    T("bszfly2", lineCapacity(7215)),
    T("cbr", boxCapacity(2775)),
    T("pbsj_y", boxCapacity(375)),
    T("pbsj_m", boxCapacity(200)),
    T("pbsj_d", boxCapacity(255)),
    T("spyj", boxCapacity(7215)),
    T("fzr", boxCapacity(1935)),
    T("xzjg", boxCapacity(2775)),
    T("mya", boxCapacity(375)),
    T("yuo", boxCapacity(200)),
    T("yi", boxCapacity(200)),
};

static constexpr Table onsiteTables[] = {
    {"xzbl", xzblColumns, "dabh", true},
    {"xwbl", xwblColumns, "dabh", true},
    {"cssb", cssbColumns, "dabh", true},
    {"cyjl", cyjlColumns, "dabh", true},
    {"bczj", bczjColumns, "dabh", true},
};

static constexpr Table enforcementTables[] = {
    {"qzzx", qzzxColumns, "dabh", true},
    {"ajys", ajysColumns, "dabh", true},
    {"sdhz", sdhzColumns, "dabh", true},
    {"jabg", jabgColumns, "dabh", true},
};

// Scratch copy of one period's cases. It is filled by an INSERT ... SELECT
// without a column list, so it has exactly these columns in this order,
// each of the kind of its namesake in xzcf.
static constexpr Column xzcf2Columns[] = {
    T("dabh", caseNumberCapacity),
    T("dwlb1", 50),
    T("dwlb2", 50),
    T("slsj", 10),
    T("lasj", 10),
    B("sfja"),
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
    T("msje", 50),
    T("fkje", 50),
    T("shsp", 50),
    T("xhsp", 50),
};

// The one row of the official sheet: reporting unit, period text and the
// 84 cells a<row><column>, column 10 written as 0, row by row.
static constexpr int cellUnits = 20;
static constexpr Column xzcftjColumns[] = {
    T("tbdw", 50),
    // Two long dates joined by " - ".
    T("tjsj", 80),
    T("a11", cellUnits), T("a12", cellUnits), T("a13", cellUnits),
    T("a14", cellUnits), T("a15", cellUnits), T("a16", cellUnits),
    T("a17", cellUnits), T("a18", cellUnits), T("a19", cellUnits),
    T("a10", cellUnits), T("a111", cellUnits), T("a112", cellUnits),
    T("a113", cellUnits), T("a114", cellUnits),
    T("a21", cellUnits), T("a22", cellUnits), T("a23", cellUnits),
    T("a24", cellUnits), T("a25", cellUnits), T("a26", cellUnits),
    T("a27", cellUnits), T("a28", cellUnits), T("a29", cellUnits),
    T("a20", cellUnits), T("a211", cellUnits), T("a212", cellUnits),
    T("a213", cellUnits), T("a214", cellUnits),
    T("a31", cellUnits), T("a32", cellUnits), T("a33", cellUnits),
    T("a34", cellUnits), T("a35", cellUnits), T("a36", cellUnits),
    T("a37", cellUnits), T("a38", cellUnits), T("a39", cellUnits),
    T("a30", cellUnits), T("a311", cellUnits), T("a312", cellUnits),
    T("a313", cellUnits), T("a314", cellUnits),
    T("a41", cellUnits), T("a42", cellUnits), T("a43", cellUnits),
    T("a44", cellUnits), T("a45", cellUnits), T("a46", cellUnits),
    T("a47", cellUnits), T("a48", cellUnits), T("a49", cellUnits),
    T("a40", cellUnits), T("a411", cellUnits), T("a412", cellUnits),
    T("a413", cellUnits), T("a414", cellUnits),
    T("a51", cellUnits), T("a52", cellUnits), T("a53", cellUnits),
    T("a54", cellUnits), T("a55", cellUnits), T("a56", cellUnits),
    T("a57", cellUnits), T("a58", cellUnits), T("a59", cellUnits),
    T("a50", cellUnits), T("a511", cellUnits), T("a512", cellUnits),
    T("a513", cellUnits), T("a514", cellUnits),
    T("a61", cellUnits), T("a62", cellUnits), T("a63", cellUnits),
    T("a64", cellUnits), T("a65", cellUnits), T("a66", cellUnits),
    T("a67", cellUnits), T("a68", cellUnits), T("a69", cellUnits),
    T("a60", cellUnits), T("a611", cellUnits), T("a612", cellUnits),
    T("a613", cellUnits), T("a614", cellUnits),
};

static constexpr Table statTables[] = {
    {"xzcf2", xzcf2Columns, "", false},
    {"xzcftj", xzcftjColumns, "", false},
};

std::span<const Table> onsiteDocumentTables() { return onsiteTables; }

std::span<const Table> enforcementDocumentTables() { return enforcementTables; }

std::span<const Table> statisticsTables() { return statTables; }

} // namespace kelm::schema
