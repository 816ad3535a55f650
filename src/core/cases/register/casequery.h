// The design of the case query window frm_cfcx, with its list report
// rep_xzcf.
#pragma once

namespace kelm {

struct QueryDesign;

// A double-click leaves the chosen case as the current case number with
// the relocate-case flag set.
QueryDesign caseQueryDesign();

} // namespace kelm
