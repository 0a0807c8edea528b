#include "core/process_environment.h"

#include "core/code_page.h"
#include "core/path_text.h"

#include <cstdlib>
#include <dlfcn.h>
#include <mutex>
#include <sys/utsname.h>
#include <unistd.h>

namespace tbpr {
namespace {

void anchor() {}

std::string readSelfExe()
{
    char buffer[4096];
    const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    return length > 0 ? std::string(buffer, static_cast<size_t>(length)) : std::string();
}

std::string ownLibraryPath()
{
    Dl_info info{};
    if (dladdr(reinterpret_cast<void *>(&anchor), &info) && info.dli_fname)
        return info.dli_fname;
    return {};
}

uint32_t kernelVersionWord()
{
    utsname name{};
    if (uname(&name) != 0)
        return 0;
    char *rest = nullptr;
    const long major = std::strtol(name.release, &rest, 10);
    const long minor = (rest && *rest == '.') ? std::strtol(rest + 1, nullptr, 10) : 0;
    return static_cast<uint32_t>(((major & 0xFF) << 8) | (minor & 0xFF));
}

ProcessEnvironment build()
{
    ProcessEnvironment env;
    env.hostPath = readSelfExe();
    env.hostFileName = pathFileNameExt(env.hostPath);
    env.hostBaseName = pathFileName(env.hostPath);
    env.hostDirectory = pathDirectory(env.hostPath);
    env.libraryPath = ownLibraryPath();
    env.libraryFileName = pathFileNameExt(env.libraryPath);
    env.libraryBaseName = pathFileName(env.libraryPath);
    env.libraryDirectory = pathDirectory(env.libraryPath);
    env.osType = 32;
    env.osVersion = kernelVersionWord();
    env.initialCodePage = localeCodePage();
    return env;
}

ProcessEnvironment *g_environment = nullptr;
std::once_flag g_once;

} // namespace

const ProcessEnvironment &InitProcessEnvironment()
{
    std::call_once(g_once, [] {
        g_environment = new ProcessEnvironment(build());
        setCurrentCodePage(g_environment->initialCodePage);
    });
    return *g_environment;
}

const ProcessEnvironment &processEnvironment()
{
    return InitProcessEnvironment();
}

uint32_t GetOSType(uint32_t *version)
{
    const ProcessEnvironment &env = processEnvironment();
    if (version)
        *version = env.osVersion;
    return env.osType;
}

} // namespace tbpr
