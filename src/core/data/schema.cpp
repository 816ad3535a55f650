#include "data/schema.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <vector>

namespace kelm::schema {

namespace {

bool sameName(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

const std::vector<Table> &all()
{
    static const std::vector<Table> list = [] {
        std::vector<Table> v;
        for (auto part : {shellTables(), caseTables(), filingDocumentTables(), investigationDocumentTables(),
                          noticeDocumentTables(), hearingDocumentTables(), decisionDocumentTables(),
                          onsiteDocumentTables(), enforcementDocumentTables(), permitTables(), examTables(),
                          statisticsTables()})
            v.insert(v.end(), part.begin(), part.end());
        return v;
    }();
    return list;
}

} // namespace

std::span<const Table> tables() { return all(); }

const Table *find(std::string_view name)
{
    for (const Table &t : all())
        if (sameName(t.name, name))
            return &t;
    return nullptr;
}

std::span<const Table *const> documentTables()
{
    static const auto list = [] {
        constexpr std::array<std::string_view, 22> order = {
            "xzbl", "sljl", "labg", "dczj", "hyjl", "spb",  "tzgz", "cfgz", "cfjd", "qzzx", "jabg",
            "cssb", "xwbl", "cyjl", "ajys", "tzbl", "sdhz", "bczj", "tztz", "dccf", "tzyj", "zlgz"};
        std::array<const Table *, 22> v{};
        for (std::size_t k = 0; k < order.size(); ++k)
            v[k] = find(order[k]);
        return v;
    }();
    return list;
}

} // namespace kelm::schema
