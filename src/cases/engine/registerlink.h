// What a document window may do to the case register that opened it: clear
// the register's click flag and untick the document's box after the
// document's row was deleted, without the register acting on that untick.
#pragma once

namespace kelm {

class CaseRegisterLink {
public:
    virtual ~CaseRegisterLink() = default;
    virtual void setClickFlag(int value) = 0;           // xzcf_aa
    virtual void untickDocument(int registerIndex) = 0; // Check1(k) := 0
};

// The open case register, or nullptr when none is open.
CaseRegisterLink *caseRegister();
void setCaseRegister(CaseRegisterLink *link);

} // namespace kelm
