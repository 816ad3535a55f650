// A save under way in another process, for what a crash inside a save
// leaves beside a database file: the writer kelm-test-writer begins the
// save and waits inside it until it is told to commit or is killed. What
// it saves and where it waits are fixed, so a kill leaves the same journal
// every run, but for the engine's random checksum nonce.
#pragma once

#include <QProcess>
#include <QString>

namespace kelm::test {

class SaveUnderWay {
public:
    enum class Kind {
        Spilled,  // larger than the page cache: the journal is synced, hot
        Small,    // spills nothing: the journal's header is never written
        Unmarked, // spilled, without the first page journalled first, as
                  // other programs save
        InCommit, // spilled, killed inside its commit once the file is
                  // written, first page and all, but the journal not yet gone
    };

    // Returns once the writer is inside its save into the file at path.
    SaveUnderWay(const QString &path, Kind kind);
    // Kills the writer where it is, unless it has committed.
    ~SaveUnderWay();
    SaveUnderWay(const SaveUnderWay &) = delete;
    SaveUnderWay &operator=(const SaveUnderWay &) = delete;

    // Tells the writer to commit; true once it has.
    bool commit();
    // Kills the writer inside its save, as a crash would.
    void kill();

private:
    QProcess m_writer;
};

// A save killed inside, into the closed file at path.
void crashInsideSave(const QString &path, SaveUnderWay::Kind kind);

// Whether another process could begin a save into the file now.
bool anotherProcessCanSave(const QString &path);

} // namespace kelm::test
