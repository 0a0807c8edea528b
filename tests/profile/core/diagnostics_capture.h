#pragma once
// Collects the library's diagnostic lines for the duration of a test.
#include "core/hooks.h"

#include <mutex>
#include <string>
#include <vector>

namespace testsupport {

class DiagnosticsCapture {
public:
    DiagnosticsCapture()
    {
        lines().clear();
        tbpr::hooks::setDiagnosticSink(&DiagnosticsCapture::sink);
    }
    ~DiagnosticsCapture() { tbpr::hooks::setDiagnosticSink(nullptr); }

    std::vector<std::string> taken() const
    {
        std::lock_guard<std::mutex> lock(mutex());
        return lines();
    }
    bool contains(const std::string &part) const
    {
        for (const auto &line : taken()) {
            if (line.find(part) != std::string::npos)
                return true;
        }
        return false;
    }

private:
    static std::vector<std::string> &lines()
    {
        static std::vector<std::string> collected;
        return collected;
    }
    static std::mutex &mutex()
    {
        static std::mutex m;
        return m;
    }
    static void sink(const char *line)
    {
        std::lock_guard<std::mutex> lock(mutex());
        lines().emplace_back(line);
    }
};

} // namespace testsupport
