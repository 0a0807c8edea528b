#include "embed/embedded_content.h"

#include "embed/base64.h"
#include "embed/blowfish.h"
#include "support/debug_print.h"

#include <cstring>
#include <vector>
#include <zlib.h>

namespace tbpr::embed {

namespace {

constexpr char kMagic[11] = {'Q', 'v', 'X', '_', 'P', 'a', 'c', 'k', 'e', 'd', '\0'};
constexpr std::size_t kHeaderSize = 4 + sizeof kMagic;
constexpr std::size_t kLegacyHeaderSize = 4;
// Below this a block cannot be enciphered (one cipher block).
constexpr std::size_t kCipherMinimum = 8;
// deflate never expands by more than this factor, so a larger stored length
// cannot be genuine.
constexpr std::uint64_t kMaxInflateRatio = 1032;
constexpr std::uint64_t kInflateSlack = 64;

void storeLE32(std::uint8_t *p, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        p[i] = std::uint8_t(v >> (8 * i));
}

std::uint32_t loadLE32(const std::uint8_t *p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

bool startsWithPrefix(std::string_view text, char digit)
{
    return text.size() >= 3 && text[0] == '@' && text[1] == digit && text[2] == '@';
}

// Inflates the zlib stream after the header into exactly the stored length.
bool inflateBlock(const std::vector<std::uint8_t> &block, std::size_t header, std::string &content)
{
    if (block.size() < header)
        return false;
    const std::uint32_t stored = loadLE32(block.data());
    const std::uint64_t compressed = block.size() - header;
    if (stored > compressed * kMaxInflateRatio + kInflateSlack) {
        support::debugPrint("embedded content: stored length %u exceeds what %llu compressed bytes can hold",
                            unsigned(stored), static_cast<unsigned long long>(compressed));
        return false;
    }
    std::string out(stored, '\0');
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK)
        return false;
    zs.next_in = const_cast<Bytef *>(block.data() + header);
    zs.avail_in = uInt(compressed);
    zs.next_out = reinterpret_cast<Bytef *>(out.data());
    zs.avail_out = uInt(stored);
    const int rc = inflate(&zs, Z_FINISH);
    const uLong produced = zs.total_out;
    const bool ended = inflateEnd(&zs) == Z_OK;
    if (rc != Z_STREAM_END || !ended || produced != stored)
        return false;
    content.swap(out);
    return true;
}

} // namespace

std::optional<std::string> encodeEmbeddedContent(std::string_view content, std::string_view password)
{
    if (content.empty())
        return std::string();
    if (content.size() > kMaxEmbeddedSize) {
        support::debugPrint("embedded content: source of %llu bytes is too large",
                            static_cast<unsigned long long>(content.size()));
        return std::nullopt;
    }
    z_stream zs{};
    if (deflateInit2(&zs, 9, Z_DEFLATED, 15, 9, Z_FILTERED) != Z_OK)
        return std::nullopt;
    std::vector<std::uint8_t> block(kHeaderSize + deflateBound(&zs, uLong(content.size())));
    storeLE32(block.data(), std::uint32_t(content.size()));
    std::memcpy(block.data() + 4, kMagic, sizeof kMagic);
    zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(content.data()));
    zs.avail_in = uInt(content.size());
    zs.next_out = block.data() + kHeaderSize;
    zs.avail_out = uInt(block.size() - kHeaderSize);
    const int rc = deflate(&zs, Z_FINISH);
    const uLong compressed = zs.total_out;
    deflateEnd(&zs);
    if (rc != Z_STREAM_END) {
        support::debugPrint("embedded content: compression failed (%d)", rc);
        return std::nullopt;
    }
    block.resize(kHeaderSize + compressed);
    if (!password.empty() && block.size() >= kCipherMinimum)
        Blowfish(password).encode(block.data(), block.size());
    return "@2@" + base64Encode(block.data(), block.size());
}

DecodeResult decodeEmbeddedContent(std::string_view text, std::string_view password, std::string &content)
{
    if (text.empty())
        return DecodeResult::Empty;
    enum class Form { Current, Legacy, Plain } form = Form::Plain;
    if (text[0] == '@') {
        const std::string_view head = text.substr(0, 3);
        auto upper = [](char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; };
        std::string folded;
        for (const char c : head)
            folded += upper(c);
        if (startsWithPrefix(folded, '2'))
            form = Form::Current;
        else if (startsWithPrefix(folded, '1'))
            form = Form::Legacy;
        if (form != Form::Plain)
            text.remove_prefix(3);
    }
    std::vector<std::uint8_t> block =
        base64Decode(text, form == Form::Legacy ? Base64Groups::Whole : Base64Groups::Padded);
    if (!password.empty() && block.size() >= kCipherMinimum)
        Blowfish(password).decode(block.data(), block.size());

    switch (form) {
    case Form::Current:
        if (block.size() < kHeaderSize || std::memcmp(block.data() + 4, kMagic, sizeof kMagic) != 0 ||
            !inflateBlock(block, kHeaderSize, content)) {
            support::debugPrint("embedded content cannot be unpacked (wrong password or damaged value)");
            return DecodeResult::Corrupt;
        }
        return DecodeResult::Ok;
    case Form::Legacy:
        if (!inflateBlock(block, kLegacyHeaderSize, content)) {
            support::debugPrint("embedded content (legacy form) cannot be unpacked");
            return DecodeResult::Corrupt;
        }
        return DecodeResult::Ok;
    case Form::Plain:
        content.assign(block.begin(), block.end());
        return DecodeResult::Ok;
    }
    return DecodeResult::Corrupt;
}

} // namespace tbpr::embed
