#include "base/RtfEscape.h"

#include <array>

namespace base::rtf {

namespace {

// The characters Windows 1252 puts at 0x80 to 0x9F (0 where the byte is unused);
// every other byte at or above 0xA0 is the Latin-1 character of the same value.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

QString hexByte(unsigned char byte)
{
    return QStringLiteral("\\'%1").arg(uint(byte), 2, 16, QLatin1Char('0'));
}

} // namespace

std::optional<unsigned char> windows1252Byte(char16_t ch)
{
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF))
        return static_cast<unsigned char>(ch);
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] != 0 && kHighControls[i] == ch)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

QString escaped(const QString &text, NonAscii form)
{
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (const QChar ch : text) {
        const char16_t u = ch.unicode();
        if (u == u'\\' || u == u'{' || u == u'}') {
            out += u'\\';
            out += ch;
        } else if (u == u'\n' || u == 0x2028) {
            out += QStringLiteral("\\line ");
        } else if (u == u'\t') {
            out += QStringLiteral("\\tab ");
        } else if (u < 0x20) {
            continue;
        } else if (u < 0x80) {
            out += ch;
        } else if (const auto byte = form == NonAscii::Windows1252 ? windows1252Byte(u) : std::nullopt) {
            out += hexByte(*byte);
        } else {
            // Signed 16-bit as the format wants it; a character beyond U+FFFF
            // is two code units and so two of these.
            out += QStringLiteral("\\u%1?").arg(qint16(u));
        }
    }
    return out;
}

} // namespace base::rtf
