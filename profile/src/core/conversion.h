#pragma once
// Conversion between narrow text in a code page and UTF-16. Characters the
// target cannot hold become "?" (narrowing) or U+FFFD (widening).
#include "core/code_page.h"

#include <string>
#include <string_view>

namespace tbpr {

std::u16string widen(std::string_view text, const CodePage &page);
std::string narrow(std::u16string_view text, const CodePage &page);

// narrow() into an existing string (its capacity is reused).
void narrowInto(std::u16string_view text, const CodePage &page, std::string &out);

inline std::u16string widen(std::string_view text)
{
    return widen(text, currentCodePage());
}
inline std::string narrow(std::u16string_view text)
{
    return narrow(text, currentCodePage());
}

// Appends one code point as one or two UTF-16 units.
void appendCodePoint(std::u16string &out, char32_t code);

// Length of a UTF-16 text up to its terminator (null gives 0).
size_t wideLength(const char16_t *text);

// The longest prefix of at most maxUnits units that does not split a surrogate pair.
size_t wideCutLength(std::u16string_view text, size_t maxUnits);

} // namespace tbpr
