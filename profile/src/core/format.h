#pragma once
// printf-style formatting into std::string, independent of the host's locale.
// A null "%s" (or "%n") argument turns the whole result into
// "<printf format error>" instead of crashing or printing "(null)".
#include <cstdarg>
#include <string>

namespace tbpr {

inline constexpr const char *kPrintfFormatError = "<printf format error>";

std::string format(const char *fmt, ...) __attribute__((format(printf, 1, 2)));
std::string formatV(const char *fmt, va_list args);

} // namespace tbpr
