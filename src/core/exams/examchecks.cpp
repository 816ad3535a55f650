#include "exams/examchecks.h"

#include <QList>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

struct Check {
    std::function<bool(const ExamEntry &)> fails;
    QString message;
};

} // namespace

// Neither message moves the focus.
std::optional<CheckFailure> firstFailingCheck(const ExamEntry &entry)
{
    static const std::vector<Check> checks = {
        {[](const ExamEntry &e) { return e.number.isEmpty(); }, u"体检编号不能留空。"_s},
        {[](const ExamEntry &e) { return e.number.toUcs4().size() != 8; }, u"体检编号为8位数字。"_s},
    };
    for (const Check &c : checks)
        if (c.fails(entry))
            return CheckFailure{c.message, -1};
    return std::nullopt;
}

} // namespace kelm
