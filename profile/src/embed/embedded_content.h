#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tbpr::embed {

// Sources of this size or more cannot be stored: the packed block keeps the
// length in 32 bits.
constexpr std::uint64_t kMaxEmbeddedSize = 0xFFFFFFFFull;

// The text form of a file's content: "@2@" + Base64 of [length LE32 |
// "QvX_Packed\0" | zlib stream], enciphered when a password is given. Empty
// content gives the empty text; nullopt when the content is too large or
// cannot be compressed.
std::optional<std::string> encodeEmbeddedContent(std::string_view content, std::string_view password);

enum class DecodeResult {
    Ok,
    Empty,   // the value text is empty
    Corrupt, // magic, inflation or length check failed (also a wrong password)
};

// Reads "@2@", the legacy "@1@" and plain Base64. On anything but Ok the
// content is left as it was.
DecodeResult decodeEmbeddedContent(std::string_view text, std::string_view password, std::string &content);

} // namespace tbpr::embed
