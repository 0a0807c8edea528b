#pragma once
// Operations on narrow text that respect the characters of a code page.
#include "core/code_page.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tbpr {

// Count meaning "to the end" in partOf.
inline constexpr uint32_t kToTheEnd = 0x7FFFFFFE;

enum class TextUnit { Bytes, Characters };

// count bytes (or characters) after skipping start bytes (or characters).
std::string partOf(std::string_view text, uint32_t start, uint32_t count, TextUnit unit,
                   const CodePage &page = currentCodePage());
// The last n characters; n = 0 gives the last byte.
std::string lastCharacters(std::string_view text, size_t n, const CodePage &page = currentCodePage());
// The value of an environment variable; empty when unset.
std::string environmentValue(const char *name);
// "<system message> (0000000c)"; "(error code 0x0000000c)" for an unknown code.
std::string systemErrorText(int code);

} // namespace tbpr
