// The designs of the two query windows over the permit table: the permit query xkzcx with
// its list report DataReport6, opened by the permit register's 查询, and the
// annual review query nscx with its list report rep_ns, opened by the
// annual review window's 查询.
#pragma once

namespace kelm {

struct QueryDesign;

// A double-click leaves the chosen permit as the current permit number
// with the opener's return flag set.
QueryDesign permitQueryDesign();
QueryDesign reviewQueryDesign();

} // namespace kelm
