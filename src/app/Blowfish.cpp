#include "app/Blowfish.h"

#include <algorithm>
#include <utility>

namespace cw {
namespace {
#include "BlowfishPi.inc"

uint32_t readBigEndian(std::string_view d, size_t at) {
    return (uint32_t{static_cast<uint8_t>(d[at])} << 24) |
           (uint32_t{static_cast<uint8_t>(d[at + 1])} << 16) |
           (uint32_t{static_cast<uint8_t>(d[at + 2])} << 8) | uint32_t{static_cast<uint8_t>(d[at + 3])};
}

void appendBigEndian(std::string& out, uint32_t v) {
    out += static_cast<char>(v >> 24);
    out += static_cast<char>(v >> 16);
    out += static_cast<char>(v >> 8);
    out += static_cast<char>(v);
}

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int base64Digit(char c) {
    const size_t at = kAlphabet.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

template <typename Block> std::string ecb(std::string_view data, Block block) {
    std::string out;
    out.reserve(data.size());
    size_t at = 0;
    for (; at + 8 <= data.size(); at += 8) {
        uint32_t left = readBigEndian(data, at);
        uint32_t right = readBigEndian(data, at + 4);
        block(left, right);
        appendBigEndian(out, left);
        appendBigEndian(out, right);
    }
    out.append(data.substr(at));
    return out;
}

} // namespace

Blowfish::Blowfish(std::string_view key) {
    for (size_t i = 0; i < 18; ++i) p_[i] = kPiP[i];
    for (size_t b = 0; b < 4; ++b)
        for (size_t i = 0; i < 256; ++i) s_[b][i] = kPiS[b][i];
    if (!isValidKey(key)) return;

    size_t k = 0;
    for (auto& entry : p_) {
        uint32_t word = 0;
        for (int i = 0; i < 4; ++i, k = (k + 1) % key.size())
            word = (word << 8) | static_cast<uint8_t>(key[k]);
        entry ^= word;
    }
    uint32_t left = 0, right = 0;
    for (size_t i = 0; i < 18; i += 2) {
        encryptBlock(left, right);
        p_[i] = left, p_[i + 1] = right;
    }
    for (auto& box : s_)
        for (size_t i = 0; i < 256; i += 2) {
            encryptBlock(left, right);
            box[i] = left, box[i + 1] = right;
        }
}

uint32_t Blowfish::f(uint32_t x) const {
    return ((s_[0][x >> 24] + s_[1][(x >> 16) & 0xFF]) ^ s_[2][(x >> 8) & 0xFF]) + s_[3][x & 0xFF];
}

void Blowfish::encryptBlock(uint32_t& left, uint32_t& right) const {
    for (size_t i = 0; i < 16; ++i) {
        left ^= p_[i];
        right ^= f(left);
        std::swap(left, right);
    }
    std::swap(left, right);
    right ^= p_[16];
    left ^= p_[17];
}

void Blowfish::decryptBlock(uint32_t& left, uint32_t& right) const {
    for (size_t i = 17; i > 1; --i) {
        left ^= p_[i];
        right ^= f(left);
        std::swap(left, right);
    }
    std::swap(left, right);
    right ^= p_[1];
    left ^= p_[0];
}

std::string Blowfish::encryptEcb(std::string_view data) const {
    return ecb(data, [this](uint32_t& l, uint32_t& r) { encryptBlock(l, r); });
}

std::string Blowfish::decryptEcb(std::string_view data) const {
    return ecb(data, [this](uint32_t& l, uint32_t& r) { decryptBlock(l, r); });
}

std::string base64Encode(std::string_view bytes) {
    std::string out;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const size_t n = std::min<size_t>(3, bytes.size() - i);
        uint32_t group = 0;
        for (size_t k = 0; k < 3; ++k)
            group = (group << 8) | (k < n ? static_cast<uint8_t>(bytes[i + k]) : 0);
        for (size_t k = 0; k < 4; ++k)
            out += k <= n ? kAlphabet[(group >> (18 - 6 * k)) & 0x3F] : '=';
    }
    return out;
}

std::string base64Decode(std::string_view text) {
    std::string out;
    uint32_t bits = 0;
    int count = 0;
    for (char c : text) {
        if (c == '=') break;
        const int digit = base64Digit(c);
        if (digit < 0) continue;
        bits = (bits << 6) | static_cast<uint32_t>(digit);
        count += 6;
        if (count >= 8) {
            count -= 8;
            out += static_cast<char>((bits >> count) & 0xFF);
        }
    }
    return out;
}

DecipherResult decipherValue(std::string_view cipherText, std::string_view key) {
    if (key.empty() || cipherText.empty()) return {std::string(cipherText), {}};
    if (!Blowfish::isValidKey(key)) return {std::string(cipherText), std::string(kBlowfishKeyError)};
    const std::string raw = base64Decode(cipherText);
    if (raw.size() < 8) return {std::string(cipherText), std::string(kBlowfishShortInputError)};

    std::string plain = Blowfish(key).decryptEcb(raw.substr(0, raw.size() / 8 * 8));
    const auto fill = static_cast<uint8_t>(plain.back());
    plain.resize(plain.size() - ((fill >= 1 && fill <= 8) ? fill : 1));
    return {std::move(plain), {}};
}

std::string encipherValue(std::string_view plainText, std::string_view key) {
    std::string padded(plainText);
    const size_t fill = 8 - padded.size() % 8;
    padded.append(fill, static_cast<char>(fill));
    return base64Encode(Blowfish(key).encryptEcb(padded));
}

} // namespace cw
