#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tbpr::embed {

// Standard alphabet with "=" padding, no line breaks.
std::string base64Encode(const std::uint8_t *data, std::size_t size);

enum class Base64Groups {
    Padded, // a group yields 0 to 3 bytes by its own "=" characters
    Whole,  // every group yields 3 bytes (the legacy form)
};

// Characters outside the alphabet (line breaks, blanks, "@") are skipped; "="
// counts as a character of its group and decodes as zero. The byte count of
// a group is judged on the four characters it collected, wherever they stood.
std::vector<std::uint8_t> base64Decode(std::string_view text, Base64Groups groups);

} // namespace tbpr::embed
