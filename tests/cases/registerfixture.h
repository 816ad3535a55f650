// The case register as the menu opens it, and stored cases for it to show:
// shared by the register's widget tests.
#pragma once

#include "cases/register/caseregisterwindow.h"
#include "data/documentcatalogue.h"
#include "platform/boundrecord.h"
#include "platform/database.h"
#include "platform/formwindow.h"
#include "platform/recordnavigator.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHash>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace kelm::test {

using namespace Qt::StringLiterals;

// A stored case; unnamed columns hold what a saved case holds.
inline void addCase(Database &db, const QString &caseNo, const QHash<QString, QVariant> &values = {})
{
    QHash<QString, QVariant> row = {{u"msje"_s, u"0"_s},          {u"fkje"_s, u"0"_s},  {u"shsp"_s, u"0"_s},
                                    {u"xhsp"_s, u"0"_s},          {u"slsj"_s, u"2002-01-05"_s},
                                    {u"dwlb1"_s, u"食品卫生"_s}, {u"dwmc"_s, u"单位"_s + caseNo}};
    row.insert(values);
    QStringList names{u"dabh"_s}, marks{u"?"_s};
    Params params{caseNo};
    for (auto it = row.cbegin(); it != row.cend(); ++it) {
        names << it.key();
        marks << u"?"_s;
        params.push_back(it.value());
    }
    db.exec(u"INSERT INTO xzcf (%1) VALUES (%2)"_s.arg(names.join(u','), marks.join(u',')), params);
}

inline QString stored(Database &db, const QString &column, const QString &caseNo)
{
    return db.scalar(u"SELECT %1 FROM xzcf WHERE dabh = ?"_s.arg(column), {caseNo});
}

inline QStringList filedTables()
{
    QStringList tables;
    for (const DocumentEntry &e : documentCatalogue())
        tables << e.table;
    return tables << u"qtzl"_s;
}

// A row of the case in every document table and in qtzl.
inline void fileEveryRow(Database &db, const QString &caseNo)
{
    for (const QString &table : filedTables())
        db.exec(u"INSERT INTO %1 (dabh) VALUES (?)"_s.arg(table), {caseNo});
}

inline int filedRows(Database &db, const QString &caseNo)
{
    int n = 0;
    for (const QString &table : filedTables())
        n += db.scalar(u"SELECT count(*) FROM %1 WHERE dabh = ?"_s.arg(table), {caseNo}).toInt();
    return n;
}

// The register as the menu opens it.
struct Register {
    CaseRegisterWindow *w = new CaseRegisterWindow;

    Register()
    {
        w->show();
        w->activated();
    }
    ~Register() { delete w; }

    QLineEdit *box(int i) const { return w->findChild<QLineEdit *>(u"Text1_%1"_s.arg(i)); }
    QPlainTextEdit *memo(int i) const { return w->findChild<QPlainTextEdit *>(u"Text1_%1"_s.arg(i)); }
    QCheckBox *penalty(int i) const { return w->findChild<QCheckBox *>(u"Check2_%1"_s.arg(i)); }
    QCheckBox *document(int k) const { return w->findChild<QCheckBox *>(u"Check1_%1"_s.arg(k)); }
    QComboBox *combo(int i) const { return w->findChild<QComboBox *>(u"Combo%1"_s.arg(i)); }
    QPushButton *button(int i) const { return w->findChild<QPushButton *>(u"Command%1"_s.arg(i)); }
    QWidget *named(const QString &name) const { return w->findChild<QWidget *>(name); }
    QString caption() const { return w->findChild<RecordNavigator *>()->caption(); }
    void click(int i) const { button(i)->click(); }
    void choose(int combo, const QString &text) const
    {
        QComboBox *c = this->combo(combo);
        c->setCurrentIndex(c->findText(text));
        emit c->activated(c->currentIndex());
    }
    // 添加 .. 统计 enabled, in button order 1, 2, 3, 4, 6, 7.
    QString buttons() const
    {
        QString s;
        for (int i : {1, 2, 3, 4, 6, 7})
            s += button(i)->isEnabled() ? u'1' : u'0';
        return s;
    }
};

// The open window of the program with that caption, other than the register.
inline FormWindow *openWindow(const QString &caption)
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w->windowTitle() == caption)
            return qobject_cast<FormWindow *>(w);
    return nullptr;
}


} // namespace kelm::test
