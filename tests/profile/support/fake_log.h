#pragma once
// Reading what the fake sibling libraries logged.
#include "temp_dir.h"

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace faketest {

// Points FAKE_SIBLING_LOG at a fresh file for the life of the object.
class FakeLog {
public:
    FakeLog() : path_((dir_ / "fake.log").string()) { setenv("FAKE_SIBLING_LOG", path_.c_str(), 1); }
    ~FakeLog() { unsetenv("FAKE_SIBLING_LOG"); }

    const std::string &path() const { return path_; }

    std::vector<std::string> lines() const
    {
        std::vector<std::string> result;
        std::istringstream in(testsupport::readFile(path_));
        for (std::string line; std::getline(in, line);)
            result.push_back(line);
        return result;
    }

    int count(const std::string &line) const
    {
        int n = 0;
        for (const auto &l : lines())
            n += l == line;
        return n;
    }

private:
    testsupport::TempDir dir_;
    std::string path_;
};

} // namespace faketest
