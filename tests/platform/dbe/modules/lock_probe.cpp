// A second workstation for the lock tests: takes one lock on a table, says
// "ok" or "refused" on stdout, and holds the lock until stdin closes or it is
// killed.
//   lock_probe <directory> <table> open|exclusive|lock|write
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "dbe/lock/TableLocks.h"

int main(int argc, char **argv)
{
    if (argc != 4)
        return 2;
    auto locks = dbe::lock::TableLocks::forDirectory(QString::fromLocal8Bit(argv[1]));
    const QString table = QString::fromLocal8Bit(argv[2]);
    const char *action = argv[3];
    dbe::lock::LockHandle handle;
    try {
        if (std::strcmp(action, "open") == 0)
            handle = locks->openShared(table);
        else if (std::strcmp(action, "exclusive") == 0)
            handle = locks->openExclusive(table);
        else if (std::strcmp(action, "lock") == 0)
            handle = locks->lockTable(table);
        else if (std::strcmp(action, "write") == 0)
            handle = locks->beginWrite(table);
        else
            return 2;
    } catch (const dbe::lock::LockError &) {
        std::fputs("refused\n", stdout);
        std::fflush(stdout);
        return 1;
    }
    std::fputs("ok\n", stdout);
    std::fflush(stdout);
    char buffer[16];
    while (read(STDIN_FILENO, buffer, sizeof buffer) > 0) {
    }
    return 0;
}
