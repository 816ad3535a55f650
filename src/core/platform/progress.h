// How long work tells where it stands and learns that the user wants it to
// stop. The work calls it from whatever thread it runs on; whoever shows it
// (a progress window, a test) decides what to do with it.
#pragma once

#include <QString>

namespace kelm {

class Progress {
public:
    virtual ~Progress() = default;
    // A new stage: what is being done, how many steps it takes (0 when that
    // is not known) and whether stopping in it leaves everything as it was.
    virtual void stage(const QString &text, qint64 steps, bool cancellable) = 0;
    // Steps of the current stage done so far.
    virtual void advance(qint64 done) = 0;
    // The user asked to stop; asked only while the stage allows it.
    virtual bool cancelled() const = 0;
};

// Progress that nobody watches and nobody cancels.
Progress &noProgress();

} // namespace kelm
