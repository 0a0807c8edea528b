#pragma once

// A storage file system for tests whose disk can be made full: installed as SQLite's default
// before the first connection opens, it passes everything to the real one until fill() is called;
// from then on every write of a file (database or journal) fails as on a full disk, until empty().
namespace testsupport {

class FullDisk {
public:
    // Installs the file system once per process; later calls do nothing.
    static void install();
    static void fill();
    static void empty();
};

} // namespace testsupport
