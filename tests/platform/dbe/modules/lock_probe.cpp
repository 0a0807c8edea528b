// A second workstation for the lock tests: takes one lock on a table, says
// "ok" or "refused" on stdout, and holds the lock until stdin closes or it is
// killed.
//   lock_probe <directory> <table> open|exclusive|lock|write|record:<row>
//   lock_probe <directory> <table> writes   writes again and again (each write
//                                           held 3 ms), "ok" after the first,
//                                           until stdin closes
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <thread>
#include <unistd.h>
#include <utility>

#include "dbe/lock/TableLocks.h"

int main(int argc, char **argv)
{
    if (argc != 4)
        return 2;
    auto locks = dbe::lock::TableLocks::forDirectory(QString::fromLocal8Bit(argv[1]));
    const QString table = QString::fromLocal8Bit(argv[2]);
    const char *action = argv[3];
    dbe::lock::LockHandle handle;
    if (std::strcmp(action, "writes") == 0) {
        bool told = false;
        pollfd in{STDIN_FILENO, POLLIN, 0};
        while (poll(&in, 1, 0) == 0) {
            try {
                dbe::lock::LockHandle write = locks->beginWrite(table);
                if (!std::exchange(told, true)) {
                    std::fputs("ok\n", stdout);
                    std::fflush(stdout);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(3));
            } catch (const dbe::lock::LockError &) {
                // Refused while the table is locked: the next write tries again.
            }
        }
        return 0;
    }
    try {
        if (std::strncmp(action, "record:", 7) == 0)
            handle = locks->lockRecord(table, std::atoll(action + 7));
        else if (std::strcmp(action, "open") == 0)
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
