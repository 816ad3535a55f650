// Converting an office's Jet kelm.mdb (or a Jet backup of it) into a new
// database file of this program. The file is only read; the new one is
// prepared as every new database is, filled in one transaction and synced
// before the call returns, so that its caller can put it in place whole.
#pragma once

#include "import/conversionsummary.h"
#include "import/jetconverter.h"
#include "import/jetfile.h"

#include <functional>

namespace kelm::jet {

struct Conversion {
    ConversionFailure failure = ConversionFailure::None;
    // Why the file was not converted, for the user; empty for None and
    // Cancelled.
    QString reason;
    ConversionSummary summary;
    bool ok() const { return failure == ConversionFailure::None; }
};

// Hands a Jet file's contents to a receiver: readJetFile() on a path, or a
// test's own feeder.
using JetSource = std::function<ReadOutcome(Receiver &, Progress &)>;

// Converts the Jet file at jetPath into the database file at target, which
// is new or an empty file that the caller made and holds. Unless the
// result is ok, target holds nothing of the file: the caller removes it.
// Cancelling is safe throughout.
Conversion convertJetFile(const QString &jetPath, const QString &target, Progress &progress = noProgress());
Conversion convertJet(const JetSource &source, const QString &target, Progress &progress = noProgress());

} // namespace kelm::jet
