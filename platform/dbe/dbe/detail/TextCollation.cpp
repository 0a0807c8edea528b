#include "dbe/detail/TextCollation.h"

#include <sqlite3.h>

#include <array>

#include "dbe/Errors.h"

namespace dbe::detail {

namespace {

// Base letters of U+00C0..U+017F, one entry per code point: one or two letters, or "" where the
// code point stays itself (× and ÷).
constexpr std::array<const char *, 0xC0> kLatinFold = {
    // U+00C0 À Á Â Ã Ä Å Æ Ç È É Ê Ë Ì Í Î Ï
    "a",
    "a",
    "a",
    "a",
    "a",
    "a",
    "ae",
    "c",
    "e",
    "e",
    "e",
    "e",
    "i",
    "i",
    "i",
    "i",
    // U+00D0 Ð Ñ Ò Ó Ô Õ Ö × Ø Ù Ú Û Ü Ý Þ ß
    "d",
    "n",
    "o",
    "o",
    "o",
    "o",
    "o",
    "",
    "o",
    "u",
    "u",
    "u",
    "u",
    "y",
    "th",
    "ss",
    // U+00E0 à á â ã ä å æ ç è é ê ë ì í î ï
    "a",
    "a",
    "a",
    "a",
    "a",
    "a",
    "ae",
    "c",
    "e",
    "e",
    "e",
    "e",
    "i",
    "i",
    "i",
    "i",
    // U+00F0 ð ñ ò ó ô õ ö ÷ ø ù ú û ü ý þ ÿ
    "d",
    "n",
    "o",
    "o",
    "o",
    "o",
    "o",
    "",
    "o",
    "u",
    "u",
    "u",
    "u",
    "y",
    "th",
    "y",
    // U+0100 Ā ā Ă ă Ą ą Ć ć Ĉ ĉ Ċ ċ Č č Ď ď
    "a",
    "a",
    "a",
    "a",
    "a",
    "a",
    "c",
    "c",
    "c",
    "c",
    "c",
    "c",
    "c",
    "c",
    "d",
    "d",
    // U+0110 Đ đ Ē ē Ĕ ĕ Ė ė Ę ę Ě ě Ĝ ĝ Ğ ğ
    "d",
    "d",
    "e",
    "e",
    "e",
    "e",
    "e",
    "e",
    "e",
    "e",
    "e",
    "e",
    "g",
    "g",
    "g",
    "g",
    // U+0120 Ġ ġ Ģ ģ Ĥ ĥ Ħ ħ Ĩ ĩ Ī ī Ĭ ĭ Į į
    "g",
    "g",
    "g",
    "g",
    "h",
    "h",
    "h",
    "h",
    "i",
    "i",
    "i",
    "i",
    "i",
    "i",
    "i",
    "i",
    // U+0130 İ ı Ĳ ĳ Ĵ ĵ Ķ ķ ĸ Ĺ ĺ Ļ ļ Ľ ľ Ŀ
    "i",
    "i",
    "ij",
    "ij",
    "j",
    "j",
    "k",
    "k",
    "k",
    "l",
    "l",
    "l",
    "l",
    "l",
    "l",
    "l",
    // U+0140 ŀ Ł ł Ń ń Ņ ņ Ň ň ŉ Ŋ ŋ Ō ō Ŏ ŏ
    "l",
    "l",
    "l",
    "n",
    "n",
    "n",
    "n",
    "n",
    "n",
    "n",
    "n",
    "n",
    "o",
    "o",
    "o",
    "o",
    // U+0150 Ő ő Œ œ Ŕ ŕ Ŗ ŗ Ř ř Ś ś Ŝ ŝ Ş ş
    "o",
    "o",
    "oe",
    "oe",
    "r",
    "r",
    "r",
    "r",
    "r",
    "r",
    "s",
    "s",
    "s",
    "s",
    "s",
    "s",
    // U+0160 Š š Ţ ţ Ť ť Ŧ ŧ Ũ ũ Ū ū Ŭ ŭ Ů ů
    "s",
    "s",
    "t",
    "t",
    "t",
    "t",
    "t",
    "t",
    "u",
    "u",
    "u",
    "u",
    "u",
    "u",
    "u",
    "u",
    // U+0170 Ű ű Ų ų Ŵ ŵ Ŷ ŷ Ÿ Ź ź Ż ż Ž ž ſ
    "u",
    "u",
    "u",
    "u",
    "w",
    "w",
    "y",
    "y",
    "y",
    "z",
    "z",
    "z",
    "z",
    "z",
    "z",
    "s",
};

// Code points of a UTF-16 text.
class Utf16Points {
public:
    explicit Utf16Points(QStringView text) : p_(text.utf16()), end_(p_ + text.size()) {}
    bool atEnd() const { return p_ == end_; }
    char32_t next()
    {
        const char16_t c = *p_++;
        if (c >= 0xD800 && c < 0xDC00 && p_ != end_ && *p_ >= 0xDC00 && *p_ < 0xE000)
            return 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(*p_++) - 0xDC00);
        return c;
    }

private:
    const char16_t *p_;
    const char16_t *end_;
};

// Code points of UTF-8 bytes; a broken sequence yields its bytes one by one.
class Utf8Points {
public:
    Utf8Points(const char *text, int length)
        : p_(reinterpret_cast<const unsigned char *>(text)), end_(p_ + (length > 0 ? length : 0))
    {
    }
    bool atEnd() const { return p_ == end_; }
    char32_t next()
    {
        const unsigned char c = *p_++;
        if (c < 0x80)
            return c;
        int more = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        if (more == 0 || end_ - p_ < more)
            return c;
        char32_t cp = c & (0x3F >> more);
        for (int i = 0; i < more; ++i) {
            if ((p_[i] & 0xC0) != 0x80)
                return c;
            cp = (cp << 6) | (p_[i] & 0x3F);
        }
        p_ += more;
        return cp;
    }

private:
    const unsigned char *p_;
    const unsigned char *end_;
};

// The folded letters of a text, one at a time (a code point may give two).
template <class Points> class Folded {
public:
    explicit Folded(Points points) : points_(points) {}
    bool atEnd() const { return pending_ == nullptr && points_.atEnd(); }
    char32_t next()
    {
        if (pending_) {
            const char32_t c = static_cast<unsigned char>(*pending_++);
            if (*pending_ == '\0')
                pending_ = nullptr;
            return c;
        }
        const char32_t c = points_.next();
        if (c < 0x80)
            return c >= 'A' && c <= 'Z' ? c | 0x20 : c;
        if (c >= 0xC0 && c < 0x180) {
            const char *base = kLatinFold[c - 0xC0];
            if (*base == '\0')
                return c;
            if (base[1] != '\0')
                pending_ = base + 1;
            return static_cast<unsigned char>(base[0]);
        }
        switch (c) {
        case 0x1E9E: // capital sharp s
            pending_ = "s";
            return 's';
        case 0x0218: // Ș ș Ț ț (comma below)
        case 0x0219:
            return 's';
        case 0x021A:
        case 0x021B:
            return 't';
        default:
            return c;
        }
    }

private:
    Points points_;
    const char *pending_ = nullptr;
};

template <class Points> int compareWith(Points a, Points b)
{
    Folded<Points> fa(a), fb(b);
    while (!fa.atEnd() && !fb.atEnd()) {
        const char32_t x = fa.next(), y = fb.next();
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (!fa.atEnd() || !fb.atEnd())
        return fa.atEnd() ? -1 : 1;
    // Equal as a reader sees them: the code points decide (unmarked before marked, upper before lower).
    while (!a.atEnd() && !b.atEnd()) {
        const char32_t x = a.next(), y = b.next();
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.atEnd() == b.atEnd())
        return 0;
    return a.atEnd() ? -1 : 1;
}

int collate(void *, int aLength, const void *a, int bLength, const void *b)
{
    return compareTextUtf8(static_cast<const char *>(a), aLength, static_cast<const char *>(b), bLength);
}

} // namespace

int compareText(QStringView a, QStringView b)
{
    return compareWith(Utf16Points(a), Utf16Points(b));
}

int compareTextUtf8(const char *a, int aLength, const char *b, int bLength)
{
    // An ASCII start both texts share needs no decoding (most keys are plain ASCII), and a first
    // difference in ASCII letters of another name decides at once.
    const auto *x = reinterpret_cast<const unsigned char *>(a);
    const auto *y = reinterpret_cast<const unsigned char *>(b);
    const int n = aLength < bLength ? aLength : bLength;
    int i = 0;
    while (i < n && x[i] == y[i] && x[i] < 0x80)
        ++i;
    if (i == n) // one is the start of the other; every code point folds to at least one letter
        return aLength == bLength ? 0 : (aLength < bLength ? -1 : 1);
    if (x[i] < 0x80 && y[i] < 0x80) {
        const unsigned char fx = x[i] >= 'A' && x[i] <= 'Z' ? x[i] | 0x20 : x[i];
        const unsigned char fy = y[i] >= 'A' && y[i] <= 'Z' ? y[i] | 0x20 : y[i];
        if (fx != fy)
            return fx < fy ? -1 : 1;
    }
    return compareWith(Utf8Points(a + i, aLength - i), Utf8Points(b + i, bLength - i));
}

void registerTextCollation(sqlite3 *db)
{
    if (sqlite3_create_collation_v2(db, kTextCollation, SQLITE_UTF8, nullptr, &collate, nullptr) != SQLITE_OK)
        engineError(ErrorCode::General,
                    QStringLiteral("Die Sortierfolge für Texte kann nicht eingerichtet werden"));
}

} // namespace dbe::detail
