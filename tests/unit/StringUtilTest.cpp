#include "app/StringUtil.h"

#include <gtest/gtest.h>

using namespace cw::str;

TEST(StringUtil, ComparesIgnoringCaseIncludingFrenchLetters) {
    EXPECT_TRUE(equalsNoCase("Param_ProductName", "param_productname"));
    EXPECT_TRUE(equalsNoCase("ÉTÉ", "été"));
    EXPECT_FALSE(equalsNoCase("TestItem", "test_item"));
    EXPECT_FALSE(equalsNoCase("abc", "abcd"));
    EXPECT_EQ(upper("quittée"), "QUITTÉE");
    EXPECT_EQ(lower("RÉSEAU Œuvre"), "réseau œuvre");
}

TEST(StringUtil, FindsAndReplacesIgnoringCase) {
    EXPECT_TRUE(containsNoCase("C:\\Prog\\ConfigWiFi.EXE", ".exe"));
    EXPECT_FALSE(containsNoCase("wlancfg", "wlancfgu"));
    EXPECT_EQ(findNoCase("aXbxc", "X", 2), 3u);
    EXPECT_EQ(findNoCase("abc", "d"), std::string_view::npos);
    EXPECT_EQ(replaceAllNoCase("C:\\a.exe\\ConfigWiFi.Exe", ".exe", ".sib"), "C:\\a.sib\\ConfigWiFi.sib");
    EXPECT_EQ(replaceAllNoCase("aaa", "a", "aa"), "aaaaaa"); // replacements are not rescanned
    EXPECT_EQ(replaceAllNoCase("abc", "", "x"), "abc");
    EXPECT_TRUE(startsWithNoCase("Page_Welcome", "page_"));
    EXPECT_TRUE(endsWithNoCase("Box_5GHz", "_5ghz"));
    EXPECT_FALSE(endsWithNoCase("Hz", "_5ghz"));
}

TEST(StringUtil, SplitsListsDroppingEmptyParts) {
    EXPECT_EQ(splitList("a.exe;;b.exe;"), (std::vector<std::string>{"a.exe", "b.exe"}));
    EXPECT_EQ(splitList(";"), std::vector<std::string>{});
    EXPECT_EQ(splitList(""), std::vector<std::string>{});
    EXPECT_EQ(splitList("one"), std::vector<std::string>{"one"});
    EXPECT_EQ(trim(" \t x y \r\n"), "x y");
    EXPECT_EQ(trim("   "), "");
}

TEST(StringUtil, ConvertsOnlyStrictDecimalIntegers) {
    struct Case {
        const char* text;
        std::optional<int32_t> value;
    };
    const Case cases[] = {
        {"30", 30},           {"-5", -5},        {"+7", 7},        {"0", 0},
        {"2147483647", INT32_MAX}, {"-2147483648", INT32_MIN}, {"2147483648", std::nullopt},
        {"", std::nullopt},   {" 30", std::nullopt}, {"30 ", std::nullopt}, {"1.5", std::nullopt},
        {"0x10", std::nullopt}, {"abc", std::nullopt}, {"-", std::nullopt}, {"99999999999999999999", std::nullopt},
    };
    for (const auto& c : cases) EXPECT_EQ(toInt(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(toIntOr("abc", 60), 60);
}

TEST(StringUtil, ConvertsBetweenUtf8AndUtf16) {
    const std::string text = "clé € 𝄞";
    const std::u16string wide = utf8ToUtf16(text);
    EXPECT_EQ(wide, u"clé € 𝄞");
    EXPECT_EQ(utf16ToUtf8(wide), text);
    EXPECT_TRUE(isValidUtf8(text));
    EXPECT_FALSE(isValidUtf8("\xC3"));      // cut sequence
    EXPECT_FALSE(isValidUtf8("\xC0\xAF"));  // overlong
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80")); // surrogate
    EXPECT_EQ(utf8ToUtf16("a\xFF" "b"), u"a\uFFFDb");
    EXPECT_EQ(utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}
