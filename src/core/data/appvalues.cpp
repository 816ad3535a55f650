#include "data/appvalues.h"

namespace kelm {

namespace {
AppValues g_values;
}

AppValues &app() { return g_values; }

void resetAppValues() { g_values = AppValues{}; }

} // namespace kelm
