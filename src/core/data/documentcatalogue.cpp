#include "data/documentcatalogue.h"

using namespace Qt::StringLiterals;

namespace kelm {

QString authorityText() { return issuingAuthority + sealNote; }

const std::array<DocumentEntry, documentCount> &documentCatalogue()
{
    static const std::array<DocumentEntry, documentCount> list = {{
        {0, u"xzbl"_s, u"现场检查笔录"_s, u"现场检查笔录"_s, {}, u"rep_xzbl"_s, 12},
        {1, u"sljl"_s, u"案件受理记录"_s, u"案件受理记录"_s, u"jgmc"_s, u"rep_sljl"_s, 2},
        {2, u"labg"_s, u"立案报告"_s, u"立案报告"_s, u"pbjg"_s, u"rep_labg"_s, 1},
        {3, u"dczj"_s, u"调查终结报告"_s, u"案件调查终结报告"_s, u"jgmc"_s, u"rep_dczj"_s, 8},
        {4, u"hyjl"_s, u"合议记录"_s, u"合议记录"_s, {}, u"rep_hyjl"_s, 7},
        {5, u"spb"_s, u"处罚审批表"_s, u"卫生行政处罚审批表"_s, {}, u"rep_spb"_s, 10},
        {6, u"tzgz"_s, u"行政处罚听证告知书"_s, u"行政处罚听证告知书"_s, u"jgmc"_s, u"rep_tzgz"_s, 5},
        {7, u"cfgz"_s, u"行政处罚事先告知书"_s, u"行政处罚告知书"_s, u"jgmc"_s, u"rep_gzs"_s, 4},
        {8, u"cfjd"_s, u"行政处罚决定书"_s, u"行政处罚决定书"_s, u"jgmc"_s, u"rep_cfjd"_s, 6},
        {9, u"qzzx"_s, u"强制执行申请书"_s, u"强制执行申请书"_s, u"sqdw"_s, u"rep_qzzx"_s, 11},
        {10, u"jabg"_s, u"结案报告"_s, u"结案报告"_s, u"xzjg"_s, u"rep_jabg"_s, 9},
        {11, u"cssb"_s, u"陈述和申辩笔录"_s, u"陈述和申辩笔录"_s, {}, u"rep_cssb"_s, 16},
        {12, u"xwbl"_s, u"询问笔录"_s, u"询问笔录"_s, {}, u"rep_xwbl"_s, 17},
        {13, u"cyjl"_s, u"采样记录"_s, u"采样记录"_s, {}, u"rep_cyjl"_s, 18},
        {14, u"ajys"_s, u"案件移送书"_s, u"案件移送书"_s, u"dw"_s, u"rep_ajys"_s, 19},
        {15, u"tzbl"_s, u"听证笔录"_s, u"听证笔录"_s, {}, u"rep_tzbl"_s, 20},
        {16, u"sdhz"_s, u"送达回执"_s, u"送达回执"_s, {}, u"rep_sdhz"_s, 21},
        {17, u"bczj"_s, u"保存证据通知书"_s, u"保存证据通知书"_s, u"jg"_s, u"rep_bczj"_s, 22},
        {18, u"tztz"_s, u"行政处罚听证通知书"_s, u"行政处罚听证通知书"_s, u"gz"_s, u"rep_tztz"_s, 23},
        {19, u"dccf"_s, u"当场行政处罚决定书"_s, u"当场行政处罚决定书"_s, u"dw"_s, u"rep_dccf"_s, 24},
        {20, u"tzyj"_s, u"听证意见书"_s, u"听证意见书"_s, {}, u"rep_tzyj"_s, 25},
        {21, u"zlgz"_s, u"责令改正通知书"_s, u"责令改正通知书"_s, u"jg"_s, u"rep_zlgz"_s, 26},
    }};
    return list;
}

const DocumentEntry &documentAt(int index) { return documentCatalogue().at(std::size_t(index)); }

const DocumentEntry *documentByTable(const QString &table)
{
    for (const DocumentEntry &e : documentCatalogue())
        if (e.table.compare(table, Qt::CaseInsensitive) == 0)
            return &e;
    return nullptr;
}

} // namespace kelm
