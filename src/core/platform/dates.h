// The one reading of a typed date: exactly yyyy-mm-dd, four digits, two and
// two joined by hyphens, naming a real calendar day. Every date check and
// the statistics read dates through it, so a text that passes one passes
// all.
#pragma once

#include <QDate>
#include <QString>
#include <optional>
#include <string_view>

namespace kelm {

std::optional<QDate> parseDate(const QString &text);
// The same reading of a text as the database stores it (UTF-8), for
// passes over many rows.
std::optional<QDate> parseDate(std::string_view utf8);
inline bool isDateText(const QString &text) { return parseDate(text).has_value(); }

} // namespace kelm
