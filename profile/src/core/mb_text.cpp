#include "core/mb_text.h"

#include "core/format.h"

#include <algorithm>
#include <cstring>
#include <strings.h>

namespace tbpr {
namespace {

int sign(int value)
{
    return (value > 0) - (value < 0);
}

unsigned char upper(unsigned char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

// Is this byte a possible first byte of a multibyte character?
bool startsMultibyte(const CodePage &page, unsigned char byte)
{
    if (page.isUtf8())
        return byte >= 0xC2 && byte <= 0xF4;
    return page.isLeadByte(byte);
}

} // namespace

const char *MbStrChr(const char *text, char ch, const CodePage &page)
{
    if (!text)
        return nullptr;
    for (const char *p = text; *p; p += page.charLength(p)) {
        if (*p == ch)
            return p;
    }
    return nullptr;
}

int MbStrICmp(const char *a, const char *b)
{
    return sign(strcasecmp(a ? a : "", b ? b : ""));
}

size_t MbCopyLength(const char *source, size_t length, size_t size, const CodePage &page)
{
    if (size == 0 || !source)
        return 0;
    const size_t limit = size - 1;
    if (length <= limit)
        return length;
    if (!page.multibyte())
        return limit;
    size_t copied = 0;
    while (copied < limit) {
        const size_t step = page.charLength(source + copied);
        if (copied + step > limit)
            break;
        copied += step;
    }
    return copied;
}

char *MbStrNCopy(size_t size, const char *source, char *buffer, const CodePage &page)
{
    if (size == 0 || !buffer)
        return buffer;
    const char *text = source ? source : "";
    const size_t count = MbCopyLength(text, std::strlen(text), size, page);
    std::memmove(buffer, text, count);
    buffer[count] = '\0';
    return buffer;
}

char *MbStrNCat(const char *source, char *buffer, const CodePage &page)
{
    const size_t used = strnlen(buffer, kMbCatBufferSize);
    if (used >= kMbCatBufferSize - 1 || !source) {
        if (used >= kMbCatBufferSize)
            buffer[kMbCatBufferSize - 1] = '\0';
        return buffer;
    }
    MbStrNCopy(kMbCatBufferSize - used, source, buffer + used, page);
    return buffer;
}

int MbStrNCmp(const char *a, const char *b, size_t n, const CodePage &page)
{
    if (!page.multibyte())
        return std::strncmp(a, b, n);
    while (n > 0) {
        if (*a == '\0' || *b == '\0')
            return static_cast<unsigned char>(*a) - static_cast<unsigned char>(*b);
        const size_t length = std::min(n, std::max(page.charLength(a), page.charLength(b)));
        const int difference = std::strncmp(a, b, length);
        if (difference != 0)
            return difference;
        a += length;
        b += length;
        n -= length;
    }
    return 0;
}

int MbStrNICmp(size_t n, const char *a, const char *b, const CodePage &page)
{
    // Only single bytes below 0x80 are folded; the bytes of a multibyte
    // character compare exactly.
    size_t i = 0;
    while (i < n) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (ca == 0 || cb == 0)
            return ca - cb;
        const size_t length = page.multibyte() ? std::max(page.charLength(a + i), page.charLength(b + i)) : 1;
        if (length == 1) {
            const int difference = upper(ca) - upper(cb);
            if (difference != 0)
                return difference;
            ++i;
            continue;
        }
        for (size_t k = 0; k < length && i < n; ++k, ++i) {
            const int difference = static_cast<unsigned char>(a[i]) - static_cast<unsigned char>(b[i]);
            if (difference != 0 || a[i] == 0)
                return difference;
        }
    }
    return 0;
}

const char *MbCharNext(const char *position, const CodePage &page)
{
    if (!position || *position == '\0')
        return position;
    return position + page.charLength(position);
}

const char *MbCharPrev(const char *position, const char *start, const CodePage &page)
{
    if (!position || !start || position <= start + 1)
        return start;
    if (!page.multibyte())
        return position - 1;
    if (page.isUtf8()) {
        // Step back over continuation bytes to the lead byte, then check that
        // the sequence found really reaches the position.
        const char *p = position - 1;
        int steps = 0;
        while (p > start && (static_cast<unsigned char>(*p) & 0xC0) == 0x80 && steps < 3) {
            --p;
            ++steps;
        }
        if (p + page.charLength(p) == position)
            return p;
        return position - 1;
    }
    if (page.isLeadByte(static_cast<unsigned char>(position[-1])))
        return position - 2 >= start ? position - 2 : start;
    // Count the run of lead-byte values before the last byte: its parity
    // decides whether that byte is a trail byte.
    const char *p = position - 1;
    size_t run = 0;
    while (p > start && startsMultibyte(page, static_cast<unsigned char>(p[-1]))) {
        --p;
        ++run;
    }
    return (run % 2 == 1) ? position - 2 : position - 1;
}

void FormatBounded(size_t size, char *buffer, const char *fmt, ...)
{
    if (size == 0 || !buffer)
        return;
    va_list args;
    va_start(args, fmt);
    const std::string text = formatV(fmt, args);
    va_end(args);
    MbStrNCopy(size, text.c_str(), buffer);
}

} // namespace tbpr
