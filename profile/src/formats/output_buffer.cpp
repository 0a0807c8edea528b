#include "formats/output_buffer.h"

namespace tbpr {
namespace {

constexpr size_t kBlock = 1 << 16;

} // namespace

void OutputBuffer::narrow(std::string_view text)
{
    pending_.append(text);
    spill();
}

void OutputBuffer::wide(std::u16string_view text)
{
    const size_t at = pending_.size();
    pending_.resize(at + 2 * text.size());
    char *out = pending_.data() + at;
    for (char16_t unit : text) {
        *out++ = static_cast<char>(unit & 0xFF);
        *out++ = static_cast<char>(unit >> 8);
    }
    spill();
}

void OutputBuffer::wideAscii(std::string_view ascii)
{
    const size_t at = pending_.size();
    pending_.resize(at + 2 * ascii.size());
    char *out = pending_.data() + at;
    for (char c : ascii) {
        *out++ = c;
        *out++ = '\0';
    }
    spill();
}

void OutputBuffer::spill()
{
    if (pending_.size() >= kBlock)
        flush();
}

bool OutputBuffer::flush()
{
    if (!pending_.empty()) {
        if (ok_ && file_.write(pending_.data(), pending_.size()) != pending_.size())
            ok_ = false;
        pending_.clear();
    }
    return ok_;
}

} // namespace tbpr
