#include "app/Blowfish.h"
#include "app/StringTables.h"

#include <gtest/gtest.h>

using namespace cw;

namespace {
std::string fromHex(std::string_view hex) {
    std::string out;
    for (size_t i = 0; i + 1 < hex.size(); i += 2)
        out += static_cast<char>(std::stoi(std::string(hex.substr(i, 2)), nullptr, 16));
    return out;
}
} // namespace

// Published Blowfish reference vectors (key, plain text, cipher text).
TEST(Blowfish, MatchesReferenceVectors) {
    struct Vector {
        const char* key;
        const char* plain;
        const char* cipher;
    };
    const Vector vectors[] = {
        {"0000000000000000", "0000000000000000", "4EF997456198DD78"},
        {"FFFFFFFFFFFFFFFF", "FFFFFFFFFFFFFFFF", "51866FD5B85ECB8A"},
        {"3000000000000000", "1000000000000001", "7D856F9A613063F2"},
        {"1111111111111111", "1111111111111111", "2466DD878B963C9D"},
    };
    for (const auto& v : vectors) {
        const Blowfish bf(fromHex(v.key));
        EXPECT_EQ(bf.encryptEcb(fromHex(v.plain)), fromHex(v.cipher)) << v.key;
        EXPECT_EQ(bf.decryptEcb(fromHex(v.cipher)), fromHex(v.plain)) << v.key;
    }
}

TEST(Blowfish, Base64RoundTripsAndSkipsForeignCharacters) {
    for (const std::string& s : std::vector<std::string>{"", "f", "fo", "foo", "foob", "fooba", "foobar", std::string("\0\xFF", 2)})
        EXPECT_EQ(base64Decode(base64Encode(s)), s);
    EXPECT_EQ(base64Encode("foobar"), "Zm9vYmFy");
    EXPECT_EQ(base64Decode("Zm9v\r\nYmFy"), "foobar");
}

TEST(DecipherValue, RecoversTheEncipheredText) {
    for (std::string plain : {"Quorvale", "x", "exactly8", "a longer value with é"}) {
        const DecipherResult r = decipherValue(encipherValue(plain, kCipherKey), kCipherKey);
        EXPECT_TRUE(r.ok()) << r.error;
        EXPECT_EQ(r.text, plain);
    }
}

TEST(DecipherValue, AppliesTheFillRule) {
    const Blowfish bf(kCipherKey);
    // Last byte 3: three bytes go. Last byte 0x41 ('A', outside 1..8): only the last byte goes.
    EXPECT_EQ(decipherValue(base64Encode(bf.encryptEcb("ABCDE\x03\x03\x03")), kCipherKey).text, "ABCDE");
    EXPECT_EQ(decipherValue(base64Encode(bf.encryptEcb("ABCDEFGA")), kCipherKey).text, "ABCDEFG");
}

TEST(DecipherValue, ReportsTheDocumentedErrors) {
    EXPECT_EQ(decipherValue("QUJD", kCipherKey).error, kBlowfishShortInputError); // 3 bytes
    EXPECT_EQ(decipherValue("!!!!", kCipherKey).error, kBlowfishShortInputError); // no Base64 at all
    EXPECT_EQ(decipherValue("UjXZA5uuoLmyr+9WcMAElA==", std::string(57, 'k')).error, kBlowfishKeyError);
    // Empty key or value: returned unchanged, no error.
    EXPECT_EQ(decipherValue("abc", "").text, "abc");
    EXPECT_TRUE(decipherValue("", kCipherKey).ok());
}
