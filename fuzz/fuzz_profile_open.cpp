// The profile library's open path: any bytes as a profile file (text, XML, XFDF or INI, found by
// detection), every list and value walked.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include <unistd.h>

#include "tbpr14.h"

namespace {

int walk(ProfJob *job, const char *, const char *, ProfList *sublist, void *userData)
{
    int &depth = *static_cast<int *>(userData);
    if (sublist && depth < 64) {
        ++depth;
        ProfEnumA(job, sublist, walk, userData);
        --depth;
    }
    return 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const std::string path = [] {
        char name[] = "/tmp/karvenfp-fuzz-profile-XXXXXX";
        const int fd = mkstemp(name);
        if (fd >= 0)
            close(fd);
        return std::string(name);
    }();
    FILE *out = std::fopen(path.c_str(), "wb");
    if (!out)
        return 0;
    std::fwrite(data, 1, size, out);
    std::fclose(out);
    ProfJob *job = ProfJobOpenA(path.c_str());
    if (!job)
        return 0;
    int depth = 0;
    ProfEnumA(job, nullptr, walk, &depth);
    ProfJobClose(job);
    return 0;
}
