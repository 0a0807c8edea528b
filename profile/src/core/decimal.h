#pragma once
// Locale-independent, correctly rounded decimal-to-double conversion.

namespace tbpr {

// Reads the longest prefix of text that forms a number (leading white space
// skipped; inf, infinity and nan accepted; no hexadecimal floats). A text
// without a number gives 0.0. When end is given it receives the position
// after the number (text itself when none was read).
double decimalToDouble(const char *text, const char **end = nullptr);

} // namespace tbpr
