// The programs a test starts beside itself (the writer of saveunderway.h,
// the holder of otherprogram.h), run from where the test's user reaches
// them. A test that runs as root gives up its privileges first (root may
// write every file), and the user it becomes may not enter the build
// folder at all: a clone in root's home, or in any folder that only its
// owner may enter. Such a test hands the helpers over before it gives its
// privileges up: they are copied into a folder of their own under the
// temporary folder that the new user owns and every user may read, and run
// from there.
#pragma once

#include <QString>

#include <sys/types.h>

namespace kelm::test {

enum class Helper { Writer, Holder };

// The program to start: its copy once the helpers were handed over, else
// where the build put it.
QString helperProgram(Helper helper);

// As root, hands the helpers over to uid and gid (the copies and their
// folder are removed when the process ends) and becomes that user and
// group, without any other group. Ends the process with a message when
// either cannot be done. Called before any thread starts.
void becomeUser(uid_t uid, gid_t gid);

} // namespace kelm::test
