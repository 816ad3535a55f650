#include "support/recordingprogress.h"

namespace kelm::test {

void RecordingProgress::stage(const QString &text, qint64 steps, bool)
{
    reports.append({text, steps, 0});
    if (!cancelInStage.isEmpty() && text.startsWith(cancelInStage))
        m_cancelled = true;
}

void RecordingProgress::advance(qint64 done)
{
    const Report current = reports.isEmpty() ? Report{} : reports.last();
    reports.append({current.stage, current.steps, done});
    if (cancelAfter > 0 && done >= cancelAfter)
        m_cancelled = true;
}

} // namespace kelm::test
