#include "support/config_switches.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <strings.h>

namespace tbpr::support {

namespace {

constexpr std::size_t kMaxValue = 64;

struct SwitchName {
    const char *name;
    const char *envName;
    std::optional<std::string> Switches::*field;
};

constexpr SwitchName kNames[] = {
    {"ForceUsePerfCounters", "VELKOR_FORCEUSEPERFCOUNTERS", &Switches::forceUsePerfCounters},
    {"ForceUseGPFHandler", "VELKOR_FORCEUSEGPFHANDLER", &Switches::forceUseGPFHandler},
    {"UseGPFHandler", "VELKOR_USEGPFHANDLER", &Switches::useGPFHandler},
};

std::string_view trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

} // namespace

std::string switchesConfigPath(const EnvLookup &env)
{
    const char *config = env("XDG_CONFIG_HOME");
    std::string base;
    if (config && *config) {
        base = config;
    } else {
        const char *home = env("HOME");
        base = std::string(home ? home : "") + "/.config";
    }
    return base + "/velkor/tbpr14.conf";
}

Switches parseSwitches(std::string_view configText, const EnvLookup &env)
{
    Switches result;
    while (!configText.empty()) {
        const std::size_t end = configText.find('\n');
        std::string_view line = trim(configText.substr(0, end));
        configText = end == std::string_view::npos ? std::string_view() : configText.substr(end + 1);
        const std::size_t eq = line.find('=');
        if (line.empty() || line.front() == '#' || line.front() == ';' || eq == std::string_view::npos)
            continue;
        const std::string name(trim(line.substr(0, eq)));
        for (const auto &entry : kNames) {
            if (strcasecmp(name.c_str(), entry.name) == 0)
                result.*entry.field = std::string(trim(line.substr(eq + 1)).substr(0, kMaxValue));
        }
    }
    for (const auto &entry : kNames) {
        if (const char *value = env(entry.envName))
            result.*entry.field = std::string(value).substr(0, kMaxValue);
    }
    return result;
}

Switches readSwitches(const std::string &configPath, const EnvLookup &env)
{
    std::ifstream file(configPath, std::ios::binary);
    std::ostringstream text;
    if (file)
        text << file.rdbuf();
    return parseSwitches(text.str(), env);
}

Switches readProcessSwitches()
{
    const EnvLookup env = [](const char *name) -> const char * { return std::getenv(name); };
    return readSwitches(switchesConfigPath(env), env);
}

bool switchOn(const std::optional<std::string> &value)
{
    return value && !value->empty() ? (*value)[0] != 'F' && (*value)[0] != '0' : value.has_value();
}

} // namespace tbpr::support
