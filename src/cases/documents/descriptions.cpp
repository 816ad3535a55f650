#include "cases/documents/descriptions.h"

#include "cases/documents/filing/labg.h"
#include "cases/documents/filing/sljl.h"
#include "cases/engine/description.h"

namespace kelm {

std::vector<const DocumentDescription *> documentDescriptions()
{
    return {&sljlDescription(), &labgDescription()};
}

const DocumentDescription *documentDescription(int registerIndex)
{
    for (const DocumentDescription *d : documentDescriptions())
        if (d->document.index == registerIndex)
            return d;
    return nullptr;
}

} // namespace kelm
