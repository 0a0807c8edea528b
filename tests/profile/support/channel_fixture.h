#pragma once
// A debug channel in a private runtime directory with an in-test viewer.
#include "support/debug_channel.h"
#include "support/debug_print.h"
#include "support/logspy_runtime.h"
#include "temp_dir.h"

#include <memory>
#include <string>
#include <vector>

namespace channeltest {

inline tbpr::support::ChannelIdentity testIdentity()
{
    return {"TBPR14", "TBPR14 14.2", "/usr/bin/host", "/usr/lib/libtbpr14.so"};
}

struct ChannelWithViewer {
    testsupport::TempDir temp;
    std::string dir = (temp / "logspy").string();
    std::unique_ptr<tbpr::support::LogspyViewer> viewer;
    std::unique_ptr<tbpr::support::DebugChannel> channel;

    // withViewer: a viewer is running before the channel attaches.
    explicit ChannelWithViewer(bool withViewer = true, bool install = false)
    {
        if (withViewer)
            viewer = std::make_unique<tbpr::support::LogspyViewer>(dir);
        channel = std::make_unique<tbpr::support::DebugChannel>(dir, testIdentity(), false);
        channel->attachAtLoad();
        if (install)
            tbpr::support::setProcessChannel(channel.get());
    }
    ~ChannelWithViewer() { tbpr::support::setProcessChannel(nullptr); }

    // Every line the viewer has received so far.
    std::vector<std::string> drain(int timeoutMs = 20)
    {
        std::vector<std::string> lines;
        while (viewer) {
            auto line = viewer->receive(timeoutMs);
            if (!line)
                break;
            lines.push_back(*line);
        }
        return lines;
    }
};

// The text of a line after its "TBPR14  : hh:mm:ss.mmm tttttttt " head.
inline std::string textOf(const std::string &line)
{
    const std::size_t head = 10 + 13 + 9;
    return line.size() >= head ? line.substr(head) : line;
}

} // namespace channeltest
