#pragma once
// The modules loaded in the process, sorted by base address.
#include <cstdint>
#include <string>
#include <vector>

namespace tbpr::support {

struct ModuleInfo {
    std::string path; // full path (the program's own from /proc/self/exe)
    std::string name; // file name
    std::uintptr_t base = 0;
    std::size_t size = 0;    // the sum of the loadable segments
    std::string fileVersion; // "<no version info>" except for this library
    std::string symbolType;  // "DWARF" or "<no known symbols>"
};

std::vector<ModuleInfo> listModules();
// The module holding an address in a sorted list, or null.
const ModuleInfo *findModule(const std::vector<ModuleInfo> &modules, std::uintptr_t address);
// True when the ELF file has a .debug_info section.
bool hasDwarfDebugInfo(const std::string &path);

} // namespace tbpr::support
