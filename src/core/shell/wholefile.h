// Files written whole. A new file is made beside the name it is to have,
// marked unfinished, and put in place in one step once it is complete and
// synced, so that a name never stands for half a file; what a crash leaves
// is told by its name and removed later. Backup, restore and the conversion
// of an office's Jet file write their files so.
#pragma once

#include "platform/progress.h"

#include <QString>
#include <QStringList>

namespace kelm {

// A new file beside path, named after it and marked unfinished, held locked
// by this process for as long as the object lives, so that the clean-up of
// leftovers never takes a copy that is still being made. Removed with what
// the engine left beside it unless kept.
class UnfinishedFile {
public:
    explicit UnfinishedFile(const QString &path);
    ~UnfinishedFile();
    UnfinishedFile(const UnfinishedFile &) = delete;
    UnfinishedFile &operator=(const UnfinishedFile &) = delete;

    // Empty when the folder takes no new file.
    QString path() const { return m_path; }
    // Why, told in words, where path() is empty.
    QString error() const;
    void keep() { m_kept = true; }

private:
    QString m_folder;
    QString m_path;
    int m_fd = -1;
    int m_error = 0;
    bool m_kept = false;
};

// The files the engine keeps beside a database file, by the ending of
// their names.
const QStringList &sideFileSuffixes();

// The same file, under any name (a link included).
bool sameFile(const QString &a, const QString &b);

// Removes the files the engine keeps beside path.
void removeSideFiles(const QString &path);

// Syncs the folder of path, so that a name made or changed in it survives a
// power cut.
void syncFolderOf(const QString &path);

// Renames from over to, replacing it in one step, and syncs the folder so
// that the new name survives a power cut.
bool replaceFile(const QString &from, const QString &to, QString &error);

// Gives the finished file `from` the new name `to` where no file has it,
// and syncs the folder. False with exists set when one has it.
bool placeNewFile(const QString &from, const QString &to, bool &exists, QString &error);

// Copies source to the file target (made anew) at the speed of a copy (the
// system copies inside itself where it can), reporting bytes from done on,
// and syncs it. False with error set on a failure, false with an empty
// error when cancelled.
bool copyFile(const QString &source, const QString &target, Progress &progress, qint64 &done, QString &error);

// Removes the unfinished copies that a backup to path, a restore or a
// conversion of path left beside it when it was killed; a copy that a
// running program is still making is left alone.
void removeLeftovers(const QString &path);

} // namespace kelm
