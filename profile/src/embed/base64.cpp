#include "embed/base64.h"

#include <array>

namespace tbpr::embed {

namespace {

constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
constexpr std::int8_t kSkip = -1;
constexpr std::int8_t kPad = -2;

constexpr std::array<std::int8_t, 256> makeDecodeTable()
{
    std::array<std::int8_t, 256> table{};
    for (auto &entry : table)
        entry = kSkip;
    for (int i = 0; i < 64; ++i)
        table[static_cast<unsigned char>(kAlphabet[i])] = std::int8_t(i);
    table['='] = kPad;
    return table;
}

constexpr auto kDecode = makeDecodeTable();

} // namespace

std::string base64Encode(const std::uint8_t *data, std::size_t size)
{
    std::string out;
    out.resize((size + 2) / 3 * 4);
    char *o = out.data();
    std::size_t i = 0;
    for (; i + 3 <= size; i += 3) {
        const std::uint32_t v = std::uint32_t(data[i]) << 16 | std::uint32_t(data[i + 1]) << 8 | data[i + 2];
        *o++ = kAlphabet[v >> 18];
        *o++ = kAlphabet[(v >> 12) & 63];
        *o++ = kAlphabet[(v >> 6) & 63];
        *o++ = kAlphabet[v & 63];
    }
    if (const std::size_t rest = size - i; rest != 0) {
        std::uint32_t v = std::uint32_t(data[i]) << 16;
        if (rest == 2)
            v |= std::uint32_t(data[i + 1]) << 8;
        *o++ = kAlphabet[v >> 18];
        *o++ = kAlphabet[(v >> 12) & 63];
        *o++ = rest == 2 ? kAlphabet[(v >> 6) & 63] : '=';
        *o++ = '=';
    }
    return out;
}

std::vector<std::uint8_t> base64Decode(std::string_view text, Base64Groups groups)
{
    std::vector<std::uint8_t> out;
    out.reserve(text.size() / 4 * 3 + 3);
    std::int8_t group[4];
    int collected = 0;
    auto flush = [&](int count) {
        std::uint32_t v = 0;
        for (int k = 0; k < 4; ++k)
            v = v << 6 | std::uint32_t(k < count && group[k] >= 0 ? group[k] : 0);
        const bool pad2 = count < 3 || group[2] == kPad;
        const bool pad3 = pad2 || count < 4 || group[3] == kPad;
        int bytes = 3;
        if (groups == Base64Groups::Padded)
            bytes = group[0] == kPad ? 0 : 1 + (pad2 ? 0 : 1) + (pad3 ? 0 : 1);
        const std::uint8_t decoded[3] = {std::uint8_t(v >> 16), std::uint8_t(v >> 8), std::uint8_t(v)};
        out.insert(out.end(), decoded, decoded + bytes);
    };
    for (const char c : text) {
        const std::int8_t code = kDecode[static_cast<unsigned char>(c)];
        if (code == kSkip)
            continue;
        group[collected++] = code;
        if (collected == 4) {
            flush(4);
            collected = 0;
        }
    }
    // A short last group counts as if padded; a lone character carries no byte.
    if (collected >= 2)
        flush(collected);
    return out;
}

} // namespace tbpr::embed
