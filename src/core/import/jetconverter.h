// Takes what reading a Jet kelm.mdb hands on into a new database of this
// program, inside the caller's transaction: tables and columns matched by
// name whatever their letter case, rows in the file's order, every value as
// the reader turned it into text, never fitted to its column. What the
// office should know of (text longer than its box, dates with a time of
// day, what the file has that the program has not and the reverse) goes
// into the summary. A file that cannot be this program's database, or whose
// keys the program's unique keys would take as one, stops the conversion
// with the reason in words.
#pragma once

#include "import/conversionsummary.h"
#include "import/jetfile.h"

#include <memory>

namespace kelm {
class Database;
}

namespace kelm::jet {

enum class ConversionFailure {
    None,
    Cancelled,
    NotABackup, // no wslo, no row in it, or no backup marker at ordinal 1
    Refused,    // told in words
};

class JetConverter : public Receiver {
public:
    // target: a prepared database, in a write transaction of the caller.
    // progress is told the rows taken.
    JetConverter(Database &target, Progress &progress);
    ~JetConverter() override;

    void begin(const FileInfo &file, const std::vector<Table> &tables) override;
    void beginTable(int table) override;
    void row(const std::vector<Value> &values) override;
    void endTable(int table) override;

    // The file is refused or the target failed: nothing more is taken and
    // the reading should stop.
    bool stopped() const { return m_failure != ConversionFailure::None; }
    ConversionFailure failure() const { return m_failure; }
    QString reason() const { return m_reason; }

    // After the whole file was read: completes the summary.
    void finish();
    const ConversionSummary &summary() const { return m_summary; }

private:
    struct Plan;

    void stop(ConversionFailure failure, const QString &reason);
    void checkLogin(const Plan &plan, const std::vector<Value> &values);
    void insert(Plan &plan, const std::vector<Value> &values);
    void refuseDuplicate(const Plan &plan, const QString &key);
    QString targetFailure() const;

    Database &m_target;
    Progress &m_progress;
    std::vector<Table> m_tables;
    std::unique_ptr<Plan> m_plan;
    ConversionSummary m_summary;
    QStringList m_tablesTaken;
    qint64 m_rowsRead = 0;
    ConversionFailure m_failure = ConversionFailure::None;
    QString m_reason;
};

} // namespace kelm::jet
