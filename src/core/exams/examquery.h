// The examination query tjcx with its list report rep_jktj. The register
// closes itself before it opens the query, so the query stands alone over
// the main window; a double-click leaves the chosen record as the current
// examination number and, once the query has closed, opens the register
// again on it.
#pragma once

namespace kelm {

struct QueryDesign;

QueryDesign examQueryDesign();

} // namespace kelm
