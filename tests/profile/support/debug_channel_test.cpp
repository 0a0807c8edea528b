#include "channel_fixture.h"

#include <gtest/gtest.h>

#include <regex>
#include <sys/wait.h>
#include <unistd.h>

using channeltest::ChannelWithViewer;
using channeltest::textOf;
using tbpr::support::DebugChannel;
using tbpr::support::LogspyViewer;

namespace {

std::vector<std::string> systemLines;
void captureSystem(const char *text)
{
    systemLines.push_back(text);
}

} // namespace

TEST(DebugChannel, NoViewerSendsNothing)
{
    ChannelWithViewer setup(false);
    EXPECT_TRUE(setup.channel->hasView());
    EXPECT_FALSE(setup.channel->isActive());
    setup.channel->output(5, "%s", "nobody listens");
    EXPECT_EQ(setup.channel->indentation(), 0); // not even the indentation changes

    // A viewer that starts later is found by the next diagnostic.
    LogspyViewer viewer(setup.dir);
    setup.channel->output(0, "now %d", 1);
    auto enter = viewer.receive(100);
    ASSERT_TRUE(enter);
    EXPECT_EQ(textOf(*enter), "++TBPR14 14.2 [/usr/bin/host] [/usr/lib/libtbpr14.so]");
    auto line = viewer.receive(100);
    ASSERT_TRUE(line);
    EXPECT_EQ(textOf(*line), "now 1");
}

TEST(DebugChannel, LineFormat)
{
    ChannelWithViewer setup;
    setup.drain();
    setup.channel->output(0, "value %d of %s", 3, "x");
    const auto lines = setup.drain();
    ASSERT_EQ(lines.size(), 1u);
    const std::regex format(R"(TBPR14  : \d\d:\d\d:\d\d\.\d\d\d [0-9a-f]{8} value 3 of x)");
    EXPECT_TRUE(std::regex_match(lines[0], format)) << lines[0];
    char tid[16];
    std::snprintf(tid, sizeof tid, "%08x", unsigned(gettid()));
    EXPECT_NE(lines[0].find(tid), std::string::npos);

    // Times relative to the first line: "mm:ss.mmm".
    testsupport::TempDir temp;
    LogspyViewer viewer((temp / "l").string());
    DebugChannel relative((temp / "l").string(), channeltest::testIdentity(), true);
    relative.attachAtLoad();
    viewer.receive(100);
    relative.output(0, "tick");
    auto tick = viewer.receive(100);
    ASSERT_TRUE(tick);
    EXPECT_TRUE(std::regex_match(*tick, std::regex(R"(TBPR14  : \d\d:\d\d\.\d\d\d [0-9a-f]{8} tick)")))
        << *tick;
}

TEST(DebugChannel, LongLineIsCutIntoPieces)
{
    ChannelWithViewer setup;
    setup.drain();
    // 32 characters of head + 1000 of text: cut at 1024, sent as 510 + 510 + 4.
    setup.channel->output(0, "%s", std::string(1000, 'x').c_str());
    const auto lines = setup.drain();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].size(), 510u);
    EXPECT_EQ(lines[0].rfind("TBPR14  : ", 0), 0u);
    EXPECT_EQ(lines[1], std::string(510, 'x'));
    EXPECT_EQ(lines[2], "xxxx");

    // A UTF-8 character is never split across two pieces.
    setup.channel->sendText(std::string(509, 'a') + "\xC3\xA9" + "b");
    const auto utf8 = setup.drain();
    ASSERT_EQ(utf8.size(), 2u);
    EXPECT_EQ(utf8[0], std::string(509, 'a'));
    EXPECT_EQ(utf8[1], "\xC3\xA9"
                       "b");
}

TEST(DebugChannel, LineBreaksAndBell)
{
    struct Case {
        const char *text;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"a\r\nb\n", {"a", "b"}}, {"\r\n\r\nx", {"x"}}, {"a\r\r\nb", {"a", "", "b"}},
        {"a\n\rb", {"a", "b"}},   {"\r\n", {}},         {"be\ael\a", {"beel"}},
    };
    ChannelWithViewer setup;
    setup.drain();
    for (const auto &c : cases) {
        setup.channel->sendText(c.text);
        EXPECT_EQ(setup.drain(), c.lines) << c.text;
    }
}

TEST(DebugChannel, Indentation)
{
    ChannelWithViewer setup;
    setup.drain();
    setup.channel->output(45, nullptr);
    setup.channel->output(0, "deep");
    setup.channel->output(-100, "flat");
    setup.channel->output(2, "before");
    setup.channel->output(0, "after");
    const auto lines = setup.drain();
    ASSERT_EQ(lines.size(), 4u);
    const std::size_t head = 10 + 13 + 8; // before the indentation field
    EXPECT_EQ(lines[0].substr(head), std::string(31, ' ') + "deep");
    EXPECT_EQ(lines[1].substr(head), " flat");
    EXPECT_EQ(lines[2].substr(head), " before");
    EXPECT_EQ(lines[3].substr(head), "   after");
}

TEST(DebugChannel, ViewerRestart)
{
    testsupport::TempDir temp;
    const std::string dir = (temp / "logspy").string();
    // The first viewer is another process, which then dies without tidying up.
    const pid_t first = fork();
    if (first == 0) {
        pause();
        _exit(0);
    }
    auto oldViewer = std::make_unique<LogspyViewer>(dir, first);
    DebugChannel channel(dir, channeltest::testIdentity(), false);
    systemLines.clear();
    channel.setSystemSink(&captureSystem);
    channel.attachAtLoad();
    channel.output(0, "to the first");
    EXPECT_EQ(textOf(*oldViewer->receive(100)).substr(0, 2), "++");
    EXPECT_EQ(textOf(*oldViewer->receive(100)), "to the first");

    kill(first, SIGKILL);
    waitpid(first, nullptr, 0);
    oldViewer.reset();
    LogspyViewer newViewer(dir); // publishes this process's pid

    channel.output(0, "to the second");
    EXPECT_EQ(systemLines, std::vector<std::string>{"trying to reattach to LOGSPY2"});
    std::vector<std::string> lines;
    while (auto line = newViewer.receive(50))
        lines.push_back(textOf(*line));
    // No leave line for the dead viewer; the enter line goes to the new one.
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "++TBPR14 14.2 [/usr/bin/host] [/usr/lib/libtbpr14.so]");
    EXPECT_EQ(lines[1], "to the second");

    // A regular detach says goodbye.
    channel.detach();
    auto leave = newViewer.receive(100);
    ASSERT_TRUE(leave);
    EXPECT_EQ(textOf(*leave), "--TBPR14 14.2 [/usr/bin/host]");
}

TEST(DebugChannel, UnsafeDirectoryIsNotUsed)
{
    testsupport::TempDir temp;
    const std::string dir = (temp / "open").string();
    ASSERT_EQ(mkdir(dir.c_str(), 0777), 0);
    chmod(dir.c_str(), 0777);
    systemLines.clear();
    DebugChannel channel(dir, channeltest::testIdentity(), false);
    EXPECT_FALSE(channel.hasView());
    EXPECT_FALSE(channel.isActive());
}
