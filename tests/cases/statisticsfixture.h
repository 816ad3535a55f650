// Cases as the statistics read them, written straight into xzcf: shared by
// the statistics tests.
#pragma once

#include "platform/database.h"

#include <QList>
#include <QString>

namespace kelm::test {

using namespace Qt::StringLiterals;

struct StatCase {
    QString category = u"食品卫生"_s; // dwlb1
    QString subcategory = u"生产加工"_s; // dwlb2
    QString accepted = u"2002-06-01"_s;   // slsj
    QList<int> penalties = {};           // 1 to 10: cf1..cf10 ticked
    QString confiscated = u"0"_s;         // msje
    QString fine = u"0"_s;                // fkje
    QString recalled = u"0"_s;            // shsp
    QString destroyed = u"0"_s;           // xhsp
    QString filed = {};                   // lasj
    bool closed = false;                  // sfja
};

inline void addStatCase(Database &db, const QString &caseNo, const StatCase &c)
{
    Params params{caseNo, c.category, c.subcategory, c.accepted, c.filed, c.closed ? 1 : 0,
                  c.confiscated, c.fine, c.recalled, c.destroyed};
    QString flags;
    for (int k = 1; k <= 10; ++k) {
        flags += u", cf%1"_s.arg(k);
        params.push_back(c.penalties.contains(k) ? 1 : 0);
    }
    db.exec(u"INSERT INTO xzcf (dabh, dwlb1, dwlb2, slsj, lasj, sfja, msje, fkje, shsp, xhsp%1) "
            "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"_s.arg(flags),
            params);
}

// Numbered 20020001, 20020002, ... in list order.
inline void addStatCases(Database &db, const QList<StatCase> &cases)
{
    for (qsizetype i = 0; i < cases.size(); ++i)
        addStatCase(db, u"2002%1"_s.arg(i + 1, 4, 10, QChar(u'0')), cases[i]);
}

} // namespace kelm::test
