#pragma once
// A job opened through the C interface and closed at the end of a test.
#include "tbpr14.h"

#include <gtest/gtest.h>

#include <string>

namespace testsupport {

class JobTest : public testing::Test {
protected:
    JobTest() : job(ProfJobOpenA(nullptr)) { ProfSetOption(PROF_OPTION_CODEPAGE, 65001); }
    ~JobTest() override
    {
        ProfJobClose(job);
        ProfSetOption(PROF_OPTION_CODEPAGE, 65001);
    }

    std::string get(const char *path, ProfList *list = nullptr)
    {
        char buffer[512];
        const int length = ProfGetStringA(job, list, path, buffer, sizeof buffer, "<default>");
        return length < 0 ? "<" + std::to_string(length) + ">" : std::string(buffer);
    }

    ProfJob *job;
};

} // namespace testsupport
