// The registry port against Wine's real registry, under a scratch key of HKCU.
#include "app/RegistryEnhanced.h"
#include "win32/Win32Registry.h"
#include "win32/WinString.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace cw {
namespace {

// One scratch key per test, so test programs running side by side never share one.
class Win32RegistryTest : public ::testing::Test {
protected:
    void SetUp() override { (void)registry.deleteTree(RegRoot::CurrentUser, scratchKey); }
    void TearDown() override { (void)registry.deleteTree(RegRoot::CurrentUser, scratchKey); }
    Win32Registry registry;
    const std::string scratch = std::string("Software\\ConfigWiFiTests\\") +
                                ::testing::UnitTest::GetInstance()->current_test_info()->name();
    const char* const scratchKey = scratch.c_str();
};

TEST_F(Win32RegistryTest, EveryValueKindRoundTrips) {
    auto key = registry.create(RegRoot::CurrentUser, scratchKey, RegAccess::AllAccess);
    ASSERT_TRUE(key);
    const std::pair<const char*, RegValue> cases[] = {
        {"Text", RegValue::string("Réseau élevé")},
        {"Empty", RegValue::string("")},
        {"Expand", RegValue::expandString("%APPDATA%\\Quorvale")},
        {"Number", RegValue::fromDword(0xFFFFFFFEu)},
        {"Bytes", RegValue::binary({0, 1, 2, 0xFF})},
        {"Lines", RegValue::multiString({"un", "deux é", "trois"})},
    };
    for (const auto& [name, value] : cases) ASSERT_TRUE(key->write(name, value)) << name;
    for (const auto& [name, value] : cases) {
        RegValue back;
        ASSERT_TRUE(key->read(name, back)) << name;
        EXPECT_EQ(back, value) << name;
    }
    EXPECT_TRUE(key->valueExists("lines"));  // names ignore case, as on Windows
    EXPECT_TRUE(key->deleteValue("Lines"));
    EXPECT_FALSE(key->valueExists("Lines"));
    RegValue missing;
    EXPECT_FALSE(key->read("Lines", missing));
}

TEST_F(Win32RegistryTest, MultiStringWrittenByTheSystemIsSplit) {
    auto key = registry.create(RegRoot::CurrentUser, scratchKey, RegAccess::AllAccess);
    ASSERT_TRUE(key);
    HKEY raw = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, win::wide(scratchKey).c_str(), 0, KEY_SET_VALUE, &raw),
              ERROR_SUCCESS);
    const wchar_t data[] = L"alpha\0beta\0\0";
    ASSERT_EQ(RegSetValueExW(raw, L"Raw", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(data),
                             sizeof data),
              ERROR_SUCCESS);
    // A string stored without its terminator is still read whole.
    const wchar_t bare[] = {L'a', L'b', L'c'};
    ASSERT_EQ(RegSetValueExW(raw, L"Bare", 0, REG_SZ, reinterpret_cast<const BYTE*>(bare), sizeof bare),
              ERROR_SUCCESS);
    RegCloseKey(raw);

    RegValue lines, text;
    ASSERT_TRUE(key->read("Raw", lines));
    EXPECT_EQ(lines.lines, (std::vector<std::string>{"alpha", "beta"}));
    ASSERT_TRUE(key->read("Bare", text));
    EXPECT_EQ(text.text, "abc");
}

TEST_F(Win32RegistryTest, ListsSubKeysAndValueNamesAndDeletesTrees) {
    const std::string base = scratchKey;
    ASSERT_TRUE(registry.create(RegRoot::CurrentUser, base + "\\A\\Deep", RegAccess::AllAccess));
    ASSERT_TRUE(registry.create(RegRoot::CurrentUser, base + "\\B", RegAccess::AllAccess));
    auto key = registry.open(RegRoot::CurrentUser, base, RegAccess::AllAccess);
    ASSERT_TRUE(key);
    ASSERT_TRUE(key->write("One", RegValue::fromDword(1)));
    ASSERT_TRUE(key->write("Two", RegValue::string("2")));

    auto keys = key->subKeyNames();
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(keys, (std::vector<std::string>{"A", "B"}));
    auto values = key->valueNames();
    std::sort(values.begin(), values.end());
    EXPECT_EQ(values, (std::vector<std::string>{"One", "Two"}));

    EXPECT_TRUE(registry.deleteTree(RegRoot::CurrentUser, base + "\\A"));
    EXPECT_FALSE(registry.open(RegRoot::CurrentUser, base + "\\A\\Deep", RegAccess::Read));
    EXPECT_FALSE(registry.deleteTree(RegRoot::CurrentUser, ""));
}

TEST_F(Win32RegistryTest, ReadAccessRefusesWrites) {
    ASSERT_TRUE(registry.create(RegRoot::CurrentUser, scratchKey, RegAccess::AllAccess));
    auto key = registry.open(RegRoot::CurrentUser, scratchKey, RegAccess::Read);
    ASSERT_TRUE(key);
    EXPECT_FALSE(key->write("X", RegValue::string("no")));
    EXPECT_FALSE(registry.open(RegRoot::CurrentUser, std::string(scratchKey) + "\\Missing",
                               RegAccess::Read));
}

TEST_F(Win32RegistryTest, RegistryComponentReachesValuesInSubKeys) {
    TRegistryEnhanced reg(registry);
    reg.RootKey = TRegistryEnhanced::TRootKey::hkCurrentUser;
    reg.Key = std::string("\\") + scratchKey;
    ASSERT_TRUE(reg.WriteValue("Sub\\Inner\\Version", std::string("1.0.0.1")));
    ASSERT_TRUE(reg.WriteValue("Count", int32_t{42}));

    EXPECT_EQ(std::get<std::string>(reg.ReadValue("Sub\\Inner\\Version")), "1.0.0.1");
    EXPECT_EQ(std::get<int32_t>(reg.ReadValue("count")), 42);
    std::vector<std::string> names;
    ASSERT_TRUE(reg.GetValueNames("Sub\\Inner", names));
    EXPECT_EQ(names, (std::vector<std::string>{"Version"}));
    ASSERT_TRUE(reg.GetKeyNames("Sub", names));
    EXPECT_EQ(names, (std::vector<std::string>{"Inner"}));
    EXPECT_TRUE(reg.DeleteValue("Sub\\Inner\\Version"));
    EXPECT_FALSE(reg.ValueExists("Sub\\Inner\\Version"));
}

} // namespace
} // namespace cw
