#include "cases/register/unitcategories.h"

using namespace Qt::StringLiterals;

namespace kelm {

QStringList firstLevelCategories() { return {u"食品卫生"_s, u"公共场所"_s, u"其他"_s}; }

std::optional<QStringList> secondLevelCategories(const QString &firstLevel)
{
    if (firstLevel == u"食品卫生"_s)
        return QStringList{u"生产加工"_s, u"批发零售"_s, u"饮食"_s, u"食堂"_s, u"食品摊贩"_s, u"其他"_s};
    if (firstLevel == u"公共场所"_s)
        return QStringList{u"旅店"_s, u"文化娱乐"_s, u"浴室"_s, u"理发、美容"_s, u"商场、商店"_s, u"其他"_s};
    if (firstLevel == u"其他"_s)
        return QStringList{};
    return std::nullopt;
}

} // namespace kelm
