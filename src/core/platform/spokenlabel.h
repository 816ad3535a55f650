// A form's label as a screen reader should say it.
#pragma once

#include <QString>

namespace kelm {

// A form's label as a name: without the blanks that spread its characters
// over the grid ("电      话") and without the colon or comma that ends it.
QString spokenLabel(const QString &label);

} // namespace kelm
