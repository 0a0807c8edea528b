#pragma once
// What the library records once about the process it runs in.
#include <cstdint>
#include <string>

namespace tbpr {

struct ProcessEnvironment {
    std::string hostPath;      // full path of the host program
    std::string hostFileName;  // with extension
    std::string hostBaseName;  // without extension
    std::string hostDirectory; // with the trailing '/'
    std::string libraryPath;
    std::string libraryFileName;
    std::string libraryBaseName;
    std::string libraryDirectory;
    uint32_t osType = 32;   // fixed: the NT-family rules apply
    uint32_t osVersion = 0; // major << 8 | minor, from uname
    uint16_t initialCodePage = 65001;
};

// Records the environment (once; later calls return the same record) and
// sets the configured code page from the locale.
const ProcessEnvironment &InitProcessEnvironment();
const ProcessEnvironment &processEnvironment();

// OS type (32) and the version word.
uint32_t GetOSType(uint32_t *version = nullptr);

} // namespace tbpr
