#pragma once

#include <optional>

#include <QString>

// Text as it stands inside a rich-text (RTF) run: the report export and the
// letter files write their text through this one routine.
namespace base::rtf {

// How characters outside ASCII are written: always as "\uN?" (signed 16-bit
// code units), or as "\'hh" where Windows 1252 has the character and as
// "\uN?" otherwise.
enum class NonAscii { Unicode, Windows1252 };

// "\", "{" and "}" escaped, a line end (LF, CR LF or U+2028) as "\line ", a tab
// as "\tab "; other control characters (a lone CR too) are dropped.
QString escaped(const QString &text, NonAscii form);

// The Windows 1252 byte of a character, if that code page has it.
std::optional<unsigned char> windows1252Byte(char16_t ch);

} // namespace base::rtf
