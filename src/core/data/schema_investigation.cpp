// Tables of the investigation, deliberation and approval documents, the
// penalty and hearing notices, and the examination register. Document
// columns follow their boxes, since the read-back finds a box's column by
// its position; the widths are the boxes' widths in twips.
#include "data/schema.h"

namespace kelm::schema {


static constexpr Column dczjColumns[] = {
    T("dabh", caseNumberCapacity),
    T("ay", boxCapacity(6375)),
    T("dsr", boxCapacity(6375)),
    T("cbjg", boxCapacity(6375)),
    T("cbr", boxCapacity(6375)),
    T("wfss1", lineCapacity(6855)),
    T("wfss2", lineCapacity(7215)),
    T("wfss3", lineCapacity(7215)),
    T("wfss4", lineCapacity(7215)),
    T("xgyj1", lineCapacity(6855)),
    T("xgyj2", lineCapacity(7215)),
    T("zyyd1", lineCapacity(6855)),
    T("zyyd2", lineCapacity(7215)),
    T("cljy1", lineCapacity(6855)),
    T("cljy2", lineCapacity(7215)),
    T("jgmc", boxCapacity(2775)),
    T("cbrqm", boxCapacity(2775)),
    T("pbsj_y", boxCapacity(400)),
    T("pbsj_m", boxCapacity(200)),
    T("pbsj_d", boxCapacity(255)),
};

// `hyjly` sits behind a hidden box that nothing writes; `hydd` holds the
// time and `hysj` the place of the deliberation.
static constexpr Column hyjlColumns[] = {
    T("dabh", caseNumberCapacity),
    T("hyjly", boxCapacity(1215)),
    T("ay", lineCapacity(6375)),
    T("bzfdu", lineCapacity(6375)),
    T("hyjg", boxCapacity(6375)),
    T("hyzcy", boxCapacity(6135)),
    T("hyyy", boxCapacity(6015)),
    T("hydd", boxCapacity(3135)),
    T("hysj", boxCapacity(2295)),
    T("ufss1", lineCapacity(6855)),
    T("ufss2", lineCapacity(7215)),
    T("ufss3", lineCapacity(7215)),
    T("ufss4", lineCapacity(7215)),
    T("xgzj1", lineCapacity(6855)),
    T("xgzj2", lineCapacity(7215)),
    T("clyj1", lineCapacity(6255)),
    T("clyj2", lineCapacity(6375)),
    T("yj1", lineCapacity(6495)),
    T("yj2", lineCapacity(6375)),
    T("hyjy1", lineCapacity(6855)),
    T("hyjy2", lineCapacity(7215)),
    T("hyrqm", boxCapacity(6015)),
    T("jlrqm", boxCapacity(1935)),
    T("pbsj_y", boxCapacity(400)),
    T("pbsj_m", boxCapacity(200)),
    T("pbsj_d", boxCapacity(200)),
};

static constexpr Column spbColumns[] = {
    T("dabh", caseNumberCapacity),
    T("ay", boxCapacity(5295)),
    T("ajly", boxCapacity(5295)),
    T("cfdw", boxCapacity(5175)),
    T("dz", boxCapacity(5295)),
    T("jjxz", boxCapacity(1815)),
    T("fzr", boxCapacity(1815)),
    T("wfxw1", lineCapacity(5775)),
    T("wfxw4", lineCapacity(6135)),
    T("wfxw5", lineCapacity(6135)),
    T("wfxw6", lineCapacity(6135)),
    T("wfgd1", lineCapacity(4575)),
    T("wfgd2", lineCapacity(5415)),
    T("yjgd1", lineCapacity(5415)),
    T("yjgd2", lineCapacity(5535)),
    T("xzcf1", lineCapacity(5895)),
    T("xzcf2", lineCapacity(6255)),
    T("cbr", boxCapacity(2775)),
    T("cssj_y", boxCapacity(375)),
    T("cssj_m", boxCapacity(200)),
    T("cssj_d", boxCapacity(200)),
    T("spyj1", boxCapacity(6135)),
    T("fzrqm", boxCapacity(1815)),
    T("pbsj_y", boxCapacity(375)),
    T("pbsj_m", boxCapacity(200)),
    T("pbsj_d", boxCapacity(200)),
};

static constexpr Column tzgzColumns[] = {
    T("dabh", caseNumberCapacity),
    T("nd", boxCapacity(375)),
    T("bh", boxCapacity(375)),
    T("cfdw", boxCapacity(3615)),
    T("wfsj_y", boxCapacity(375)),
    T("wfsj_m", boxCapacity(200)),
    T("wfsj_d", boxCapacity(200)),
    T("wfxw1", lineCapacity(4335)),
    T("wfxw4", lineCapacity(7215)),
    T("wfxw5", lineCapacity(6375)),
    T("wfgd1", lineCapacity(6615)),
    T("wfgd2", lineCapacity(6375)),
    T("yjgd1", lineCapacity(6855)),
    T("yjgd2", lineCapacity(6375)),
    T("xzcf1", lineCapacity(5415)),
    T("xzcf2", lineCapacity(6015)),
    T("jgdz", boxCapacity(3735)),
    T("yzbm", boxCapacity(2175)),
    T("lxdh", boxCapacity(3255)),
    T("lxr", boxCapacity(1215)),
    T("jgmc", boxCapacity(2775)),
    T("pbsj_y", boxCapacity(375)),
    T("pbsj_m", boxCapacity(200)),
    T("pbsj_d", boxCapacity(200)),
    T("nd2", boxCapacity(375)),
    T("bh2", boxCapacity(375)),
    T("dsr", boxCapacity(6375)),
    T("sftz", boxCapacity(6015)),
    T("tzly", boxCapacity(6015)),
    T("dz2", boxCapacity(6375)),
    T("yb2", boxCapacity(2535)),
    T("dh2", boxCapacity(2055)),
    T("qm2", boxCapacity(2295)),
    T("y2", boxCapacity(375)),
    T("m2", boxCapacity(200)),
    T("r2", boxCapacity(200)),
};

static constexpr Column cfgzColumns[] = {
    T("dabh", caseNumberCapacity),
    T("nd", boxCapacity(375)),
    T("bh", boxCapacity(375)),
    T("cfdw", boxCapacity(3975)),
    T("sj_y", boxCapacity(375)),
    T("sj_m", boxCapacity(200)),
    T("sj_d", boxCapacity(200)),
    T("wfxw1", lineCapacity(3855)),
    T("wfxw4", lineCapacity(7215)),
    T("wfxw5", lineCapacity(7215)),
    T("wfxw6", lineCapacity(6375)),
    T("wfgd1", lineCapacity(6615)),
    T("wfgd2", lineCapacity(6375)),
    T("yjgd1", lineCapacity(6855)),
    T("yjgd2", lineCapacity(6375)),
    T("xzcf1", lineCapacity(5535)),
    T("xzcf2", lineCapacity(5150)),
    T("cssj_y", boxCapacity(375)),
    T("cssj_m", boxCapacity(200)),
    T("cssj_d", boxCapacity(200)),
    T("csdd1", lineCapacity(4335)),
    T("csdd2", lineCapacity(2535)),
    T("jgdz", boxCapacity(6375)),
    T("lxdh", boxCapacity(6375)),
    T("lxr", boxCapacity(6375)),
    T("jgmc", boxCapacity(2775)),
    T("pbsj_y", boxCapacity(375)),
    T("pbsj_m", boxCapacity(200)),
    T("pbsj_d", boxCapacity(200)),
};

// Counterfoil first (`bh1` to `bz2`), then the notice; in `tzsj_*`,
// `fcsj_*` and `sj_*` the suffix `_y` is the month, `_n` the year.
static constexpr Column tztzColumns[] = {
    T("dabh", caseNumberCapacity),
    T("bh1", boxCapacity(2175)),
    T("dsr", boxCapacity(6375)),
    T("tzsj_n", boxCapacity(495)),
    T("tzsj_y", boxCapacity(195)),
    T("tzsj_r", boxCapacity(195)),
    T("tzsj_s", boxCapacity(195)),
    T("tzdd", boxCapacity(6375)),
    T("tzfs", boxCapacity(6375)),
    T("tzry1", lineCapacity(6375)),
    T("tzry2", lineCapacity(6375)),
    T("jbr", boxCapacity(6375)),
    T("fcsj_n", boxCapacity(495)),
    T("fcsj_y", boxCapacity(195)),
    T("fcsj_r", boxCapacity(195)),
    T("bz1", lineCapacity(6375)),
    T("bz2", lineCapacity(6375)),
    T("bh2", boxCapacity(2175)),
    T("dw", boxCapacity(3615)),
    T("sj_n", boxCapacity(375)),
    T("sj_y", boxCapacity(225)),
    T("sj_r", boxCapacity(220)),
    T("sj_w", boxCapacity(255)),
    T("sj_s", boxCapacity(255)),
    T("dd", boxCapacity(4335)),
    T("tz", boxCapacity(580)),
    T("zcr", boxCapacity(1095)),
    T("tzy", boxCapacity(1095)),
    T("sjy", boxCapacity(975)),
    T("lxdh", boxCapacity(2775)),
    T("lxr", boxCapacity(2415)),
    T("gz", boxCapacity(2775)),
    T("nian", boxCapacity(495)),
    T("yue", boxCapacity(195)),
    T("ri", boxCapacity(195)),
};

// Bound by name, so the order is free; it follows the window's boxes. The
// two dates are free text stored as typed, so they get a text's room.
static constexpr Column jktjColumns[] = {
    T("tjbh", examNumberCapacity),
    T("tjrq", 50),
    T("xm", 50),
    T("xb", 50),
    T("nl", 50),
    T("gz", 50),
    T("dwmc", 50),
    T("dz", 50),
    T("tjjl", 50),
    T("pxjl", 50),
    T("dlsh", 50),
    T("dlsj", 50),
    T("jbr", 50),
    T("jsr", 50),
    T("tjhg", 6),
    T("pxhg", 6),
};

static constexpr Table investigationTables[] = {
    {"dczj", dczjColumns, "dabh", true},
    {"hyjl", hyjlColumns, "dabh", true},
    {"spb", spbColumns, "dabh", true},
};

static constexpr Table noticeTables[] = {
    {"tzgz", tzgzColumns, "dabh", true},
    {"cfgz", cfgzColumns, "dabh", true},
    {"tztz", tztzColumns, "dabh", true},
};

static constexpr Table jktjTables[] = {
    {"jktj", jktjColumns, "tjbh", true},
};

std::span<const Table> investigationDocumentTables()
{
    return investigationTables;
}

std::span<const Table> noticeDocumentTables()
{
    return noticeTables;
}

std::span<const Table> examTables()
{
    return jktjTables;
}

} // namespace kelm::schema
