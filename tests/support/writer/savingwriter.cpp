// kelm-test-writer FILE WAY: a program of its own that begins a save into
// FILE and waits inside it, so that a test can kill it there and find what
// a crash leaves beside the file. It says "saving" once inside the save; a
// line "commit" on its input then commits, and it says "committed".
//   spill     a save of 3,000 new cases, larger than the page cache: the
//             cache spills into the file, so the journal is synced and hot
//   small     a save of one new case that spills nothing: the journal's
//             header is never written
//   unmarked  the spilling save straight through the engine, without the
//             first page written first, as other programs save
//   commit    the spilling save, killed inside its commit once every page
//             is written and synced, as the journal is about to go
//   probe     says "busy" when another program holds the file's write
//             lock, "free" when it could begin a save itself
#include "data/connection.h"
#include "platform/database.h"

#include <QCoreApplication>
#include <SQLiteCpp/SQLiteCpp.h>

#include <sqlite3.h>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

using namespace Qt::StringLiterals;

namespace {

constexpr int spilledCases = 3000;
const QString unit = u"在保存中途被中断的"_s;

QString caseNo(int i) { return u"2099%1"_s.arg(i, 4, 10, QChar(u'0')); }

void say(const char *word)
{
    std::printf("%s\n", word);
    std::fflush(stdout);
}

// Waits inside the save until told to commit; returns whether told.
bool awaitCommit()
{
    say("saving");
    std::string line;
    return std::getline(std::cin, line) && line == "commit";
}

// The engine's own files, but for the deletion of a journal, which kills
// the process where it stands once dyingAtCommit is set: the commit has
// then written every page, the first one included, and synced the file.
bool dyingAtCommit = false;
sqlite3_vfs *engineFiles = nullptr;

int deleteOrDie(sqlite3_vfs *, const char *name, int syncFolder)
{
    const std::size_t length = std::strlen(name);
    if (dyingAtCommit && length > 8 && std::strcmp(name + length - 8, "-journal") == 0)
        std::raise(SIGKILL);
    return engineFiles->xDelete(engineFiles, name, syncFolder);
}

void dieAtCommit()
{
    static sqlite3_vfs dying;
    engineFiles = sqlite3_vfs_find(nullptr);
    dying = *engineFiles;
    dying.zName = "kelm-dying-at-commit";
    dying.xDelete = deleteOrDie;
    sqlite3_vfs_register(&dying, 1);
}

int probe(const QString &path)
{
    SQLite::Database raw(path.toStdString(), SQLite::OPEN_READWRITE);
    try {
        raw.exec("BEGIN IMMEDIATE");
        raw.exec("ROLLBACK");
        say("free");
    } catch (const SQLite::Exception &) {
        say("busy");
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3)
        return 2;
    const QString path = args.at(1);
    const QString way = args.at(2);
    if (way == u"probe"_s)
        return probe(path);
    if (way == u"commit"_s)
        dieAtCommit();
    kelm::Database db(path, kelm::storedSchema());
    db.raw().exec("PRAGMA cache_size = 8");
    const int cases = way == u"small"_s ? 1 : spilledCases;
    if (way == u"unmarked"_s) {
        db.raw().exec("BEGIN IMMEDIATE");
        SQLite::Statement insert(db.raw(), "INSERT INTO xzcf (dabh, dwmc) VALUES (?, ?)");
        for (int i = 0; i < cases; ++i) {
            insert.bind(1, caseNo(i).toStdString());
            insert.bind(2, unit.toStdString());
            insert.exec();
            insert.reset();
        }
        if (!awaitCommit())
            return 1;
        db.raw().exec("COMMIT");
    } else {
        kelm::Transaction tx(db);
        for (int i = 0; i < cases; ++i)
            db.insertRow(u"xzcf"_s, {u"dabh"_s, u"dwmc"_s}, {caseNo(i), unit});
        if (!awaitCommit())
            return 1;
        dyingAtCommit = way == u"commit"_s;
        tx.commit();
    }
    say("committed");
    return 0;
}
