#pragma once
// The library's switches: lines "Name=Value" in
// ${XDG_CONFIG_HOME:-~/.config}/velkor/tbpr14.conf, each overridden by its
// environment variable VELKOR_<NAME IN CAPITALS>. Only the first character of
// a value decides; values are kept up to 64 bytes.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tbpr::support {

struct Switches {
    std::optional<std::string> forceUsePerfCounters;
    std::optional<std::string> forceUseGPFHandler;
    std::optional<std::string> useGPFHandler;
};

using EnvLookup = std::function<const char *(const char *name)>;

std::string switchesConfigPath(const EnvLookup &env);
Switches parseSwitches(std::string_view configText, const EnvLookup &env);
// Reads the file (a missing file holds no switches) and applies the environment.
Switches readSwitches(const std::string &configPath, const EnvLookup &env);
// The process's switches: the user's file and the real environment.
Switches readProcessSwitches();

// A switch that is present and whose first character is neither 'F' nor '0'.
bool switchOn(const std::optional<std::string> &value);

} // namespace tbpr::support
