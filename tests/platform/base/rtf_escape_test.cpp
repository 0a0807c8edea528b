#include <QStringDecoder>

#include <gtest/gtest.h>

#include "base/RtfEscape.h"

using base::rtf::escaped;
using base::rtf::NonAscii;

TEST(RtfEscape, BothFormsOfNonAsciiAndTheControlCharacters)
{
    struct Case {
        QString text;
        const char *unicode;
        const char *windows1252;
    };
    const Case cases[] = {
        {QStringLiteral("a\\b{c}d"), "a\\\\b\\{c\\}d", "a\\\\b\\{c\\}d"},
        {QStringLiteral("eins\r\nzwei\nzwei\u2028drei"), "eins\\line zwei\\line zwei\\line drei",
         "eins\\line zwei\\line zwei\\line drei"},
        {QStringLiteral("a\tb\x01\rc"), "a\\tab bc", "a\\tab bc"},
        {QStringLiteral("Müller Straße"), "M\\u252?ller Stra\\u223?e", "M\\'fcller Stra\\'dfe"},
        {QStringLiteral("1.234,56 €"), "1.234,56 \\u8364?", "1.234,56 \\'80"},
        {QStringLiteral("„Zitat“ – Ende…"), "\\u8222?Zitat\\u8220? \\u8211? Ende\\u8230?",
         "\\'84Zitat\\'93 \\'96 Ende\\'85"},
        // Not in Windows 1252: a Polish letter, a Cyrillic one, one beyond U+FFFF.
        {QStringLiteral("Łódź Ж \U0001F600"), "\\u321?\\u243?d\\u378? \\u1046? \\u-10179?\\u-8704?",
         "\\u321?\\'f3d\\u378? \\u1046? \\u-10179?\\u-8704?"},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(escaped(c.text, NonAscii::Unicode).toStdString(), c.unicode) << c.text.toStdString();
        EXPECT_EQ(escaped(c.text, NonAscii::Windows1252).toStdString(), c.windows1252)
            << c.text.toStdString();
    }
}

TEST(RtfEscape, Windows1252BytesAgreeWithTheSystemDecoder)
{
    QStringDecoder decoder("Windows-1252", QStringDecoder::Flag::Stateless);
    ASSERT_TRUE(decoder.isValid());
    int mapped = 0;
    for (int byte = 0x20; byte <= 0xFF; ++byte) {
        const char raw = char(byte);
        const QString ch = decoder.decode(QByteArrayView(&raw, 1));
        ASSERT_EQ(ch.size(), 1);
        const auto back = base::rtf::windows1252Byte(ch.at(0).unicode());
        // Bytes the code page leaves undefined decode to themselves (or U+FFFD) and are not claimed twice.
        if (back) {
            EXPECT_EQ(*back, byte) << "character U+" << std::hex << int(ch.at(0).unicode());
            ++mapped;
        }
    }
    EXPECT_GE(mapped, 0xFF - 0x20 + 1 - 5);
    EXPECT_FALSE(base::rtf::windows1252Byte(0x0141).has_value());
}
