#include "core/string_ops.h"

#include "core/format.h"
#include "core/mb_text.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace tbpr {
namespace {

// Byte offset after skipping n characters (stops at the end).
size_t skipCharacters(std::string_view text, size_t n, const CodePage &page)
{
    if (!page.multibyte())
        return std::min(n, text.size());
    const std::string copy(text); // charLength needs the terminator
    size_t offset = 0;
    while (n > 0 && offset < copy.size()) {
        offset += page.charLength(copy.c_str() + offset);
        --n;
    }
    return std::min(offset, copy.size());
}

} // namespace

std::string partOf(std::string_view text, uint32_t start, uint32_t count, TextUnit unit, const CodePage &page)
{
    if (count == 0)
        return {};
    if (unit == TextUnit::Bytes) {
        if (start >= text.size())
            return {};
        return std::string(text.substr(start, count == kToTheEnd ? std::string_view::npos : count));
    }
    const size_t from = skipCharacters(text, start, page);
    if (from >= text.size())
        return {};
    const std::string_view rest = text.substr(from);
    if (count == kToTheEnd)
        return std::string(rest);
    return std::string(rest.substr(0, skipCharacters(rest, count, page)));
}

std::string lastCharacters(std::string_view text, size_t n, const CodePage &page)
{
    if (text.empty())
        return {};
    if (n == 0)
        return std::string(text.substr(text.size() - 1));
    const std::string copy(text);
    const char *start = copy.c_str();
    const char *p = start + copy.size();
    while (n > 0 && p > start) {
        p = MbCharPrev(p, start, page);
        --n;
    }
    return std::string(p);
}

std::string environmentValue(const char *name)
{
    const char *value = name ? std::getenv(name) : nullptr;
    return value ? std::string(value) : std::string();
}

std::string systemErrorText(int code)
{
    char buffer[256];
    // GNU strerror_r returns the message, possibly not in the buffer.
    const char *message = strerror_r(code, buffer, sizeof buffer);
    if (!message || !*message || std::strncmp(message, "Unknown error", 13) == 0)
        return format("(error code %#08x)", static_cast<unsigned>(code));
    std::string text(message);
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.pop_back();
    return text + format(" (%08x)", static_cast<unsigned>(code));
}

} // namespace tbpr
