#pragma once
// Reads a whole file or stream into memory and hands it out line by line:
// blank lines and leading blanks are skipped, UTF-16 lines come back as
// narrow text in the configured code page.
#include "core/code_page.h"
#include "core/file.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tbpr {

class LineReader {
public:
    // Reads from position 0; ok() is false when the source could not be read whole.
    LineReader(File &file, bool utf16, const CodePage &page = currentCodePage());
    // Over bytes already in memory (8-bit) or UTF-16LE bytes.
    LineReader(std::string_view bytes, bool utf16, const CodePage &page = currentCodePage());

    bool ok() const { return ok_; }
    // The next line, or nullopt at the end. The view lives until the next call.
    std::optional<std::string_view> next();

private:
    void allocate(size_t bytes);

    bool utf16_;
    const CodePage &page_;
    bool ok_ = true;
    // The whole source, uninitialised until read (no zero-filling of large files).
    std::unique_ptr<char[]> narrow_;
    std::unique_ptr<char16_t[]> wide_;
    size_t length_ = 0; // in bytes (8-bit) or units (UTF-16)
    size_t position_ = 0;
    std::string converted_;
};

} // namespace tbpr
