#include "permits/permitrows.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {

const QString table = u"wsxkz"_s;

const QString setFirstReviewSql =
    u"UPDATE wsxkz SET xcnsrq = ? WHERE xkzh = ? AND (xcnsrq IS NULL OR xcnsrq = '')"_s;
const QString saveReviewSql =
    u"UPDATE wsxkz SET nsrq = ?, nsjg = ?, clqk = ?, nsbz = ?, xcnsrq = ? WHERE xkzh = ?"_s;

} // namespace

void setFirstReviewDate(Database &db, const QString &permitNo, const QString &date)
{
    db.exec(setFirstReviewSql, {Database::fitted(table, u"xcnsrq"_s, date), permitNo});
}

void saveReview(Database &db, const QString &permitNo, const ReviewValues &review)
{
    const Params params = {Database::fitted(table, u"nsrq"_s, review.reviewed),
                           Database::fitted(table, u"nsjg"_s, review.result),
                           Database::fitted(table, u"clqk"_s, review.action),
                           Database::fitted(table, u"nsbz"_s, review.remarks),
                           Database::fitted(table, u"xcnsrq"_s, review.nextReview),
                           permitNo};
    if (db.exec(saveReviewSql, params) == 0)
        throw DbError(u"许可证号为 %1 的卫生许可证已不存在，年审情况未存盘。"_s.arg(permitNo));
}

} // namespace kelm
