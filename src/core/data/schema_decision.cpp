// Tables of the hearing documents (hearing record, hearing opinion) and of
// the decision and order documents (penalty decision, on-the-spot penalty
// decision, order to correct). Each row belongs to one case; column 0 is the
// case number and box i of the document window is column i + 1, so the order
// below is the stored order. Capacities follow the width of each box in
// twips: lineCapacity for the lines of a paragraph, boxCapacity elsewhere;
// printedCapacity where the printed form shows less than the box.
#include "data/schema.h"

#include <iterator>

namespace kelm::schema {


// The case number: a four-digit year followed by a four-digit serial.

// 听证笔录
static constexpr Column tzblColumns[] = {
    T("dabh", caseNumberCapacity),
    T("dsr", boxCapacity(6375)),
    T("wtdlr", boxCapacity(6135)),
    T("ajcbjg", boxCapacity(6015)),
    T("ajcbr", boxCapacity(6135)),
    T("tzy", boxCapacity(6375)),
    T("tzzcr", boxCapacity(3255)),
    T("sjy", boxCapacity(2055)),
    T("tzfs", boxCapacity(6375)),
    T("tzdd", boxCapacity(6375)),
    T("tzsj_n", boxCapacity(495)),
    T("tzsj_y", boxCapacity(195)),
    T("tzsj_r", boxCapacity(195)),
    T("tzsj_w", boxCapacity(255)),
    T("tzsj_s1", boxCapacity(195)),
    T("tzsj_s2", boxCapacity(195)),
    T("ay1", lineCapacity(6375)),
    T("ay2", lineCapacity(7215)),
    T("ay3", lineCapacity(7215)),
    T("ay4", lineCapacity(7215)),
    T("dsrqm", boxCapacity(6135)),
    T("wtdlrqm", boxCapacity(5775)),
    T("ajcbrqm", boxCapacity(5775)),
    T("tzyqm", boxCapacity(6135)),
    T("tzzcrqm", boxCapacity(1815)),
    T("sjyqm", boxCapacity(1815)),
    T("nian", boxCapacity(495)),
    T("yue", boxCapacity(195)),
    T("ri", boxCapacity(195)),
};

// 听证意见书. `cbr` is the box after "案件承办机关：" and `cbjg` the one
// after "案件承办人：": the names are the stored ones, whatever they suggest.
static constexpr Column tzyjColumns[] = {
    T("dabh", caseNumberCapacity),
    T("dsr", boxCapacity(6375)),
    T("dlr", boxCapacity(6135)),
    T("cbr", boxCapacity(6015)),
    T("cbjg", boxCapacity(6135)),
    T("tzy", boxCapacity(6375)),
    T("zcr", boxCapacity(2295)),
    T("sjy", boxCapacity(2895)),
    T("tzfs", boxCapacity(6375)),
    T("tzsj", boxCapacity(2535)),
    T("tzdd", boxCapacity(2895)),
    T("tzay1", lineCapacity(6375)),
    T("tzay2", lineCapacity(7215)),
    T("jbqk1", lineCapacity(6015)),
    T("jbqk2", lineCapacity(7215)),
    T("dsrly1", lineCapacity(5775)),
    T("dsrly2", lineCapacity(7215)),
    T("dsrly3", lineCapacity(7215)),
    T("cbrly1", lineCapacity(5475)),
    T("cbrly2", lineCapacity(7215)),
    T("hyyj1", lineCapacity(5895)),
    T("hyyj2", lineCapacity(7215)),
    T("tzrqm", boxCapacity(2415)),
    T("nian1", boxCapacity(495)),
    T("yue1", boxCapacity(195)),
    T("ri1", boxCapacity(195)),
    T("fzryj", boxCapacity(6135)),
    T("fzrqm", boxCapacity(2535)),
    T("nian2", boxCapacity(495)),
    T("yue2", boxCapacity(195)),
    T("ri2", boxCapacity(195)),
};

// 行政处罚决定书. The four lines of the facts are wfxw1, wfxw4, wfxw5 and
// wfxw6; there never were a wfxw2 or wfxw3.
static constexpr Column cfjdColumns[] = {
    T("dabh", caseNumberCapacity),
    T("lb", boxCapacity(200)),
    T("nd", boxCapacity(400)),
    T("bh", boxCapacity(375)),
    T("cfdw", printedCapacity(boxCapacity(3495), 4545)),
    T("wfsj_y", boxCapacity(375)),
    T("wfsj_m", boxCapacity(255)),
    T("wfsj_d", boxCapacity(200)),
    T("wfxw1", printedCapacity(lineCapacity(6975), 9195)),
    T("wfxw4", printedCapacity(lineCapacity(7335), 9675)),
    T("wfxw5", printedCapacity(lineCapacity(7335), 9675)),
    T("wfxw6", printedCapacity(lineCapacity(7335), 9675)),
    T("zm", printedCapacity(boxCapacity(5535), 7275)),
    T("wfgd1", printedCapacity(lineCapacity(3855), 4845)),
    T("wfgd2", printedCapacity(lineCapacity(6615), 8730)),
    T("yjgd1", lineCapacity(6735)),
    T("yjgd2", lineCapacity(6615)),
    T("xzcf1", printedCapacity(lineCapacity(7335), 9705)),
    T("xzcf2", lineCapacity(7335)),
    T("jksj_m", boxCapacity(200)),
    T("jksj_d", boxCapacity(200)),
    T("jkdw", boxCapacity(5175)),
    T("jkdz", printedCapacity(boxCapacity(6855), 9030)),
    T("gzqx", boxCapacity(435)),
    T("fyqx", boxCapacity(495)),
    T("fyjg1", printedCapacity(lineCapacity(1935), 2415)),
    T("fyjg2", printedCapacity(lineCapacity(1575), 1935)),
    T("fyzf", boxCapacity(2895)),
    T("qsqx", boxCapacity(555)),
    T("qsjg", boxCapacity(4335)),
    T("jgmc", boxCapacity(2775)),
    T("pbsj_y", boxCapacity(375)),
    T("pbsj_m", boxCapacity(200)),
    T("pbsj_d", boxCapacity(200)),
};

// 当场行政处罚决定书. In the date parts `_y` is the month and `_r` the day.
static constexpr Column dccfColumns[] = {
    T("dabh", caseNumberCapacity),
    T("lb", boxCapacity(200)),
    T("nd", boxCapacity(400)),
    T("hao", boxCapacity(375)),
    T("bcfr", boxCapacity(3615)),
    T("jc_n", boxCapacity(375)),
    T("jc_y", boxCapacity(255)),
    T("jc_r", boxCapacity(200)),
    T("jc1", lineCapacity(3375)),
    T("jc2", lineCapacity(5415)),
    T("wfxw1", lineCapacity(6855)),
    T("wfxw2", lineCapacity(7215)),
    T("wfxw3", lineCapacity(7215)),
    T("wfxw4", lineCapacity(7215)),
    T("zj", boxCapacity(5295)),
    T("wfgd1", lineCapacity(5415)),
    T("wfgd2", lineCapacity(6375)),
    T("yj1", lineCapacity(6735)),
    T("yj2", lineCapacity(6375)),
    T("fk", boxCapacity(735)),
    T("jk_y", boxCapacity(200)),
    T("jk_r", boxCapacity(200)),
    T("jkdw", boxCapacity(4575)),
    T("jkdz", boxCapacity(6735)),
    T("gzqx", boxCapacity(200)),
    T("fyqx", boxCapacity(255)),
    T("fyj1", printedCapacity(lineCapacity(1935), 2490)),
    T("fyj2", lineCapacity(1455)),
    T("fyzf", boxCapacity(3495)),
    T("qsqx", boxCapacity(200)),
    T("fy", boxCapacity(2415)),
    T("dw", boxCapacity(2175)),
    T("zfry", boxCapacity(1695)),
    T("nian", boxCapacity(375)),
    T("yue", boxCapacity(200)),
    T("ri", boxCapacity(200)),
};

// 责令改正通知书: the stub's columns first, then the notice's. The stub's
// number mark is stored as `zi12`, the notice's as `zi2`.
static constexpr Column zlgzColumns[] = {
    T("dabh", caseNumberCapacity),
    T("zi12", boxCapacity(200)),
    T("nd1", boxCapacity(400)),
    T("hao1", boxCapacity(375)),
    T("dsr", boxCapacity(6375)),
    T("wfxw1", lineCapacity(6375)),
    T("wfxw2", lineCapacity(7215)),
    T("gznr", boxCapacity(6375)),
    T("gzqx_n", boxCapacity(495)),
    T("gzqx_y", boxCapacity(195)),
    T("gzqx_r", boxCapacity(195)),
    T("gzqx_s", boxCapacity(195)),
    T("gzqx_f", boxCapacity(195)),
    T("qm", boxCapacity(6015)),
    T("qm_n", boxCapacity(495)),
    T("qm_y", boxCapacity(195)),
    T("qm_r", boxCapacity(195)),
    T("zi2", boxCapacity(200)),
    T("nd2", boxCapacity(400)),
    T("hao2", boxCapacity(375)),
    T("dw", boxCapacity(3135)),
    T("jc_n", boxCapacity(495)),
    T("jc_y", boxCapacity(255)),
    T("jc_r", boxCapacity(255)),
    T("xw1", lineCapacity(2895)),
    T("xw2", lineCapacity(6315)),
    T("wfgd1", lineCapacity(6495)),
    T("wfgd2", lineCapacity(6315)),
    T("yj1", lineCapacity(6495)),
    T("yj2", lineCapacity(6315)),
    T("gz_n", boxCapacity(375)),
    T("gz_y", boxCapacity(225)),
    T("gz_r", boxCapacity(220)),
    T("gz_s", boxCapacity(230)),
    T("gz_f", boxCapacity(230)),
    T("jg", boxCapacity(2775)),
    T("nian", boxCapacity(495)),
    T("yue", boxCapacity(195)),
    T("ri", boxCapacity(195)),
};

static_assert(std::size(tzblColumns) == 29);
static_assert(std::size(tzyjColumns) == 31);
static_assert(std::size(cfjdColumns) == 34);
static_assert(std::size(dccfColumns) == 36);
static_assert(std::size(zlgzColumns) == 39);

static constexpr Table hearingTables[] = {
    {"tzbl", tzblColumns, "dabh", true},
    {"tzyj", tzyjColumns, "dabh", true},
};

static constexpr Table decisionTables[] = {
    {"cfjd", cfjdColumns, "dabh", true},
    {"dccf", dccfColumns, "dabh", true},
    {"zlgz", zlgzColumns, "dabh", true},
};

std::span<const Table> hearingDocumentTables()
{
    return hearingTables;
}

std::span<const Table> decisionDocumentTables()
{
    return decisionTables;
}

} // namespace kelm::schema
