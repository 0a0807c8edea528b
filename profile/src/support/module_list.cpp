#include "support/module_list.h"

#include "support/library_version.h"

#include <algorithm>
#include <cstring>
#include <dlfcn.h>
#include <elf.h>
#include <fstream>
#include <link.h>
#include <unistd.h>

namespace tbpr::support {

namespace {

void anchor() {}

std::string selfExe()
{
    char buffer[4096];
    const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return n > 0 ? std::string(buffer, std::size_t(n)) : std::string();
}

std::string ownPath()
{
    Dl_info info{};
    return dladdr(reinterpret_cast<void *>(&anchor), &info) && info.dli_fname ? info.dli_fname : "";
}

int collect(dl_phdr_info *info, std::size_t, void *data)
{
    auto &modules = *static_cast<std::vector<ModuleInfo> *>(data);
    std::uintptr_t low = UINTPTR_MAX;
    std::size_t size = 0;
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const auto &ph = info->dlpi_phdr[i];
        if (ph.p_type != PT_LOAD)
            continue;
        low = std::min<std::uintptr_t>(low, info->dlpi_addr + ph.p_vaddr);
        size += ph.p_memsz;
    }
    if (size == 0)
        return 0;
    ModuleInfo module;
    module.path = info->dlpi_name && *info->dlpi_name ? info->dlpi_name : "";
    if (module.path.empty() && modules.empty())
        module.path = selfExe(); // the first entry is the program itself
    if (module.path.empty())
        return 0; // the vDSO
    module.name = module.path.substr(module.path.rfind('/') + 1);
    module.base = low;
    module.size = size;
    modules.push_back(std::move(module));
    return 0;
}

} // namespace

std::vector<ModuleInfo> listModules()
{
    std::vector<ModuleInfo> modules;
    dl_iterate_phdr(&collect, &modules);
    const std::string self = ownPath();
    for (auto &module : modules) {
        module.fileVersion = module.path == self ? kLibraryFileVersion : "<no version info>";
        module.symbolType = hasDwarfDebugInfo(module.path) ? "DWARF" : "<no known symbols>";
    }
    std::stable_sort(modules.begin(), modules.end(),
                     [](const ModuleInfo &a, const ModuleInfo &b) { return a.base < b.base; });
    return modules;
}

const ModuleInfo *findModule(const std::vector<ModuleInfo> &modules, std::uintptr_t address)
{
    auto after = std::upper_bound(modules.begin(), modules.end(), address,
                                  [](std::uintptr_t a, const ModuleInfo &m) { return a < m.base; });
    if (after == modules.begin())
        return nullptr;
    const ModuleInfo &module = *(after - 1);
    return address - module.base < module.size ? &module : nullptr;
}

bool hasDwarfDebugInfo(const std::string &path)
{
    std::ifstream file(path, std::ios::binary);
    Elf64_Ehdr header{};
    if (!file.read(reinterpret_cast<char *>(&header), sizeof header) ||
        std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64 ||
        header.e_shentsize != sizeof(Elf64_Shdr) || header.e_shstrndx >= header.e_shnum)
        return false;
    std::vector<Elf64_Shdr> sections(header.e_shnum);
    file.seekg(std::streamoff(header.e_shoff));
    if (!file.read(reinterpret_cast<char *>(sections.data()),
                   std::streamsize(sections.size() * sizeof(Elf64_Shdr))))
        return false;
    const Elf64_Shdr &names = sections[header.e_shstrndx];
    std::string table(names.sh_size, '\0');
    file.seekg(std::streamoff(names.sh_offset));
    if (!file.read(table.data(), std::streamsize(table.size())))
        return false;
    for (const auto &section : sections) {
        if (section.sh_name < table.size() &&
            std::strcmp(table.c_str() + section.sh_name, ".debug_info") == 0)
            return true;
    }
    return false;
}

} // namespace tbpr::support
