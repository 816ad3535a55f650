// Stored permits written and read straight through the database: shared by
// the permit rule tests and the permit window tests.
#pragma once

#include "platform/database.h"

#include <QHash>
#include <QStringList>
#include <QVariant>

namespace kelm::test {

using namespace Qt::StringLiterals;

// A stored permit; unnamed columns stay empty but the unit name.
inline void addPermit(Database &db, const QString &permitNo, const QHash<QString, QVariant> &values = {})
{
    QHash<QString, QVariant> row = {{u"dwmc"_s, u"单位"_s + permitNo}};
    row.insert(values);
    QStringList names{u"xkzh"_s}, marks{u"?"_s};
    Params params{permitNo};
    for (auto it = row.cbegin(); it != row.cend(); ++it) {
        names << it.key();
        marks << u"?"_s;
        params.push_back(it.value());
    }
    db.exec(u"INSERT INTO wsxkz (%1) VALUES (%2)"_s.arg(names.join(u','), marks.join(u',')), params);
}

inline QString stored(Database &db, const QString &column, const QString &permitNo)
{
    return db.scalar(u"SELECT %1 FROM wsxkz WHERE xkzh = ?"_s.arg(column), {permitNo});
}

} // namespace kelm::test
