#pragma once
// The text forms of the typed profile values, in both directions. Numbers
// are written and read without regard to the process locale.
#include <cstdint>
#include <optional>
#include <string>

namespace tbpr {

struct PointValue {
    int32_t x;
    int32_t y;
};
struct RectValue {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

std::string formatBool(int value);                  // "TRUE" / "FALSE"
std::string formatInt(int32_t value);               // "%d"
std::string formatIntHex(int32_t value);            // "x%04X"
std::string formatLongHex(int32_t value);           // "x%08X"
std::string formatDouble(double value);             // "%f": six decimals, no exponent
std::string formatPoint(const PointValue &value);   // "(x,y)"
std::string formatRect(const RectValue &value);     // "(l,t,r,b)"
std::string formatRectLTWH(const RectValue &value); // "(l,t,w,h)"
std::string formatColorref(uint32_t value);         // "(r,g,b)"

bool parseBool(const char *text); // first byte "T" or "Y"
// "x" + 1 to 8 hexadecimal digits, else a decimal number in range; nullopt otherwise.
std::optional<int32_t> parseInt(const char *text);
// A decimal number (leading blanks, sign) in range; trailing text ignored.
std::optional<int32_t> parseDecimal(const char *text);
std::optional<double> parseDouble(const char *text);
std::optional<PointValue> parsePoint(const char *text);
std::optional<RectValue> parseRect(const char *text);
std::optional<RectValue> parseRectLTWH(const char *text);
// "x" + hexadecimal (the whole 0x00bbggrr value), else "(r,g,b)" cut to bytes.
std::optional<uint32_t> parseColorref(const char *text);

} // namespace tbpr
