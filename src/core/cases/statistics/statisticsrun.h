// One computation of the statistics off the window's thread, on a
// connection of its own, so that the windows stay responsive while a
// million cases are copied and counted. One runs at a time: the period
// window offers no second one until the current one has ended.
#pragma once

#include "cases/statistics/penaltystatistics.h"

#include <QObject>
#include <memory>

namespace kelm::statistics {

class StatisticsRun : public QObject {
    Q_OBJECT
public:
    // Starts computing the period over the database file at path. The run
    // deletes itself after it has ended.
    static StatisticsRun *start(const QString &path, const QDate &start, const QDate &end);
    // The run under way, also one winding down after a cancel; or none.
    static StatisticsRun *current();

    // Asks the run to stop: it stores nothing and ends without a result.
    void cancel();

signals:
    void progressed(int percent);
    void finished(const kelm::statistics::PenaltyStatistics &result);
    void failed(const QString &message);
    // After the result, the failure or the cancel; the run's connection is
    // closed by then.
    void ended();

private:
    StatisticsRun();
    void end();

    struct Shared;
    std::shared_ptr<Shared> m_shared;
};

} // namespace kelm::statistics
