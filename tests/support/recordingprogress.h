// Stands in for a progress window: keeps every report of long work in
// order, and cancels where the test says.
#pragma once

#include "platform/progress.h"

#include <QList>

namespace kelm::test {

class RecordingProgress : public Progress {
public:
    struct Report {
        QString stage;
        qint64 steps = 0;
        qint64 done = 0;
    };
    QList<Report> reports;

    // Cancels as soon as a stage whose text begins so is reported.
    QString cancelInStage;
    // Cancels once this many steps of a stage are reported done (0: never).
    qint64 cancelAfter = 0;
    // Cancels from the start.
    bool cancelAtOnce = false;

    void stage(const QString &text, qint64 steps, bool cancellable) override;
    void advance(qint64 done) override;
    bool cancelled() const override { return m_cancelled || cancelAtOnce; }

private:
    bool m_cancelled = false;
};

} // namespace kelm::test
