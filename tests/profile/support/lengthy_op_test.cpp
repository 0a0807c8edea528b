#include "channel_fixture.h"
#include "fake_log.h"
#include "support/lengthy_op.h"
#include "support/sibling_libraries.h"

#include <gtest/gtest.h>

using namespace tbpr::support;

namespace {

// Runs with libtbct14.so on LD_LIBRARY_PATH.
class LanguageEnv {
public:
    explicit LanguageEnv(const char *lang)
    {
        for (const char *name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES"})
            unsetenv(name);
        setenv("LANG", lang, 1);
    }
    ~LanguageEnv() { unsetenv("LANG"); }
};

} // namespace

TEST(LengthyOp, DialogTextsAndPercentages)
{
    faketest::FakeLog log;
    LanguageEnv english("C");
    {
        ProgressSettings settings;
        settings.showDialog = true;
        LengthyOpCond progress(settings);
        progress.setStep(2, "");
        progress.setPerc(40);
        progress.setPerc(250);
        progress.setText("t", 3);
    }
    const std::vector<std::string> expected = {
        "libtbct14 CtlJobOpen",
        "libtbct14 CtlAbortDlgStartW 0|Please wait...|Retrieving module information|0",
        "libtbct14 CtlAbortDlgSetTextW 42|(null)|50",
        "libtbct14 CtlAbortDlgSetTextW 42|(null)|70",  // step 2 of 2 at 40
        "libtbct14 CtlAbortDlgSetTextW 42|(null)|100", // 250 is capped within the step
        "libtbct14 CtlAbortDlgSetTextW 42|t|-1",
        "libtbct14 CtlAbortDlgSetTextW 42|(null)|51",
        "libtbct14 CtlAbortDlgEnd 42",
        "libtbct14 CtlJobClose",
    };
    EXPECT_EQ(log.lines(), expected);
    EXPECT_EQ(LengthyOpCond::overallPercent(2, 2, 40), 70);
    EXPECT_EQ(LengthyOpCond::overallPercent(1, 1, 40), 40);
}

TEST(LengthyOp, GermanDefaults)
{
    faketest::FakeLog log;
    LanguageEnv german("de_DE.UTF-8");
    {
        ProgressSettings settings;
        settings.showDialog = true;
        LengthyOpCond progress(settings);
    }
    EXPECT_EQ(
        log.count("libtbct14 CtlAbortDlgStartW 0|Bitte warten Sie...|Modul-Information wird eingelesen|0"),
        1);

    const EnvLookup first = [](const char *name) -> const char * {
        return std::string(name) == "LC_MESSAGES" ? "en_US" : std::string(name) == "LANG" ? "de_DE" : nullptr;
    };
    EXPECT_FALSE(userLanguageIsGerman(first)); // the first variable set decides
}

TEST(LengthyOp, WithoutDialogLinesGoToTheChannel)
{
    channeltest::ChannelWithViewer setup(true, true);
    setup.drain();
    LengthyOpCond progress(ProgressSettings{});
    progress.setText("t", 3);
    progress.setPerc(40);
    progress.setStep(2, "base");
    progress.setInfo("info");
    std::vector<std::string> texts;
    for (const auto &line : setup.drain())
        texts.push_back(channeltest::textOf(line));
    const std::vector<std::string> expected = {
        "clsLengthyOpCond::SetText(t,3)", "clsLengthyOpCond::SetPerc(40/1)", "clsLengthyOpCond::SetPerc(0/2)",
        "clsLengthyOpCond::SetInfo(base", "info)"};
    EXPECT_EQ(texts, expected);
}

TEST(ControlLibrary, RecordsTheVersionAndOwnsItsJob)
{
    faketest::FakeLog log;
    {
        ControlLibrary control;
        ASSERT_TRUE(control.ensureLoaded(true));
        EXPECT_EQ(control.foundVersion(), 14);
        EXPECT_EQ(controlLibraryVersion(), 14);
        EXPECT_EQ(log.lines(), std::vector<std::string>{"libtbct14 CtlJobOpen"});
    }
    const std::vector<std::string> expected = {"libtbct14 CtlJobOpen", "libtbct14 CtlJobClose"};
    EXPECT_EQ(log.lines(), expected);
}
