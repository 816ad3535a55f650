#include "platform/journalcheck.h"

#include <QFile>

using namespace Qt::StringLiterals;

namespace kelm {

QString journalPath(const QString &database) { return database + u"-journal"_s; }

JournalState journalState(const QString &database)
{
    QFile journal(journalPath(database));
    if (!journal.exists())
        return JournalState::None;
    // One that cannot be read is taken as the engine may take it.
    if (!journal.open(QIODevice::ReadOnly))
        return JournalState::Hot;
    char first = 0;
    return journal.read(&first, 1) == 1 && first != 0 ? JournalState::Hot : JournalState::Unwritten;
}

} // namespace kelm
