#include "embed/base64.h"
#include "embed/blowfish.h"
#include "embed/embedded_content.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace tbpr::embed;

namespace {

std::string hex(const std::uint8_t *data, std::size_t size)
{
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (std::size_t i = 0; i < size; ++i) {
        out += digits[data[i] >> 4];
        out += digits[data[i] & 15];
    }
    return out;
}

std::string randomBytes(std::size_t size, unsigned seed)
{
    std::mt19937 rng(seed);
    std::string bytes(size, '\0');
    for (char &c : bytes)
        c = char(rng());
    return bytes;
}

std::string decodeOk(const std::string &text, const std::string &password)
{
    std::string content = "untouched";
    EXPECT_EQ(decodeEmbeddedContent(text, password, content), DecodeResult::Ok) << text;
    return content;
}

} // namespace

// Vectors computed once with an independent Blowfish that accepts 72-byte keys.
TEST(Blowfish, KeyPreparationPadsShortPasswords)
{
    const auto secret = Blowfish::prepareKey("secret");
    EXPECT_EQ(
        hex(secret.data(), secret.size()),
        "736563726574c1e90eee56da1c77bcb59ebc408fec3a6268762980a31de9f1e9354fbcfb3a53c20dcecb3ab3f82ee9ad"
        "c7350b6762c2fd2962dffe8fc4f8e9c7ad83df71ef0d2953");
    const auto empty = Blowfish::prepareKey("");
    EXPECT_EQ(empty[0], 1); // the product is 0 at position 0
    EXPECT_EQ(hex(empty.data(), 8), "01628f318ffbdfcb");
    const auto longKey = Blowfish::prepareKey(std::string(100, 'p'));
    EXPECT_EQ(longKey, Blowfish::prepareKey(std::string(72, 'p')));
}

TEST(Blowfish, OneBlockMatchesTheStandardCipher)
{
    const std::uint8_t zeroKey[8] = {};
    std::uint32_t l = 0, r = 0;
    Blowfish(zeroKey, sizeof zeroKey).encryptBlock(l, r);
    EXPECT_EQ(l, 0x4EF99745u); // the published all-zero vector
    EXPECT_EQ(r, 0x6198DD78u);

    const Blowfish cipher("secret");
    l = 0x01234567u;
    r = 0x89ABCDEFu;
    cipher.encryptBlock(l, r);
    EXPECT_EQ(l, 0x973fd66fu);
    EXPECT_EQ(r, 0xebdfebc3u);
    cipher.decryptBlock(l, r);
    EXPECT_EQ(l, 0x01234567u);
    EXPECT_EQ(r, 0x89ABCDEFu);
}

TEST(Blowfish, PartialBlockOrderOfTwentyBytes)
{
    std::uint8_t buffer[20];
    for (int i = 0; i < 20; ++i)
        buffer[i] = std::uint8_t(i);
    const Blowfish cipher("secret");
    ASSERT_TRUE(cipher.encode(buffer, sizeof buffer));
    // The 8 bytes at offset 12 first, then the whole blocks at 0 and 8.
    EXPECT_EQ(hex(buffer, sizeof buffer), "e4895a3166726b3f7484548b76121aaff8449b42");
    ASSERT_TRUE(cipher.decode(buffer, sizeof buffer));
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(buffer[i], i);

    std::uint8_t small[7] = {1, 2, 3, 4, 5, 6, 7};
    EXPECT_FALSE(cipher.encode(small, sizeof small));
    EXPECT_EQ(small[6], 7);
}

TEST(EmbeddedContent, HelloKnownAnswers)
{
    EXPECT_EQ(*encodeEmbeddedContent("Hello", ""), "@2@BQAAAFF2WF9QYWNrZWQAeNrzSM3JyQcABYwB9Q==");
    EXPECT_EQ(*encodeEmbeddedContent("Hello", "secret"), "@2@/uz26bg0OP8czSvPVDrB56ZgCNrDgTMXpzUBSQ==");
    // A 100-byte password behaves as its first 72 bytes.
    EXPECT_EQ(*encodeEmbeddedContent("Hello", std::string(100, 'p')),
              "@2@mkx4+kV1PoVvIxgfykQyFa/rjpDb7SiaLk4G4Q==");
    EXPECT_EQ(decodeOk("@2@/uz26bg0OP8czSvPVDrB56ZgCNrDgTMXpzUBSQ==", "secret"), "Hello");
    EXPECT_EQ(decodeOk("@2@mkx4+kV1PoVvIxgfykQyFa/rjpDb7SiaLk4G4Q==", std::string(72, 'p')), "Hello");
}

TEST(EmbeddedContent, RoundTrips)
{
    // Incompressible data needs more room than the content itself.
    for (const std::string &content :
         {randomBytes(1000, 1), std::string(1, 'x'), std::string(5, '\0'), randomBytes(70000, 2)}) {
        for (const char *password : {"", "pw", "a much longer password than most"}) {
            const auto text = encodeEmbeddedContent(content, password);
            ASSERT_TRUE(text.has_value());
            ASSERT_EQ(text->rfind("@2@", 0), 0u);
            EXPECT_GT(text->size(), 3u);
            EXPECT_EQ(decodeOk(*text, password), content) << content.size() << " " << password;
        }
    }
}

TEST(EmbeddedContent, EmptyContentAndEmptyValue)
{
    EXPECT_EQ(*encodeEmbeddedContent("", "pw"), "");
    std::string content = "kept";
    EXPECT_EQ(decodeEmbeddedContent("", "", content), DecodeResult::Empty);
    EXPECT_EQ(content, "kept");
}

TEST(EmbeddedContent, LineBreaksAndBlanksAreSkipped)
{
    const std::string text = *encodeEmbeddedContent(randomBytes(300, 3), "");
    std::string broken = text.substr(0, 3);
    // Breaks everywhere, including inside the last group before its padding.
    for (std::size_t i = 3; i < text.size(); ++i) {
        broken += text[i];
        broken += (i % 5 == 0) ? "\r\n" : (i % 7 == 0 ? " " : "");
    }
    broken.insert(broken.size() - 1, "\n");
    EXPECT_EQ(decodeOk(broken, ""), decodeOk(text, ""));
}

TEST(Base64, PaddingIsJudgedOnTheCollectedGroup)
{
    // "QQ=\n=" is one group "QQ==" that yields one byte.
    const auto bytes = base64Decode("QQ=\n=", Base64Groups::Padded);
    ASSERT_EQ(bytes.size(), 1u);
    EXPECT_EQ(bytes[0], 'A');
    EXPECT_EQ(base64Decode("QUI=", Base64Groups::Padded).size(), 2u);
    EXPECT_EQ(base64Decode("QUJD", Base64Groups::Padded).size(), 3u);
    EXPECT_EQ(base64Decode("QUI=", Base64Groups::Whole).size(), 3u);
    const std::uint8_t all[3] = {0xFB, 0xFF, 0x00};
    EXPECT_EQ(base64Encode(all, 3), "+/8A");
}

TEST(EmbeddedContent, LegacyAndForeignPrefixes)
{
    // "@1@": length, then the zlib stream right after it, groups of 3 bytes.
    const std::string current = *encodeEmbeddedContent("legacy content, legacy content", "");
    std::vector<std::uint8_t> block = base64Decode(current.substr(3), Base64Groups::Padded);
    block.erase(block.begin() + 4, block.begin() + 15);
    const std::string legacy = "@1@" + base64Encode(block.data(), block.size());
    EXPECT_EQ(decodeOk(legacy, ""), "legacy content, legacy content");
    EXPECT_EQ(decodeOk("@1@" + legacy.substr(3), ""), "legacy content, legacy content");

    // Lower-case prefixes are accepted; any other "@x@" is plain Base64 with
    // its "@" characters skipped.
    // "xSGVsbG8" remains; the lone "=" after it carries no byte.
    EXPECT_EQ(decodeOk("@x@SGVsbG8=", ""), std::string("\xC5\x21\x95\xB1\xB1\xBC", 6));
    EXPECT_EQ(decodeOk("SGVsbG8=", ""), "Hello");

    // A legacy block too short for its length field fails.
    std::string content = "kept";
    EXPECT_EQ(decodeEmbeddedContent("@1@QUI=", "", content), DecodeResult::Corrupt);
    EXPECT_EQ(content, "kept");
}

TEST(EmbeddedContent, WrongPasswordFailsAndLeavesTheTargetAlone)
{
    const std::string text = *encodeEmbeddedContent("five!", "right");
    for (const char *password : {"wrong", ""}) {
        std::string content = "previous content";
        EXPECT_EQ(decodeEmbeddedContent(text, password, content), DecodeResult::Corrupt) << password;
        EXPECT_EQ(content, "previous content");
    }
    // A damaged zlib stream fails too.
    std::string damaged = *encodeEmbeddedContent(std::string(200, 'z'), "");
    damaged[damaged.size() - 6] = damaged[damaged.size() - 6] == 'A' ? 'B' : 'A';
    std::string content = "kept";
    EXPECT_EQ(decodeEmbeddedContent(damaged, "", content), DecodeResult::Corrupt);
    EXPECT_EQ(content, "kept");
}

TEST(EmbeddedContent, HugeStoredLengthIsRefusedBeforeAllocating)
{
    std::vector<std::uint8_t> block =
        base64Decode(encodeEmbeddedContent("tiny", "")->substr(3), Base64Groups::Padded);
    for (int i = 0; i < 4; ++i)
        block[i] = 0xFF; // claims 4 GiB - 1
    const std::string crafted = "@2@" + base64Encode(block.data(), block.size());
    std::string content = "kept";
    // Allocating the claimed length would take 4 GiB; the check comes first.
    EXPECT_EQ(decodeEmbeddedContent(crafted, "", content), DecodeResult::Corrupt);
    EXPECT_EQ(content, "kept");
}
