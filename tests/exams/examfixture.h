// Stored examination records and the examination register as the menu
// opens it: shared by the register and the query tests.
#pragma once

#include "exams/examregisterwindow.h"
#include "permits/permitfixture.h"
#include "platform/units.h"

#include <QPointer>
#include <QRadioButton>

namespace kelm::test {

using namespace Qt::StringLiterals;

// A stored examination record; unnamed columns stay empty but the name and
// the two results.
inline void addExam(Database &db, const QString &number, const QHash<QString, QVariant> &values = {})
{
    QHash<QString, QVariant> row = {{u"xm"_s, u"姓名"_s + number}, {u"tjhg"_s, u"合格"_s}, {u"pxhg"_s, u"合格"_s}};
    row.insert(values);
    QStringList names{u"tjbh"_s}, marks{u"?"_s};
    Params params{number};
    for (auto it = row.cbegin(); it != row.cend(); ++it) {
        names << it.key();
        marks << u"?"_s;
        params.push_back(it.value());
    }
    db.exec(u"INSERT INTO jktj (%1) VALUES (%2)"_s.arg(names.join(u','), marks.join(u',')), params);
}

inline QString storedExam(Database &db, const QString &column, const QString &number)
{
    return db.scalar(u"SELECT %1 FROM jktj WHERE tjbh = ?"_s.arg(column), {number});
}

inline int examCount(Database &db) { return db.scalar(u"SELECT count(*) FROM jktj"_s).toInt(); }

struct ExamRegister : Opened<ExamRegisterWindow> {
    // Option1(i) for the examination, Option2(i) for the training.
    QRadioButton *option(int pair, int i) const
    {
        return w->findChild<QRadioButton *>(u"Option%1_%2"_s.arg(pair).arg(i));
    }
};

// 添加 删除 确认 取消 查询
constexpr std::initializer_list<int> examButtons = {1, 2, 3, 4, 6};

// Every work window still open, closed for good (test clean-up).
inline void deleteWorkWindows()
{
    QList<QPointer<QWidget>> left;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (qobject_cast<FormWindow *>(w))
            left.append(w);
    for (const QPointer<QWidget> &w : left)
        delete w.data();
}

} // namespace kelm::test
