#include "formats/line_reader.h"

#include "core/conversion.h"

namespace tbpr {

LineReader::LineReader(File &file, bool utf16, const CodePage &page) : utf16_(utf16), page_(page)
{
    const uint64_t size = file.size();
    if (size == ~0ULL || size > (1ULL << 40)) {
        ok_ = false;
        return;
    }
    std::string bytes(static_cast<size_t>(size), '\0');
    // A short read is a failure: loading a part as the whole would later be
    // saved over the file.
    if (file.readAt(0, bytes.data(), bytes.size()) != bytes.size()) {
        ok_ = false;
        return;
    }
    load(bytes);
}

LineReader::LineReader(std::string_view bytes, bool utf16, const CodePage &page) : utf16_(utf16), page_(page)
{
    load(bytes);
}

void LineReader::load(std::string_view bytes)
{
    if (!utf16_) {
        narrow_.assign(bytes);
        return;
    }
    const size_t units = bytes.size() / 2;
    wide_.resize(units);
    for (size_t i = 0; i < units; ++i) {
        wide_[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
    }
    if (!wide_.empty() && wide_[0] == 0xFEFF)
        position_ = 1;
}

std::optional<std::string_view> LineReader::next()
{
    auto skipBlank = [](auto c) { return c == '\r' || c == '\n' || c == ' ' || c == '\t'; };
    if (!utf16_) {
        // A zero byte ends the text, as the terminator of the whole buffer would.
        while (position_ < narrow_.size() && skipBlank(narrow_[position_]))
            ++position_;
        if (position_ >= narrow_.size() || narrow_[position_] == '\0')
            return std::nullopt;
        const size_t end = narrow_.find_first_of(std::string_view("\r\n\0", 3), position_);
        const size_t stop = end == std::string::npos ? narrow_.size() : end;
        std::string_view line(narrow_.data() + position_, stop - position_);
        position_ = stop;
        return line;
    }
    while (position_ < wide_.size() && skipBlank(wide_[position_]))
        ++position_;
    if (position_ >= wide_.size() || wide_[position_] == 0)
        return std::nullopt;
    size_t stop = position_;
    while (stop < wide_.size() && wide_[stop] != '\r' && wide_[stop] != '\n' && wide_[stop] != 0)
        ++stop;
    converted_ = narrow(std::u16string_view(wide_.data() + position_, stop - position_), page_);
    position_ = stop;
    return std::string_view(converted_);
}

} // namespace tbpr
