// Blowfish block cipher (64-bit blocks, keys of 1 to 56 bytes) in ECB mode, and the
// deciphering of the enciphered string-table entries (Base64 of a Blowfish cipher text).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace cw {

class Blowfish {
public:
    // The key must hold 1 to 56 bytes; check with isValidKey first.
    explicit Blowfish(std::string_view key);
    [[nodiscard]] static bool isValidKey(std::string_view key) {
        return !key.empty() && key.size() <= 56;
    }

    void encryptBlock(uint32_t& left, uint32_t& right) const;
    void decryptBlock(uint32_t& left, uint32_t& right) const;

    // ECB over whole 8-byte blocks; each 32-bit half is read and written most significant
    // byte first. A trailing partial block is left as it is.
    [[nodiscard]] std::string encryptEcb(std::string_view data) const;
    [[nodiscard]] std::string decryptEcb(std::string_view data) const;

private:
    [[nodiscard]] uint32_t f(uint32_t x) const;
    std::array<uint32_t, 18> p_{};
    std::array<std::array<uint32_t, 256>, 4> s_{};
};

[[nodiscard]] std::string base64Encode(std::string_view bytes);
// Decodes standard Base64; characters outside the alphabet (line breaks, blanks) are
// skipped and decoding stops at the first "=".
[[nodiscard]] std::string base64Decode(std::string_view text);

struct DecipherResult {
    std::string text;  // the plain text, or the value unchanged when nothing was deciphered
    std::string error; // empty on success
    [[nodiscard]] bool ok() const { return error.empty(); }
};

inline constexpr std::string_view kBlowfishKeyError = "Blowfish: Key must be between 1 and 56 bytes";
inline constexpr std::string_view kBlowfishShortInputError = "Blowfish: Input not valid - too short";

// Deciphers a Base64 Blowfish ECB text and removes the trailing fill: when the last byte n
// is between 1 and 8 the last n bytes go, otherwise the last byte only. An empty key or
// value returns the value unchanged.
[[nodiscard]] DecipherResult decipherValue(std::string_view cipherText, std::string_view key);
// The reverse, used to make the program's own enciphered entries (fill: n bytes of value n).
[[nodiscard]] std::string encipherValue(std::string_view plainText, std::string_view key);

} // namespace cw
