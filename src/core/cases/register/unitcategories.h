// The two-level unit category of a case: the first level offers three
// entries, and the first two of them have their own second-level list.
#pragma once

#include <QStringList>
#include <optional>

namespace kelm {

QStringList firstLevelCategories();

// The second-level list for a first-level text: empty for "其他", nothing
// for a text that is no first-level entry (the list then stays as it is).
std::optional<QStringList> secondLevelCategories(const QString &firstLevel);

} // namespace kelm
