#include "cases/register/casechecks.h"

#include "platform/dates.h"

#include <functional>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

struct Check {
    std::function<bool(const CaseEntry &)> fails;
    QString message;
    int focusBox;
};

// A date box that may stay empty. The date reading demands exactly ten
// characters, so no separate length check follows.
bool badOptionalDate(const QString &text) { return !text.isEmpty() && !isDateText(text); }

const std::vector<Check> &checks()
{
    static const QString badDate = u"错误的日期格式"_s;
    static const std::vector<Check> list = {
        {[](const CaseEntry &e) { return e.number.isEmpty(); }, u"案件编号不能留空！"_s, 0},
        {[](const CaseEntry &e) { return e.number.toUcs4().size() != 8; }, u"案件编号必须为8位！"_s, 0},
        {[](const CaseEntry &e) { return e.confiscated.isEmpty(); }, u"没收金额不能为空，请填“0”。"_s, -1},
        {[](const CaseEntry &e) { return e.fine.isEmpty(); }, u"罚款金额不能为空，请填“0”。"_s, -1},
        {[](const CaseEntry &e) { return e.recalled.isEmpty(); }, u"责令收回食品数量不能为空，请填“0”。"_s, -1},
        {[](const CaseEntry &e) { return e.destroyed.isEmpty(); }, u"责令销毁食品数量不能为空，请填“0”。"_s, -1},
        {[](const CaseEntry &e) { return e.accepted.isEmpty(); }, u"受理时间不能留空！"_s, 6},
        {[](const CaseEntry &e) { return !isDateText(e.accepted); }, badDate, 6},
        {[](const CaseEntry &e) { return badOptionalDate(e.filed); }, badDate, 7},
        {[](const CaseEntry &e) { return badOptionalDate(e.closed); }, badDate, 10},
        {[](const CaseEntry &e) { return e.category.isEmpty(); }, u"单位类别不能留空。"_s, -1},
    };
    return list;
}

} // namespace

std::optional<CheckFailure> firstFailingCheck(const CaseEntry &entry)
{
    for (const Check &c : checks())
        if (c.fails(entry))
            return CheckFailure{c.message, c.focusBox};
    return std::nullopt;
}

} // namespace kelm
