#include "formats/line_reader.h"

#include "core/conversion.h"

#include <bit>
#include <cstring>

namespace tbpr {
namespace {

// UTF-16LE sources are read straight into char16_t units.
static_assert(std::endian::native == std::endian::little);

template <typename Unit> bool isBlank(Unit c)
{
    return c == '\r' || c == '\n' || c == ' ' || c == '\t';
}

} // namespace

void LineReader::allocate(size_t bytes)
{
    if (utf16_) {
        length_ = bytes / 2;
        wide_.reset(new char16_t[length_ + 1]);
    } else {
        length_ = bytes;
        narrow_.reset(new char[length_ + 1]);
    }
}

LineReader::LineReader(File &file, bool utf16, const CodePage &page) : utf16_(utf16), page_(page)
{
    const uint64_t size = file.size();
    if (size == ~0ULL || size > (1ULL << 40)) {
        ok_ = false;
        return;
    }
    allocate(static_cast<size_t>(size));
    // A short read is a failure: loading a part as the whole would later be
    // saved over the file.
    char *target = utf16 ? reinterpret_cast<char *>(wide_.get()) : narrow_.get();
    const size_t wanted = utf16 ? length_ * 2 : length_;
    if (file.readAt(0, target, wanted) != wanted) {
        ok_ = false;
        length_ = 0;
        return;
    }
    if (utf16 && length_ > 0 && wide_[0] == 0xFEFF)
        position_ = 1;
}

LineReader::LineReader(std::string_view bytes, bool utf16, const CodePage &page) : utf16_(utf16), page_(page)
{
    allocate(bytes.size());
    if (utf16) {
        std::memcpy(wide_.get(), bytes.data(), length_ * 2);
        if (length_ > 0 && wide_[0] == 0xFEFF)
            position_ = 1;
    } else {
        std::memcpy(narrow_.get(), bytes.data(), length_);
    }
}

std::optional<std::string_view> LineReader::next()
{
    if (!utf16_) {
        const char *text = narrow_.get();
        // A zero byte ends the text, as the terminator of the whole buffer would.
        while (position_ < length_ && isBlank(text[position_]))
            ++position_;
        if (position_ >= length_ || text[position_] == '\0')
            return std::nullopt;
        size_t stop = position_;
        while (stop < length_ && text[stop] != '\r' && text[stop] != '\n' && text[stop] != '\0')
            ++stop;
        std::string_view line(text + position_, stop - position_);
        position_ = stop;
        return line;
    }
    const char16_t *text = wide_.get();
    while (position_ < length_ && isBlank(text[position_]))
        ++position_;
    if (position_ >= length_ || text[position_] == 0)
        return std::nullopt;
    size_t stop = position_;
    while (stop < length_ && text[stop] != '\r' && text[stop] != '\n' && text[stop] != 0)
        ++stop;
    narrowInto(std::u16string_view(text + position_, stop - position_), page_, converted_);
    position_ = stop;
    return std::string_view(converted_);
}

} // namespace tbpr
