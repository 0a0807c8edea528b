#pragma once
// The debug-output channel: finds the viewer through the runtime directory,
// formats each diagnostic as one line (module name, time, thread id,
// indentation, text) and sends it in pieces the viewer accepts.
#include "support/logspy_runtime.h"

#include <cstdarg>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <sys/types.h>

namespace tbpr::support {

struct ChannelIdentity {
    std::string moduleName;  // line prefix, e.g. "TBPR14"
    std::string banner;      // e.g. "TBPR14 14.2"
    std::string hostPath;    // the program
    std::string libraryPath; // the library itself
};

class DebugChannel {
public:
    static constexpr std::size_t kMaxLine = 1024;
    static constexpr std::size_t kPieceSize = 510;
    static constexpr int kMaxIndentation = 30;

    using SystemSink = void (*)(const char *text);
    // Bytes of the character at p (never 0); the channel never cuts inside one.
    using CharLength = std::size_t (*)(const char *p);

    // dir: the viewer's runtime directory; created when missing. Times are
    // relative to the first line with monotonicTimes, else wall-clock times.
    DebugChannel(const std::string &dir, ChannelIdentity identity, bool monotonicTimes);
    ~DebugChannel();
    DebugChannel(const DebugChannel &) = delete;
    DebugChannel &operator=(const DebugChannel &) = delete;

    void setSystemSink(SystemSink sink) { systemSink_ = sink; }
    void setCharLength(CharLength length) { charLength_ = length; }

    // At load: attaches when a viewer has published itself.
    void attachAtLoad();
    void attach();
    void detach();
    void checkReattach(bool reattachAllowed);
    bool isActive();

    void output(int delta, const char *format, ...) __attribute__((format(printf, 3, 4)));
    void outputV(int delta, const char *format, va_list args);
    // Cuts text into lines (CR/LF breaks, 510-character pieces) and sends them.
    void sendText(std::string_view text);

    bool hasView() const { return block_ && block_->isOpen(); }
    int indentation() const { return indentation_; }

private:
    void sendLine(std::string_view line);
    void addIndentation(int delta);
    std::string timePart();

    std::recursive_mutex lock_;
    std::string dir_;
    std::unique_ptr<ViewerPidBlock> block_;
    ChannelIdentity identity_;
    int indentation_ = 0;
    int socket_ = -1;
    pid_t attached_ = 0;
    bool monotonic_;
    bool timeBaseSet_ = false;
    std::int64_t timeBaseMs_ = 0;
    SystemSink systemSink_;
    CharLength charLength_;
};

} // namespace tbpr::support
