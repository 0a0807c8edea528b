// The profile library's embedded content: any text decoded as an embedded file, with and without
// a password.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "embed/embedded_content.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    std::string content;
    tbpr::embed::decodeEmbeddedContent(text, "", content);
    tbpr::embed::decodeEmbeddedContent(text, "Geheim", content);
    return 0;
}
