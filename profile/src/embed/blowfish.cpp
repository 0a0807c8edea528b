#include "embed/blowfish.h"

#include "embed/blowfish_tables.h"
#include "support/debug_print.h"

#include <algorithm>
#include <cstring>

namespace tbpr::embed {

namespace {

std::uint32_t loadLE(const std::uint8_t *p)
{
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 |
           std::uint32_t(p[3]) << 24;
}

void storeLE(std::uint8_t *p, std::uint32_t v)
{
    p[0] = std::uint8_t(v);
    p[1] = std::uint8_t(v >> 8);
    p[2] = std::uint8_t(v >> 16);
    p[3] = std::uint8_t(v >> 24);
}

} // namespace

Blowfish::Key Blowfish::prepareKey(std::string_view password)
{
    Key key{};
    const std::size_t copied = std::min(password.size(), kKeySize);
    std::memcpy(key.data(), password.data(), copied);
    for (std::size_t i = copied; i < kKeySize; ++i) {
        const unsigned previous = i == 0 ? 0u : key[i - 1];
        key[i] = std::uint8_t((i * previous * 97u) % 255u + 1u);
    }
    return key;
}

Blowfish::Blowfish(std::string_view password)
{
    const Key key = prepareKey(password);
    schedule(key.data(), key.size());
}

Blowfish::Blowfish(const std::uint8_t *key, std::size_t length)
{
    schedule(key, length);
}

void Blowfish::schedule(const std::uint8_t *key, std::size_t length)
{
    std::memcpy(p_, kBlowfishInitP, sizeof p_);
    std::memcpy(s_, kBlowfishInitS, sizeof s_);
    std::size_t k = 0;
    for (auto &entry : p_) {
        std::uint32_t word = 0;
        for (int b = 0; b < 4; ++b) {
            word = word << 8 | key[k];
            k = (k + 1) % length;
        }
        entry ^= word;
    }
    std::uint32_t left = 0, right = 0;
    for (int i = 0; i < 18; i += 2) {
        encryptBlock(left, right);
        p_[i] = left;
        p_[i + 1] = right;
    }
    for (auto &box : s_) {
        for (int i = 0; i < 256; i += 2) {
            encryptBlock(left, right);
            box[i] = left;
            box[i + 1] = right;
        }
    }
}

std::uint32_t Blowfish::f(std::uint32_t x) const
{
    return ((s_[0][x >> 24] + s_[1][(x >> 16) & 0xFF]) ^ s_[2][(x >> 8) & 0xFF]) + s_[3][x & 0xFF];
}

void Blowfish::encryptBlock(std::uint32_t &left, std::uint32_t &right) const
{
    std::uint32_t l = left, r = right;
    for (int i = 0; i < 16; ++i) {
        l ^= p_[i];
        r ^= f(l);
        std::swap(l, r);
    }
    std::swap(l, r);
    r ^= p_[16];
    l ^= p_[17];
    left = l;
    right = r;
}

void Blowfish::decryptBlock(std::uint32_t &left, std::uint32_t &right) const
{
    std::uint32_t l = left, r = right;
    for (int i = 17; i > 1; --i) {
        l ^= p_[i];
        r ^= f(l);
        std::swap(l, r);
    }
    std::swap(l, r);
    r ^= p_[1];
    l ^= p_[0];
    left = l;
    right = r;
}

void Blowfish::encryptAt(std::uint8_t *block) const
{
    std::uint32_t l = loadLE(block), r = loadLE(block + 4);
    encryptBlock(l, r);
    storeLE(block, l);
    storeLE(block + 4, r);
}

void Blowfish::decryptAt(std::uint8_t *block) const
{
    std::uint32_t l = loadLE(block), r = loadLE(block + 4);
    decryptBlock(l, r);
    storeLE(block, l);
    storeLE(block + 4, r);
}

bool Blowfish::encode(std::uint8_t *buffer, std::size_t n) const
{
    if (n <= 7) {
        support::debugPrint("clsBlowfish::Encode: buffer too small!!!");
        return false;
    }
    // The overlapping tail block goes first so that decoding can undo it last.
    if (n % 8 != 0)
        encryptAt(buffer + n - 8);
    for (std::size_t at = 0; at + 8 <= n; at += 8)
        encryptAt(buffer + at);
    return true;
}

bool Blowfish::decode(std::uint8_t *buffer, std::size_t n) const
{
    if (n <= 7) {
        support::debugPrint("clsBlowfish::Decode: buffer too small!!!");
        return false;
    }
    for (std::size_t at = 0; at + 8 <= n; at += 8)
        decryptAt(buffer + at);
    if (n % 8 != 0)
        decryptAt(buffer + n - 8);
    return true;
}

} // namespace tbpr::embed
