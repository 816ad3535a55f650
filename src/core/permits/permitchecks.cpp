#include "permits/permitchecks.h"

#include "platform/dates.h"

#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

template <typename Entry>
struct Check {
    std::function<bool(const Entry &)> fails;
    QString message;
    int focusBox;
};

template <typename Entry>
std::optional<CheckFailure> firstFailure(const std::vector<Check<Entry>> &checks, const Entry &entry)
{
    for (const Check<Entry> &c : checks)
        if (c.fails(entry))
            return CheckFailure{c.message, c.focusBox};
    return std::nullopt;
}

// A date box that may stay empty. The date reading demands exactly ten
// characters, so no separate length check follows.
bool badOptionalDate(const QString &text) { return !text.isEmpty() && !isDateText(text); }

const QString badDate = u"错误的日期格式"_s;

} // namespace

std::optional<CheckFailure> firstFailingCheck(const PermitEntry &entry)
{
    static const std::vector<Check<PermitEntry>> checks = {
        {[](const PermitEntry &e) { return e.number.isEmpty(); }, u"许可证号不能留空！"_s, -1},
        {[](const PermitEntry &e) { return e.number.toUcs4().size() < 8; },
         u"许可证号不能少于8位！填写规则为年度四位加编号。"_s, 6},
        {[](const PermitEntry &e) { return badOptionalDate(e.issued); }, badDate, 9},
        {[](const PermitEntry &e) { return badOptionalDate(e.validUntil); }, badDate, 10},
        {[](const PermitEntry &e) { return badOptionalDate(e.applied); }, badDate, 11},
    };
    return firstFailure(checks, entry);
}

std::optional<CheckFailure> firstFailingCheck(const ReviewEntry &entry)
{
    // The next review first, although its box comes last in the window.
    static const std::vector<Check<ReviewEntry>> checks = {
        {[](const ReviewEntry &e) { return badOptionalDate(e.nextReview); }, badDate, 11},
        {[](const ReviewEntry &e) { return badOptionalDate(e.reviewed); }, badDate, 12},
    };
    return firstFailure(checks, entry);
}

QString firstReviewDate(const QString &issued)
{
    const std::optional<QDate> date = parseDate(issued);
    if (!date)
        return {};
    const int year = date->year() + 1;
    const int day = std::min(date->day(), QDate(year, date->month(), 1).daysInMonth());
    return u"%1-%2-%3"_s.arg(year).arg(date->month(), 2, 10, QChar(u'0')).arg(day, 2, 10, QChar(u'0'));
}

} // namespace kelm
