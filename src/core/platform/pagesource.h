// Pages to draw, each made when it is asked for: a large report need not
// be held whole to be shown or printed.
#pragma once

#include "platform/pagemodel.h"

namespace kelm::report {

class PageSource {
public:
    virtual ~PageSource() = default;
    virtual QString caption() const = 0;
    virtual PageSetup paper() const = 0;
    virtual int pageCount() const = 0;
    // Page n, 0 <= n < pageCount(). Throws DbError when its rows cannot be
    // read.
    virtual Page page(int n) = 0;
};

} // namespace kelm::report
