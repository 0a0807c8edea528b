#pragma once

#include <chrono>

#include <QString>

struct sqlite3;

namespace dbe::detail {

// Marks this process's use of a data directory ("<directory>/.locks/in-use-..." held locked) until
// it ends cleanly; a marker whose lock is gone was left by a process that ended without closing.
class UseMarker {
public:
    explicit UseMarker(const QString &directory);
    ~UseMarker();
    UseMarker(const UseMarker &) = delete;
    UseMarker &operator=(const UseMarker &) = delete;

    // A process before this one ended without closing the directory's storage (it crashed, was
    // killed, or its machine stopped).
    bool previousEndedUncleanly() const { return unclean_; }

private:
    QString path_;
    int fd_ = -1;
    bool unclean_ = false;
};

enum class CheckDepth {
    Quick, // the pages and their structure
    Full   // also every index against its table
};

// Whether the storage's own check finds damage. A check that does not end within `bound` (or that
// cannot run now, another workstation writing) finds none.
bool storageDamaged(sqlite3 *db, CheckDepth depth, std::chrono::milliseconds bound);

} // namespace dbe::detail
