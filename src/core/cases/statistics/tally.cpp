#include "cases/statistics/tally.h"

#include <cmath>

using namespace Qt::StringLiterals;

namespace kelm::statistics {

Cancelled::Cancelled() : std::runtime_error("statistics cancelled") { }

void AmountSum::add(double value)
{
    // Neumaier's summation: the compensation keeps what each addition lost.
    const double t = m_sum + value;
    if (std::abs(m_sum) >= std::abs(value))
        m_compensation += (m_sum - t) + value;
    else
        m_compensation += (value - t) + m_sum;
    m_sum = t;
}

void AmountSum::add(const AmountSum &other)
{
    add(other.m_sum);
    add(other.m_compensation);
}

void Tally::add(const Tally &other)
{
    rows += other.rows;
    cases += other.cases;
    filed += other.filed;
    closed += other.closed;
    for (std::size_t k = 0; k < penalties.size(); ++k)
        penalties[k] += other.penalties[k];
    confiscated.add(other.confiscated);
    fine.add(other.fine);
    recalled.add(other.recalled);
    destroyed.add(other.destroyed);
}

const std::array<ScreenRow, screenRowCount> &screenRows()
{
    static const QString food = u"食品卫生"_s;
    static const QString publicPlace = u"公共场所"_s;
    // Each group's 其他 row takes the 其他 cases of its own group only, as
    // its 合计 row does.
    static const std::array<ScreenRow, screenRowCount> rows = {{
        {u"生产加工"_s, {}, u"生产加工"_s, 2},
        {u"批发零售"_s, {}, u"批发零售"_s, 3},
        {u"饮食"_s, {}, u"饮食"_s, 4},
        {u"食堂"_s, {}, u"食堂"_s, 5},
        {u"食品摊贩"_s, {}, u"食品摊贩"_s, 6},
        {u"其他"_s, food, u"其他"_s, 0},
        {u"合计"_s, food, {}, 1},
        {u"旅馆业"_s, {}, u"旅店"_s, 0},
        {u"文化娱乐"_s, {}, u"文化娱乐"_s, 0},
        {u"浴室"_s, {}, u"浴室"_s, 0},
        {u"理发、美容"_s, {}, u"理发、美容"_s, 0},
        {u"商场、商店"_s, {}, u"商场、商店"_s, 0},
        {u"其他"_s, publicPlace, u"其他"_s, 0},
        {u"合计"_s, publicPlace, {}, 0},
        {u"其  他"_s, u"其他"_s, {}, 0},
        {u"总  计"_s, {}, {}, 0},
    }};
    return rows;
}

} // namespace kelm::statistics
