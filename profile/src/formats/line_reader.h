#pragma once
// Reads a whole file or stream into memory and hands it out line by line:
// blank lines and leading blanks are skipped, UTF-16 lines come back as
// narrow text in the configured code page.
#include "core/code_page.h"
#include "core/file.h"

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
    void load(std::string_view bytes);

    bool utf16_;
    const CodePage &page_;
    bool ok_ = true;
    std::string narrow_;
    std::u16string wide_;
    size_t position_ = 0;
    std::string converted_;
};

} // namespace tbpr
