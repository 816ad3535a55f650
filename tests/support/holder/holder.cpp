// Another program that uses a database file, for the tests of what this
// program does meanwhile (see otherprogram.h). It opens the file, holds it
// as told, writes "holding" and lets go when its input ends:
//   kelm-holder FILE open       holds the file open
//   kelm-holder FILE write      holds the write lock of a save under way
//   kelm-holder FILE exclusive  the same, and keeps readers out too
#include <sqlite3.h>

#include <cstdio>
#include <map>
#include <string_view>
#include <unistd.h>

int main(int argc, char *argv[])
{
    if (argc != 3)
        return 2;
    const std::map<std::string_view, const char *> statements{
        {"open", "SELECT count(*) FROM sqlite_master"},
        {"write", "BEGIN IMMEDIATE; UPDATE wslo SET abcd = abcd || '改'"},
        {"exclusive", "BEGIN EXCLUSIVE; UPDATE wslo SET abcd = abcd || '改'"},
    };
    const auto how = statements.find(argv[2]);
    if (how == statements.end())
        return 2;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(argv[1], &db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK
        || sqlite3_busy_timeout(db, 10000) != SQLITE_OK
        || sqlite3_exec(db, how->second, nullptr, nullptr, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n", sqlite3_errmsg(db));
        return 1;
    }
    std::puts("holding");
    std::fflush(stdout);
    char c = 0;
    while (::read(STDIN_FILENO, &c, 1) > 0) {
    }
    sqlite3_close(db);
    return 0;
}
