// logspy: shows the debug output of programs that use the profile library.
// It publishes its pid in the per-user runtime directory and prints every
// line the library sends, until interrupted.
#include "support/logspy_runtime.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

volatile std::sig_atomic_t g_stop = 0;

void onSignal(int)
{
    g_stop = 1;
}

void usage()
{
    std::fputs("usage: logspy [-d directory] [-n count] [-t milliseconds]\n"
               "  -d  runtime directory (default $XDG_RUNTIME_DIR/logspy or /tmp/logspy-<uid>)\n"
               "  -n  quit after this many lines\n"
               "  -t  quit when no line came for this long\n",
               stderr);
}

} // namespace

int main(int argc, char **argv)
{
    std::string dir = tbpr::support::logspyRuntimeDir();
    long maxLines = -1;
    int idleMs = -1;
    for (int i = 1; i < argc; ++i) {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "-d") == 0 && hasValue) {
            dir = argv[++i];
        } else if (std::strcmp(argv[i], "-n") == 0 && hasValue) {
            maxLines = std::strtol(argv[++i], nullptr, 10);
        } else if (std::strcmp(argv[i], "-t") == 0 && hasValue) {
            idleMs = int(std::strtol(argv[++i], nullptr, 10));
        } else {
            usage();
            return 2;
        }
    }

    struct sigaction action {};
    action.sa_handler = &onSignal;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);

    tbpr::support::LogspyViewer viewer(dir);
    if (!viewer.isOpen()) {
        std::fprintf(stderr, "logspy: cannot listen in %s (it must be a directory of yours, mode 0700)\n",
                     dir.c_str());
        return 1;
    }
    std::fprintf(stderr, "logspy: listening in %s\n", dir.c_str());
    std::fflush(stderr);
    long lines = 0;
    while (!g_stop && (maxLines < 0 || lines < maxLines)) {
        // Short polls, so that a signal ends the loop promptly.
        int waited = 0;
        std::optional<std::string> line;
        while (!g_stop && !(line = viewer.receive(100))) {
            waited += 100;
            if (idleMs >= 0 && waited >= idleMs)
                break;
        }
        if (!line)
            break;
        std::printf("%s\n", line->c_str());
        std::fflush(stdout);
        ++lines;
    }
    viewer.close(); // withdraws the pid, so the library stops sending
    return 0;
}
