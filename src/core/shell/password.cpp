#include "shell/password.h"

#include "platform/database.h"

using namespace Qt::StringLiterals;

namespace kelm {

namespace {
const QString selectPassword = u"SELECT abcd IS NULL, abcd FROM wslo LIMIT 1"_s;
const QString updatePassword = u"UPDATE wslo SET abcd = ?"_s;
} // namespace

QString storedPassword(Database &db)
{
    const Rows rows = db.select(selectPassword);
    if (rows.empty())
        throw DbError(u"数据库中没有登录密码的记录，程序不能启动。"_s);
    if (rows.values[0][0] == u"1"_s)
        throw DbError(u"数据库中的登录密码已丢失，程序不能启动。"_s);
    return rows.values[0][1];
}

bool passwordMatches(const QString &typed, const QString &stored) { return typed.toLower() == stored.toLower(); }

bool changeStoredPassword(Database &db, const QString &newPassword)
{
    try {
        Transaction tx(db);
        // An empty password is the empty text, never NULL.
        db.exec(updatePassword, {newPassword.isNull() ? u""_s : newPassword});
        if (storedPassword(db) != newPassword)
            return false;
        tx.commit();
        return true;
    } catch (const DbError &) {
        return false;
    }
}

} // namespace kelm
