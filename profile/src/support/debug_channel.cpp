#include "support/debug_channel.h"

#include "core/format.h"
#include "support/debug_print.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace tbpr::support {

namespace {

std::size_t utf8Length(const char *p)
{
    const auto lead = static_cast<unsigned char>(*p);
    std::size_t n = lead >= 0xF0 && lead <= 0xF4   ? 4
                    : lead >= 0xE0                 ? 3
                    : lead >= 0xC2 && lead <= 0xDF ? 2
                                                   : 1;
    if (lead >= 0xF5)
        n = 1;
    for (std::size_t i = 1; i < n; ++i) {
        if ((static_cast<unsigned char>(p[i]) & 0xC0) != 0x80)
            return 1;
    }
    return n;
}

// A slow viewer may hold a line this long before it is dropped.
constexpr int kSendTimeoutMs = 250;

} // namespace

DebugChannel::DebugChannel(const std::string &dir, ChannelIdentity identity, bool monotonicTimes)
    : dir_(dir), identity_(std::move(identity)), monotonic_(monotonicTimes), systemSink_(&systemDebugString),
      charLength_(&utf8Length)
{
    if (!prepareLogspyDir(dir_)) {
        systemSink_("LOGSPY global info struct cannot be created");
        return;
    }
    block_ = std::make_unique<ViewerPidBlock>(dir_);
    if (!block_->isOpen()) {
        systemSink_("_pLOGSPYInfo FAIL");
        block_.reset();
    }
}

DebugChannel::~DebugChannel()
{
    if (socket_ >= 0)
        ::close(socket_);
}

void DebugChannel::attachAtLoad()
{
    // The viewer publishes its own pid; there is nothing to look up here.
    if (hasView() && block_->load() != 0)
        attach();
}

void DebugChannel::attach()
{
    std::lock_guard guard(lock_);
    if (!hasView())
        return;
    const pid_t viewer = block_->load();
    if (viewer == 0)
        return;
    attached_ = viewer;
    socket_ = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string path = dir_ + "/sock";
    bool connected = false;
    if (socket_ >= 0 && path.size() < sizeof address.sun_path) {
        std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
        const timeval timeout{0, kSendTimeoutMs * 1000};
        setsockopt(socket_, SOL_SOCKET, SO_SNDTIMEO, &timeout, sizeof timeout);
        connected = connect(socket_, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
    }
    if (!connected) {
        systemSink_("DebugPipe FAIL");
        if (socket_ >= 0)
            ::close(socket_);
        socket_ = -1;
    }
    if (identity_.hostPath != identity_.libraryPath)
        output(0, "++%s [%s] [%s]", identity_.banner.c_str(), identity_.hostPath.c_str(),
               identity_.libraryPath.c_str());
    else
        output(0, "++%s [%s]", identity_.banner.c_str(), identity_.hostPath.c_str());
}

void DebugChannel::detach()
{
    std::lock_guard guard(lock_);
    if (!hasView())
        return;
    if (processAlive(attached_))
        output(0, "--%s [%s]", identity_.banner.c_str(), identity_.hostPath.c_str());
    else
        attached_ = 0; // a dead viewer: nothing left to send to
    if (socket_ >= 0)
        ::close(socket_);
    socket_ = -1;
}

void DebugChannel::checkReattach(bool reattachAllowed)
{
    std::lock_guard guard(lock_);
    if (!hasView())
        return;
    const pid_t shared = block_->load();
    if (shared == attached_ && (shared == 0 || processAlive(shared)))
        return;
    systemSink_("trying to reattach to LOGSPY2");
    detach();
    if (reattachAllowed && processAlive(shared))
        attach();
}

bool DebugChannel::isActive()
{
    std::lock_guard guard(lock_);
    checkReattach(true);
    return socket_ >= 0 || attached_ != 0;
}

void DebugChannel::addIndentation(int delta)
{
    indentation_ += delta;
    if (indentation_ < 0)
        indentation_ = 0;
}

std::string DebugChannel::timePart()
{
    char buffer[64];
    const unsigned tid = unsigned(gettid());
    timespec now{};
    if (monotonic_) {
        clock_gettime(CLOCK_MONOTONIC, &now);
        const std::int64_t ms = std::int64_t(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
        if (!timeBaseSet_) {
            timeBaseMs_ = ms;
            timeBaseSet_ = true;
        }
        const std::uint64_t elapsed = std::uint64_t(ms - timeBaseMs_);
        std::snprintf(buffer, sizeof buffer, "%02u:%02u.%03u %08x ", unsigned(elapsed / 60000 % 60),
                      unsigned(elapsed / 1000 % 60), unsigned(elapsed % 1000), tid);
    } else {
        clock_gettime(CLOCK_REALTIME, &now);
        tm local{};
        localtime_r(&now.tv_sec, &local);
        std::snprintf(buffer, sizeof buffer, "%02u:%02u:%02u.%03u %08x ", unsigned(local.tm_hour),
                      unsigned(local.tm_min), unsigned(local.tm_sec), unsigned(now.tv_nsec / 1000000), tid);
    }
    const int indent = indentation_ > kMaxIndentation ? kMaxIndentation : indentation_;
    // The field holds an empty text in a width of indentation + 1.
    return std::string(buffer) + std::string(std::size_t(indent), ' ');
}

void DebugChannel::output(int delta, const char *format, ...)
{
    va_list args;
    va_start(args, format);
    outputV(delta, format, args);
    va_end(args);
}

void DebugChannel::outputV(int delta, const char *format, va_list args)
{
    std::lock_guard guard(lock_);
    if (!isActive())
        return;
    if (!format) {
        addIndentation(delta);
        return;
    }
    if (delta < 0)
        addIndentation(delta);
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "%-8s: ", identity_.moduleName.c_str());
    std::string line = prefix + timePart();
    line += tbpr::formatV(format, args);
    if (line.size() > kMaxLine) {
        std::size_t cut = 0;
        while (cut < kMaxLine) {
            const std::size_t n = charLength_(line.data() + cut);
            if (cut + n > kMaxLine)
                break;
            cut += n;
        }
        line.resize(cut);
    }
    sendText(line);
    if (delta > 0)
        addIndentation(delta);
}

void DebugChannel::sendText(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == '\r' || text[i] == '\n'))
        ++i;
    if (i == text.size())
        return;
    std::string line;
    line.reserve(kPieceSize);
    while (i < text.size()) {
        const char c = text[i];
        if (c == '\a') { // the beep has no place here
            ++i;
            continue;
        }
        if (c == '\r' || c == '\n') {
            sendLine(line);
            line.clear();
            ++i;
            if (i < text.size() && (text[i] == '\r' || text[i] == '\n'))
                ++i;
            continue;
        }
        const std::size_t n = c == '\0' ? 1 : charLength_(text.data() + i);
        const std::size_t take = i + n <= text.size() ? n : text.size() - i;
        if (line.size() + take > kPieceSize) {
            sendLine(line);
            line.clear();
        }
        line.append(text.data() + i, take);
        i += take;
        if (line.size() == kPieceSize) {
            sendLine(line);
            line.clear();
        }
    }
    if (!line.empty())
        sendLine(line);
}

void DebugChannel::sendLine(std::string_view line)
{
    if (socket_ < 0)
        return;
    std::string datagram(line);
    datagram += '\r';
    const ssize_t sent = send(socket_, datagram.data(), datagram.size(), MSG_NOSIGNAL);
    if (sent != ssize_t(datagram.size()))
        systemSink_("LOGSPY: cannot write data!");
}

} // namespace tbpr::support
