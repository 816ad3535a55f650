#include "permits/permitrows.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

const QString table = u"wsxkz"_s;

const QString permitKey = u"xkzh = ?"_s;
const QString permitWithoutNextReview = u"xkzh = ? AND (xcnsrq IS NULL OR xcnsrq = '')"_s;
const std::vector<QString> reviewColumns = {u"nsrq"_s, u"nsjg"_s, u"clqk"_s, u"nsbz"_s, u"xcnsrq"_s};

} // namespace

void setFirstReviewDate(Database &db, const QString &permitNo, const QString &date)
{
    db.updateRows(table, {u"xcnsrq"_s}, {date}, permitWithoutNextReview, {permitNo});
}

void saveReview(Database &db, const QString &permitNo, const ReviewValues &review)
{
    const Params values = {review.reviewed, review.result, review.action, review.remarks, review.nextReview};
    if (db.updateRows(table, reviewColumns, values, permitKey, {permitNo}) == 0)
        throw DbError(u"许可证号为 %1 的卫生许可证已不存在，年审情况未存盘。"_s.arg(permitNo));
}

} // namespace kelm
