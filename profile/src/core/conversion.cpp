#include "core/conversion.h"

#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <memory>
#include <vector>

namespace tbpr {
namespace {

constexpr char16_t kReplacement = 0xFFFD;

bool isHighSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}
bool isLowSurrogate(char16_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

bool allAscii(std::string_view text)
{
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80)
            return false;
    }
    return true;
}

bool allAscii(std::u16string_view text)
{
    for (char16_t unit : text) {
        if (unit >= 0x80)
            return false;
    }
    return true;
}

std::u16string widenUtf8(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    const auto *p = reinterpret_cast<const unsigned char *>(text.data());
    const unsigned char *end = p + text.size();
    while (p < end) {
        const unsigned char lead = *p;
        if (lead < 0x80) {
            out.push_back(lead);
            ++p;
            continue;
        }
        size_t length = 0;
        char32_t code = 0;
        char32_t minimum = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            code = lead & 0x1F;
            minimum = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            code = lead & 0x0F;
            minimum = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            code = lead & 0x07;
            minimum = 0x10000;
        }
        bool valid = length != 0 && static_cast<size_t>(end - p) >= length;
        for (size_t i = 1; valid && i < length; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                valid = false;
            else
                code = (code << 6) | (p[i] & 0x3F);
        }
        if (!valid || code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            out.push_back(kReplacement);
            ++p;
            continue;
        }
        appendCodePoint(out, code);
        p += length;
    }
    return out;
}

std::string narrowUtf8(std::u16string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t code = text[i];
        if (code < 0x80) {
            out.push_back(static_cast<char>(code));
            continue;
        }
        if (isHighSurrogate(text[i]) && i + 1 < text.size() && isLowSurrogate(text[i + 1])) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (isHighSurrogate(text[i]) || isLowSurrogate(text[i])) {
            out.push_back('?');
            continue;
        }
        if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        } else if (code < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (code >> 12)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (code >> 18)));
            out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        }
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
    return out;
}

// One iconv descriptor per thread, direction and page: opening one costs
// more than most conversions.
class Converter {
public:
    Converter(const char *to, const char *from) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (valid())
            iconv_close(cd_);
    }
    Converter(const Converter &) = delete;
    Converter &operator=(const Converter &) = delete;
    bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t get()
    {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        return cd_;
    }

private:
    iconv_t cd_;
};

Converter &converterFor(const CodePage &page, bool toWide)
{
    struct Entry {
        uint16_t number;
        bool toWide;
        std::unique_ptr<Converter> converter;
    };
    thread_local std::vector<Entry> cache;
    for (Entry &entry : cache) {
        if (entry.number == page.number && entry.toWide == toWide)
            return *entry.converter;
    }
    auto converter = toWide ? std::make_unique<Converter>("UTF-16LE", page.iconvName)
                            : std::make_unique<Converter>(page.iconvName, "UTF-16LE");
    cache.push_back(Entry{page.number, toWide, std::move(converter)});
    return *cache.back().converter;
}

// The five CP1252 bytes glibc leaves undefined pass through as the C1 controls
// of the same value, as the vendor table of the page does.
bool isCp1252Gap(uint32_t value)
{
    return value == 0x81 || value == 0x8D || value == 0x8F || value == 0x90 || value == 0x9D;
}

std::u16string widenIconv(std::string_view text, const CodePage &page)
{
    std::u16string out;
    Converter &converter = converterFor(page, true);
    if (!converter.valid())
        return out;
    iconv_t cd = converter.get();
    std::vector<char16_t> buffer(text.size() + 4);
    char *in = const_cast<char *>(text.data());
    size_t inLeft = text.size();
    while (inLeft > 0) {
        char *outPtr = reinterpret_cast<char *>(buffer.data());
        size_t outLeft = buffer.size() * sizeof(char16_t);
        const size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer.data(), (buffer.size() * sizeof(char16_t) - outLeft) / sizeof(char16_t));
        if (result != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG)
            continue;
        // EILSEQ or EINVAL: one unusable byte (a double-byte character counts whole).
        const auto byte = static_cast<uint8_t>(*in);
        if (page.number == 1252 && isCp1252Gap(byte)) {
            out.push_back(byte);
            ++in;
            --inLeft;
            continue;
        }
        size_t skip = (page.isLeadByte(byte) && inLeft >= 2) ? 2 : 1;
        out.push_back(kReplacement);
        in += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

std::string narrowIconv(std::u16string_view text, const CodePage &page)
{
    std::string out;
    Converter &converter = converterFor(page, false);
    if (!converter.valid())
        return out;
    iconv_t cd = converter.get();
    std::vector<char> buffer(text.size() * 2 + 8);
    char *in = reinterpret_cast<char *>(const_cast<char16_t *>(text.data()));
    size_t inLeft = text.size() * sizeof(char16_t);
    while (inLeft > 0) {
        char *outPtr = buffer.data();
        size_t outLeft = buffer.size();
        const size_t result = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer.data(), buffer.size() - outLeft);
        if (result != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG)
            continue;
        char16_t unit = 0;
        std::memcpy(&unit, in, sizeof unit);
        if (page.number == 1252 && isCp1252Gap(unit)) {
            out.push_back(static_cast<char>(unit));
        } else {
            out.push_back('?');
        }
        size_t skip = sizeof(char16_t);
        if (isHighSurrogate(unit) && inLeft >= 4) {
            char16_t next = 0;
            std::memcpy(&next, in + 2, sizeof next);
            if (isLowSurrogate(next))
                skip = 2 * sizeof(char16_t);
        }
        in += skip;
        inLeft -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return out;
}

} // namespace

std::u16string widen(std::string_view text, const CodePage &page)
{
    if (allAscii(text))
        return std::u16string(text.begin(), text.end());
    if (page.isUtf8())
        return widenUtf8(text);
    return widenIconv(text, page);
}

std::string narrow(std::u16string_view text, const CodePage &page)
{
    if (allAscii(text)) {
        std::string out(text.size(), '\0');
        for (size_t i = 0; i < text.size(); ++i)
            out[i] = static_cast<char>(text[i]);
        return out;
    }
    if (page.isUtf8())
        return narrowUtf8(text);
    return narrowIconv(text, page);
}

void appendCodePoint(std::u16string &out, char32_t code)
{
    if (code >= 0x10000) {
        code -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(code));
    }
}

void narrowInto(std::u16string_view text, const CodePage &page, std::string &out)
{
    out.resize(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] >= 0x80) {
            out = narrow(text, page);
            return;
        }
        out[i] = static_cast<char>(text[i]);
    }
}

size_t wideLength(const char16_t *text)
{
    if (!text)
        return 0;
    size_t length = 0;
    while (text[length])
        ++length;
    return length;
}

size_t wideCutLength(std::u16string_view text, size_t maxUnits)
{
    if (text.size() <= maxUnits)
        return text.size();
    if (maxUnits > 0 && isHighSurrogate(text[maxUnits - 1]) && isLowSurrogate(text[maxUnits]))
        return maxUnits - 1;
    return maxUnits;
}

} // namespace tbpr
