#include "cases/documents/descriptions.h"

#include "cases/documents/decision/cfjd.h"
#include "cases/documents/decision/dccf.h"
#include "cases/documents/decision/zlgz.h"
#include "cases/documents/enforcement/ajys.h"
#include "cases/documents/enforcement/jabg.h"
#include "cases/documents/enforcement/qzzx.h"
#include "cases/documents/enforcement/sdhz.h"
#include "cases/documents/filing/labg.h"
#include "cases/documents/filing/sljl.h"
#include "cases/documents/hearing/tzbl.h"
#include "cases/documents/hearing/tzyj.h"
#include "cases/documents/investigation/dczj.h"
#include "cases/documents/investigation/hyjl.h"
#include "cases/documents/investigation/spb.h"
#include "cases/documents/notice/cfgz.h"
#include "cases/documents/notice/tzgz.h"
#include "cases/documents/notice/tztz.h"
#include "cases/documents/onsite/bczj.h"
#include "cases/documents/onsite/cssb.h"
#include "cases/documents/onsite/cyjl.h"
#include "cases/documents/onsite/xwbl.h"
#include "cases/documents/onsite/xzbl.h"
#include "cases/engine/description.h"

namespace kelm {

std::vector<const DocumentDescription *> documentDescriptions()
{
    return {
        &sljlDescription(),
        &labgDescription(),
        &dczjDescription(),
        &hyjlDescription(),
        &spbDescription(),
        &tzgzDescription(),
        &cfgzDescription(),
        &tztzDescription(),
        &tzblDescription(),
        &tzyjDescription(),
        &qzzxDescription(),
        &jabgDescription(),
        &ajysDescription(),
        &sdhzDescription(),
        &cfjdDescription(),
        &dccfDescription(),
        &zlgzDescription(),
        &xzblDescription(),
        &xwblDescription(),
        &cssbDescription(),
        &cyjlDescription(),
        &bczjDescription(),
    };
}

const DocumentDescription *documentDescription(int registerIndex)
{
    for (const DocumentDescription *d : documentDescriptions())
        if (d->document.index == registerIndex)
            return d;
    return nullptr;
}

} // namespace kelm
