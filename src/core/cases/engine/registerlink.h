// What a document window may do to the case register that opened it: untick
// the document's box after the document's row was deleted. The register
// acts only on a user's click on a box, so this untick opens nothing.
#pragma once

namespace kelm {

class CaseRegisterLink {
public:
    virtual ~CaseRegisterLink() = default;
    virtual void untickDocument(int registerIndex) = 0; // Check1(k) := 0
};

// The open case register, or nullptr when none is open.
CaseRegisterLink *caseRegister();
void setCaseRegister(CaseRegisterLink *link);

} // namespace kelm
