#include "support/config_switches.h"
#include "support/crash_switch.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <map>

using namespace tbpr::support;

namespace {

struct FakeEnv {
    std::map<std::string, std::string> values;
    EnvLookup lookup() const
    {
        return [this](const char *name) -> const char * {
            auto it = values.find(name);
            return it == values.end() ? nullptr : it->second.c_str();
        };
    }
};

} // namespace

TEST(Switches, ConfigFileAndEnvironment)
{
    testsupport::TempDir temp;
    FakeEnv env;
    env.values["XDG_CONFIG_HOME"] = temp.str();
    const std::string path = switchesConfigPath(env.lookup());
    EXPECT_EQ(path, temp.str() + "/velkor/tbpr14.conf");
    EXPECT_EQ(switchesConfigPath(FakeEnv{{{"HOME", "/home/u"}}}.lookup()),
              "/home/u/.config/velkor/tbpr14.conf");

    // A missing file holds no switches.
    Switches none = readSwitches(path, env.lookup());
    EXPECT_FALSE(none.forceUseGPFHandler || none.useGPFHandler || none.forceUsePerfCounters);

    testsupport::writeFile(path, "# comment\r\nForceUsePerfCounters = True\r\nusegpfhandler=0\r\nOther=1\r\n"
                                 "ForceUseGPFHandler=" +
                                     std::string(80, 'Y') + "\r\n");
    Switches file = readSwitches(path, env.lookup());
    EXPECT_EQ(file.forceUsePerfCounters, "True");
    EXPECT_EQ(file.useGPFHandler, "0");
    EXPECT_EQ(file.forceUseGPFHandler, std::string(64, 'Y'));

    env.values["VELKOR_USEGPFHANDLER"] = "1"; // the environment wins
    EXPECT_EQ(readSwitches(path, env.lookup()).useGPFHandler, "1");
}

TEST(Switches, FirstCharacterDecides)
{
    EXPECT_FALSE(switchOn(std::nullopt));
    EXPECT_FALSE(switchOn(std::string("FALSE")));
    EXPECT_FALSE(switchOn(std::string("0")));
    EXPECT_TRUE(switchOn(std::string("false"))); // only a capital F counts
    EXPECT_TRUE(switchOn(std::string("yes")));
    EXPECT_TRUE(switchOn(std::string("")));
}

TEST(CrashSwitch, DecisionTable)
{
    struct Row {
        const char *name;
        std::optional<std::string> force, use;
        bool tracer, override_;
        bool expected;
    };
    const Row rows[] = {
        {"nothing set: off on this platform", {}, {}, false, false, false},
        {"UseGPFHandler=1", {}, "1", false, false, true},
        {"UseGPFHandler=0", {}, "0", false, false, false},
        {"tracer switches it off", {}, "1", true, false, false},
        {"tracer with the override", {}, "1", true, true, true},
        {"Force=T wins over a tracer", "T", "0", true, false, true},
        {"Force=0 is final", "0", "1", false, false, false},
        {"Force=Y: still subject to the tracer", "Y", "1", true, false, false},
        {"Force=Y: still subject to UseGPFHandler", "Y", "0", false, false, false},
        {"Force=Y with Use=1", "Y", "1", false, false, true},
    };
    for (const auto &row : rows) {
        Switches switches;
        switches.forceUseGPFHandler = row.force;
        switches.useGPFHandler = row.use;
        EXPECT_EQ(decideCrashHandler(switches, row.tracer, row.override_), row.expected) << row.name;
    }
}

TEST(CrashSwitch, TracerPid)
{
    EXPECT_EQ(tracerPidFromStatus("Name:\tx\nState:\tR\nTracerPid:\t0\nUid:\t1\n"), 0);
    EXPECT_EQ(tracerPidFromStatus("Name:\tx\nTracerPid:\t4711\nUid:\t1\n"), 4711);
    EXPECT_EQ(tracerPidFromStatus("Name:\tx\n"), 0);
    EXPECT_FALSE(isDebuggerAttached()); // the tests do not run under a tracer
}
