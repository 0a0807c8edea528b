#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

// A fresh directory below $TMPDIR (or /tmp), removed with everything in it when
// the object goes out of scope. Each test that touches files takes one, so
// tests never see each other's data.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir &) = delete;
    TempDir &operator=(const TempDir &) = delete;

    const std::filesystem::path &path() const { return path_; }
    std::string str() const { return path_.string(); }
    // Path of an entry inside the directory.
    std::filesystem::path operator/(const std::string &name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

// Writes bytes to a file (creating parent directories) and returns its path.
std::filesystem::path writeFile(const std::filesystem::path &file, const std::string &bytes);
// Reads a whole file; empty when it does not exist.
std::string readFile(const std::filesystem::path &file);

} // namespace testsupport
