#include "core/typed_values.h"

#include "core/decimal.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>

namespace tbpr {
namespace {

bool isBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::string decimal(int64_t value)
{
    char buffer[24];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string hex(uint32_t value, int width)
{
    char digits[9];
    const auto result = std::to_chars(digits, digits + sizeof digits, value, 16);
    std::string text(digits, result.ptr);
    for (char &c : text)
        c = static_cast<char>(c >= 'a' && c <= 'f' ? c - 'a' + 'A' : c);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<size_t>(width) - text.size(), '0');
    return "x" + text;
}

// Reads a decimal number as sscanf's "%d" would, but refuses overflow.
// Returns the position after it, or nullptr when there is none.
const char *readDecimal(const char *p, int32_t &value)
{
    while (isBlank(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    if (*p < '0' || *p > '9')
        return nullptr;
    int64_t magnitude = 0;
    while (*p >= '0' && *p <= '9') {
        magnitude = magnitude * 10 + (*p++ - '0');
        if (magnitude > 2147483648LL)
            return nullptr;
    }
    if (!negative && magnitude > 2147483647LL)
        return nullptr;
    value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    return p;
}

// "x" followed by 1 to 8 hexadecimal digits; nullopt when absent or too long.
std::optional<uint32_t> readHex(const char *text)
{
    if (!text || text[0] != 'x')
        return std::nullopt;
    const char *p = text + 1;
    while (isBlank(*p))
        ++p;
    const char *start = p;
    while (std::isxdigit(static_cast<unsigned char>(*p)))
        ++p;
    const size_t digits = static_cast<size_t>(p - start);
    if (digits == 0 || digits > 8)
        return std::nullopt;
    uint32_t value = 0;
    std::from_chars(start, p, value, 16);
    return value;
}

// "(" then count numbers separated by ",".
bool readTuple(const char *text, int32_t *values, int count)
{
    if (!text || *text != '(')
        return false;
    const char *p = text + 1;
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            if (*p != ',')
                return false;
            ++p;
        }
        p = readDecimal(p, values[i]);
        if (!p)
            return false;
    }
    return true;
}

int32_t wrapping(int64_t value)
{
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
}

} // namespace

std::string formatBool(int value)
{
    return value ? "TRUE" : "FALSE";
}

std::string formatInt(int32_t value)
{
    return decimal(value);
}

std::string formatIntHex(int32_t value)
{
    return hex(static_cast<uint32_t>(value), 4);
}

std::string formatLongHex(int32_t value)
{
    return hex(static_cast<uint32_t>(value), 8);
}

std::string formatDouble(double value)
{
    if (std::isnan(value))
        return std::signbit(value) ? "-nan" : "nan";
    if (std::isinf(value))
        return value < 0 ? "-inf" : "inf";
    // Up to 309 integer digits, the point and six decimals.
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
    return std::string(buffer, result.ptr);
}

std::string formatPoint(const PointValue &value)
{
    return "(" + decimal(value.x) + "," + decimal(value.y) + ")";
}

std::string formatRect(const RectValue &value)
{
    return "(" + decimal(value.left) + "," + decimal(value.top) + "," + decimal(value.right) + "," +
           decimal(value.bottom) + ")";
}

std::string formatRectLTWH(const RectValue &value)
{
    const RectValue ltwh{value.left, value.top, wrapping(int64_t{value.right} - value.left),
                         wrapping(int64_t{value.bottom} - value.top)};
    return formatRect(ltwh);
}

std::string formatColorref(uint32_t value)
{
    return "(" + decimal(value & 0xFF) + "," + decimal((value >> 8) & 0xFF) + "," +
           decimal((value >> 16) & 0xFF) + ")";
}

bool parseBool(const char *text)
{
    return text && (text[0] == 'T' || text[0] == 'Y');
}

std::optional<int32_t> parseInt(const char *text)
{
    if (!text)
        return std::nullopt;
    if (text[0] == 'x') {
        if (auto value = readHex(text))
            return static_cast<int32_t>(*value);
    }
    return parseDecimal(text);
}

std::optional<int32_t> parseDecimal(const char *text)
{
    int32_t value = 0;
    if (!text || !readDecimal(text, value))
        return std::nullopt;
    return value;
}

std::optional<double> parseDouble(const char *text)
{
    const char *end = nullptr;
    const double value = decimalToDouble(text, &end);
    if (!text || end == text)
        return std::nullopt;
    return value;
}

std::optional<PointValue> parsePoint(const char *text)
{
    int32_t v[2];
    if (!readTuple(text, v, 2))
        return std::nullopt;
    return PointValue{v[0], v[1]};
}

std::optional<RectValue> parseRect(const char *text)
{
    int32_t v[4];
    if (!readTuple(text, v, 4))
        return std::nullopt;
    return RectValue{v[0], v[1], v[2], v[3]};
}

std::optional<RectValue> parseRectLTWH(const char *text)
{
    auto rect = parseRect(text);
    if (!rect)
        return std::nullopt;
    rect->right = wrapping(int64_t{rect->left} + rect->right);
    rect->bottom = wrapping(int64_t{rect->top} + rect->bottom);
    return rect;
}

std::optional<uint32_t> parseColorref(const char *text)
{
    if (auto value = readHex(text))
        return *value;
    int32_t v[3];
    if (!readTuple(text, v, 3))
        return std::nullopt;
    return static_cast<uint32_t>(v[0] & 0xFF) | static_cast<uint32_t>(v[1] & 0xFF) << 8 |
           static_cast<uint32_t>(v[2] & 0xFF) << 16;
}

} // namespace tbpr
