#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tbpr::embed {

// Blowfish with the key preparation and block order of the embedded-content
// format: 16 rounds, each 8-byte block read as two little-endian words (left
// half first), a last partial block handled by overlapping the final 8 bytes.
class Blowfish {
public:
    static constexpr std::size_t kKeySize = 72;
    using Key = std::array<std::uint8_t, kKeySize>;

    // The format's own key: the first 72 password bytes, the rest filled so
    // that a short password never leaves zero bytes in the key.
    static Key prepareKey(std::string_view password);

    // Prepared key from a password, then the standard key schedule.
    explicit Blowfish(std::string_view password);
    // Standard key schedule over raw key bytes (1 to 72 of them).
    Blowfish(const std::uint8_t *key, std::size_t length);

    void encryptBlock(std::uint32_t &left, std::uint32_t &right) const;
    void decryptBlock(std::uint32_t &left, std::uint32_t &right) const;

    // Enciphers/deciphers n bytes in place; n below 8 changes nothing and
    // returns false with a diagnostic.
    bool encode(std::uint8_t *buffer, std::size_t n) const;
    bool decode(std::uint8_t *buffer, std::size_t n) const;

private:
    void schedule(const std::uint8_t *key, std::size_t length);
    std::uint32_t f(std::uint32_t x) const;
    void encryptAt(std::uint8_t *block) const;
    void decryptAt(std::uint8_t *block) const;

    std::uint32_t p_[18];
    std::uint32_t s_[4][256];
};

} // namespace tbpr::embed
