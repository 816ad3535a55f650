#include "cases/engine/registerlink.h"

namespace kelm {

namespace {
CaseRegisterLink *g_register = nullptr;
}

CaseRegisterLink *caseRegister() { return g_register; }
void setCaseRegister(CaseRegisterLink *link) { g_register = link; }

} // namespace kelm
