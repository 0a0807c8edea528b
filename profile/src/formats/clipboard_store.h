#pragma once
// Where a copied profile waits to be pasted. The default backend is a
// per-user store of files, shared by the processes of one user session and
// usable without a display.
#include <memory>
#include <optional>
#include <string>

namespace tbpr {

inline constexpr const char *kClipboardFormatName = "QvxProfCBFormat";
inline constexpr const char *kClipboardText = "PROF data available";

class ClipboardBackend {
public:
    virtual ~ClipboardBackend() = default;
    // Places the profile bytes (and the plain-text notice); 0, -3 or -8.
    virtual int write(const std::string &profileBytes) = 0;
    // The profile bytes, or nullopt when the clipboard holds none (or cannot be read).
    virtual std::optional<std::string> read() = 0;
    virtual bool available() = 0;
};

// Files under $XDG_RUNTIME_DIR/tbpr14/clipboard/ (or /tmp/tbpr14-<uid>/clipboard/),
// each written under a temporary name and renamed into place.
class FileStoreClipboard : public ClipboardBackend {
public:
    int write(const std::string &profileBytes) override;
    std::optional<std::string> read() override;
    bool available() override;

    // The store's directory for the current environment.
    static std::string directory();
};

ClipboardBackend &clipboardBackend();

} // namespace tbpr
