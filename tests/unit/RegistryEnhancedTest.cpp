// TRegistryEnhanced over the in-memory registry, and the in-memory registry itself.
#include "app/RegistryEnhanced.h"
#include "sim/MemoryRegistry.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace cw {
namespace {

using ::testing::ElementsAre;
using ::testing::UnorderedElementsAre;
using R = TRegistryEnhanced;

constexpr const char* kKey = "Software\\Quorvale\\RIR";

class RegistryEnhancedTest : public ::testing::Test {
protected:
    RegistryEnhancedTest() { reg.Key = kKey; }

    // The value as stored, read back straight through the port.
    std::optional<RegValue> stored(std::string_view path, std::string_view name,
                                   RegRoot root = RegRoot::CurrentUser) {
        auto key = memory.open(root, path, RegAccess::AllAccess);
        RegValue v;
        if (!key || !key->read(name, v)) return std::nullopt;
        return v;
    }
    void store(std::string_view path, std::string_view name, const RegValue& v) {
        auto key = memory.create(RegRoot::CurrentUser, path, RegAccess::AllAccess);
        ASSERT_TRUE(key && key->write(name, v));
    }

    MemoryRegistry memory;
    TRegistryEnhanced reg{memory};
};

TEST_F(RegistryEnhancedTest, StartsWithTheDocumentedProperties) {
    TRegistryEnhanced fresh{memory};
    EXPECT_EQ(fresh.RootKey, R::TRootKey::hkCurrentUser);
    EXPECT_EQ(fresh.LangType, R::TLangType::ltEnglish);
    EXPECT_EQ(fresh.Access, R::TAccess::kAllAccess);
    EXPECT_EQ(fresh.BinaryType, R::TBinaryType::btNone);
    EXPECT_FALSE(fresh.RaiseExceptions);
    EXPECT_EQ(fresh.Key, "");
}

TEST_F(RegistryEnhancedTest, WriteChoosesTheRegistryFormFromTheValueType) {
    using B = std::vector<uint8_t>;
    struct Case {
        R::Variant value;
        R::TBinaryType binaryType;
        RegValue expected;
    };
    const Case cases[] = {
        {std::string("Configuration é"), R::TBinaryType::btNone, RegValue::string("Configuration é")},
        {std::string("%TEMP%\\x"), R::TBinaryType::btExpandString, RegValue::expandString("%TEMP%\\x")},
        {std::string("plain"), R::TBinaryType::btBinary32BitMax, RegValue::string("plain")},
        {int32_t{-5}, R::TBinaryType::btNone, RegValue::fromDword(0xFFFFFFFBu)},
        {int16_t{-2}, R::TBinaryType::btNone, RegValue::fromDword(0xFFFFFFFEu)},
        {uint16_t{65535}, R::TBinaryType::btNone, RegValue::fromDword(65535)},
        {uint8_t{200}, R::TBinaryType::btNone, RegValue::fromDword(200)},
        {true, R::TBinaryType::btNone, RegValue::fromDword(1)},
        {false, R::TBinaryType::btNone, RegValue::fromDword(0)},
        {1.5, R::TBinaryType::btNone, RegValue::binary(B{0, 0, 0, 0, 0, 0, 0xF8, 0x3F})},
        {R::Currency{12345}, R::TBinaryType::btNone, RegValue::binary(B{0x39, 0x30, 0, 0, 0, 0, 0, 0})},
        {R::DateTime{2.0}, R::TBinaryType::btNone, RegValue::binary(B{0, 0, 0, 0, 0, 0, 0, 0x40})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.expected.type) + " " + c.expected.text);
        reg.BinaryType = c.binaryType;
        ASSERT_TRUE(reg.WriteValue("Value", c.value));
        EXPECT_EQ(stored(kKey, "Value"), c.expected);
    }
}

TEST_F(RegistryEnhancedTest, ReadGivesTextAndIntegersAndRefusesOtherKindsOnlyWhenAsked) {
    struct Case {
        RegValue data;
        R::Variant expected;  // with RaiseExceptions off
        bool unknown;         // raises with RaiseExceptions on
    };
    const Case cases[] = {
        {RegValue::string("Langue = FR"), std::string("Langue = FR"), false},
        {RegValue::expandString("%APPDATA%"), std::string("%APPDATA%"), false},
        {RegValue::fromDword(0xFFFFFFFFu), int32_t{-1}, false},
        {RegValue::fromDword(1), int32_t{1}, false},
        {RegValue::binary({0, 0, 0, 0, 0, 0, 0xF8, 0x3F}), std::monostate{}, true},
        {RegValue::multiString({"a", "b"}), std::monostate{}, true},
        {RegValue{RegType::Other, {}, 0, {1, 2, 3, 4, 5, 6, 7, 8}, {}}, std::monostate{}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.data.type));
        store(kKey, "Value", c.data);
        reg.RaiseExceptions = false;
        EXPECT_EQ(reg.ReadValue("Value"), c.expected);
        reg.RaiseExceptions = true;
        if (c.unknown)
            EXPECT_THROW((void)reg.ReadValue("Value"), RegistryError);
        else
            EXPECT_EQ(reg.ReadValue("Value"), c.expected);
    }
}

TEST_F(RegistryEnhancedTest, MissingKeyOrValueReadsEmptyEvenWhenRaising) {
    reg.RaiseExceptions = true;
    EXPECT_EQ(reg.ReadValue("Version"), R::Variant{});
    EXPECT_FALSE(reg.ValueExists("Version"));
    store(kKey, "Other", RegValue::binary({1}));
    EXPECT_EQ(reg.ReadValue("Version"), R::Variant{});
    EXPECT_FALSE(reg.ValueExists("Version"));
    EXPECT_TRUE(reg.ValueExists("Other"));
}

TEST_F(RegistryEnhancedTest, UnsupportedTypeRaisesInTheChosenLanguageOrWritesNothing) {
    const R::Variant unsupported[] = {std::monostate{}, std::vector<std::string>{"a", "b"}};
    for (const R::Variant& value : unsupported) {
        reg.RaiseExceptions = false;
        EXPECT_FALSE(reg.WriteValue("Value", value));
        EXPECT_EQ(memory.open(RegRoot::CurrentUser, kKey, RegAccess::Read), nullptr);

        reg.RaiseExceptions = true;
        const std::pair<R::TLangType, const char*> texts[] = {
            {R::TLangType::ltEnglish, "Unknown data type."},
            {R::TLangType::ltFrench, "Type de données inconnu."}};
        for (const auto& [lang, text] : texts) {
            reg.LangType = lang;
            try {
                (void)reg.WriteValue("Value", value);
                ADD_FAILURE() << "no error raised";
            } catch (const RegistryError& e) {
                EXPECT_STREQ(e.what(), text);
            }
        }
    }
}

TEST_F(RegistryEnhancedTest, NameWithSubKeyPathWritesUnderKey) {
    ASSERT_TRUE(reg.WriteValue("Sub\\Inner\\Name", std::string("x")));
    EXPECT_EQ(stored("Software\\Quorvale\\RIR\\Sub\\Inner", "Name"), RegValue::string("x"));
    EXPECT_FALSE(stored(kKey, "Name"));
    EXPECT_EQ(reg.ReadValue("Sub\\Inner\\Name"), R::Variant{std::string("x")});
    EXPECT_TRUE(reg.ValueExists("sub\\INNER\\name"));
    EXPECT_TRUE(reg.DeleteValue("Sub\\Inner\\Name"));
    EXPECT_FALSE(stored("Software\\Quorvale\\RIR\\Sub\\Inner", "Name"));
}

TEST_F(RegistryEnhancedTest, KeyPathsWorkWithOrWithoutBackslashes) {
    for (const char* key : {"Software\\Quorvale\\RIR", "\\Software\\Quorvale\\RIR",
                            "Software\\Quorvale\\RIR\\", "\\Software\\Quorvale\\RIR\\"}) {
        SCOPED_TRACE(key);
        MemoryRegistry fresh;
        TRegistryEnhanced r{fresh};
        r.Key = key;
        ASSERT_TRUE(r.WriteValue("Sub\\Version", std::string("1.0.0.1")));
        auto sub = fresh.open(RegRoot::CurrentUser, "Software\\Quorvale\\RIR\\Sub", RegAccess::Read);
        ASSERT_TRUE(sub);
        EXPECT_TRUE(sub->valueExists("Version"));
        std::vector<std::string> names;
        ASSERT_TRUE(r.GetKeyNames("\\", names));
        EXPECT_THAT(names, ElementsAre("Sub"));
    }
    EXPECT_EQ(R::normalizeKey(""), "\\");
    EXPECT_EQ(R::normalizeKey("\\"), "\\");
    EXPECT_EQ(R::normalizeKey("A\\B\\"), "\\A\\B");
    EXPECT_EQ(R::normalizeKey("\\A\\B"), "\\A\\B");
}

TEST_F(RegistryEnhancedTest, EmptyKeyAddressesTheRoot) {
    reg.Key = "";
    ASSERT_TRUE(reg.WriteValue("Software\\Quorvale\\Name", int32_t{7}));
    EXPECT_EQ(stored("Software\\Quorvale", "Name"), RegValue::fromDword(7));
    std::vector<std::string> names;
    ASSERT_TRUE(reg.GetKeyNames("", names));
    EXPECT_THAT(names, ElementsAre("Software"));
}

TEST_F(RegistryEnhancedTest, AccessDecidesWhatEachOperationMayDo) {
    struct Case {
        R::TAccess access;
        bool canWrite;
        bool canRead;
    };
    const Case cases[] = {
        {R::TAccess::kAllAccess, true, true},
        {R::TAccess::kRead, false, true},
        {R::TAccess::kExecute, false, true},
        {R::TAccess::kWrite, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.access));
        MemoryRegistry fresh;
        TRegistryEnhanced r{fresh};
        r.Key = kKey;
        {
            auto key = fresh.create(RegRoot::CurrentUser, kKey, RegAccess::AllAccess);
            ASSERT_TRUE(key && key->write("Old", RegValue::string("old")));
        }
        r.Access = c.access;
        EXPECT_EQ(r.WriteValue("New", std::string("new")), c.canWrite);
        EXPECT_EQ(r.ReadValue("Old"), c.canRead ? R::Variant{std::string("old")} : R::Variant{});
        EXPECT_EQ(r.ValueExists("Old"), c.canRead);
        std::vector<std::string> names;
        ASSERT_TRUE(r.GetValueNames("", names));
        const size_t listed = !c.canRead ? 0 : c.canWrite ? 2 : 1;
        EXPECT_EQ(names.size(), listed);
        EXPECT_EQ(r.DeleteValue("Old"), c.canWrite);
    }
}

TEST_F(RegistryEnhancedTest, ListsValueAndKeyNamesOfASubKey) {
    store("Software\\Quorvale\\RIR\\Sub", "Version", RegValue::string("1"));
    store("Software\\Quorvale\\RIR\\Sub", "Player Mode", RegValue::string("1P"));
    store("Software\\Quorvale\\RIR\\Sub\\Child", "", RegValue::string("default"));
    store("Software\\Quorvale\\RIR\\Other", "x", RegValue::fromDword(1));

    std::vector<std::string> names{"left over"};
    ASSERT_TRUE(reg.GetValueNames("Sub", names));
    EXPECT_THAT(names, UnorderedElementsAre("Version", "Player Mode"));
    ASSERT_TRUE(reg.GetKeyNames("", names));
    EXPECT_THAT(names, UnorderedElementsAre("Sub", "Other"));
    ASSERT_TRUE(reg.GetKeyNames("sub\\", names));
    EXPECT_THAT(names, ElementsAre("Child"));

    EXPECT_FALSE(reg.GetValueNames("Missing", names));
    EXPECT_TRUE(names.empty());
    EXPECT_FALSE(reg.GetKeyNames("Missing", names));
}

TEST_F(RegistryEnhancedTest, DeleteValueReportsWhetherItDeleted) {
    EXPECT_FALSE(reg.DeleteValue("Version"));  // no key
    store(kKey, "Version", RegValue::string("1"));
    EXPECT_FALSE(reg.DeleteValue("Missing"));
    EXPECT_TRUE(reg.DeleteValue("VERSION"));
    EXPECT_FALSE(reg.ValueExists("Version"));
}

TEST_F(RegistryEnhancedTest, NamesAndKeysIgnoreCaseAndKeepTheirFirstSpelling) {
    ASSERT_TRUE(reg.WriteValue("Start Page", std::string("a")));
    reg.Key = "SOFTWARE\\quorvale\\rir";
    ASSERT_TRUE(reg.WriteValue("START PAGE", std::string("b")));
    EXPECT_EQ(reg.ReadValue("start page"), R::Variant{std::string("b")});
    std::vector<std::string> names;
    ASSERT_TRUE(reg.GetValueNames("", names));
    EXPECT_THAT(names, ElementsAre("Start Page"));
    reg.Key = "";
    ASSERT_TRUE(reg.GetKeyNames("software", names));
    EXPECT_THAT(names, ElementsAre("Quorvale"));
}

TEST_F(RegistryEnhancedTest, RootKeySelectsThePortRootAndUnknownRootsNeverOpen) {
    reg.RootKey = R::TRootKey::hkLocalMachine;
    ASSERT_TRUE(reg.WriteValue("Player Mode", std::string("1P")));
    EXPECT_EQ(stored(kKey, "Player Mode", RegRoot::LocalMachine), RegValue::string("1P"));
    EXPECT_FALSE(stored(kKey, "Player Mode", RegRoot::CurrentUser));

    for (R::TRootKey root : {R::TRootKey::hkDynData, R::TRootKey::hkPerformanceData}) {
        reg.RootKey = root;
        reg.RaiseExceptions = true;
        EXPECT_FALSE(reg.WriteValue("Player Mode", std::string("2P")));
        EXPECT_EQ(reg.ReadValue("Player Mode"), R::Variant{});
        EXPECT_FALSE(reg.ValueExists("Player Mode"));
        EXPECT_FALSE(reg.DeleteValue("Player Mode"));
        std::vector<std::string> names;
        EXPECT_FALSE(reg.GetKeyNames("", names));
    }
}

// The in-memory registry behaves as the Windows one does for what the program relies on.

TEST(MemoryRegistryTest, CreateMakesParentsAndOpenFindsOnlyExistingKeys) {
    MemoryRegistry m;
    EXPECT_EQ(m.open(RegRoot::CurrentUser, "A\\B", RegAccess::Read), nullptr);
    ASSERT_TRUE(m.create(RegRoot::CurrentUser, "A\\B\\C", RegAccess::Read));
    EXPECT_TRUE(m.open(RegRoot::CurrentUser, "a\\b", RegAccess::Read));
    EXPECT_EQ(m.open(RegRoot::LocalMachine, "A", RegAccess::Read), nullptr);
    for (const char* bad : {"\\A", "A\\", "A\\\\B"}) {
        EXPECT_EQ(m.open(RegRoot::CurrentUser, bad, RegAccess::Read), nullptr) << bad;
        EXPECT_EQ(m.create(RegRoot::CurrentUser, bad, RegAccess::Read), nullptr) << bad;
    }
}

TEST(MemoryRegistryTest, AccessMaskLimitsAnOpenKey) {
    struct Case {
        RegAccess access;
        bool canSet;
        bool canQuery;
    };
    const Case cases[] = {
        {RegAccess::Read, false, true},
        {RegAccess::Execute, false, true},
        {RegAccess::Write, true, false},
        {RegAccess::AllAccess, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.access));
        MemoryRegistry m;
        ASSERT_TRUE(m.create(RegRoot::Users, "K\\Child", RegAccess::AllAccess)
                        ->write("v", RegValue::fromDword(3)));
        auto key = m.open(RegRoot::Users, "K\\Child", c.access);
        ASSERT_TRUE(key);
        RegValue v;
        EXPECT_EQ(key->read("v", v), c.canQuery);
        EXPECT_EQ(key->valueExists("V"), c.canQuery);
        EXPECT_EQ(key->valueNames().size(), c.canQuery ? 1u : 0u);
        EXPECT_EQ(key->write("w", RegValue::string("s")), c.canSet);
        EXPECT_EQ(key->deleteValue("v"), c.canSet);
        auto parent = m.open(RegRoot::Users, "K", c.access);
        EXPECT_EQ(parent->subKeyNames().size(), c.canQuery ? 1u : 0u);
    }
}

TEST(MemoryRegistryTest, DeleteTreeRemovesAKeyAndEverythingBelowIt) {
    MemoryRegistry m;
    ASSERT_TRUE(m.create(RegRoot::CurrentUser, "A\\B\\C", RegAccess::AllAccess));
    ASSERT_TRUE(m.create(RegRoot::CurrentUser, "A\\Sibling", RegAccess::AllAccess));
    auto below = m.open(RegRoot::CurrentUser, "A\\B\\C", RegAccess::AllAccess);
    ASSERT_TRUE(below);

    EXPECT_TRUE(m.deleteTree(RegRoot::CurrentUser, "a\\b"));
    EXPECT_EQ(m.open(RegRoot::CurrentUser, "A\\B", RegAccess::Read), nullptr);
    EXPECT_TRUE(m.open(RegRoot::CurrentUser, "A\\Sibling", RegAccess::Read));
    EXPECT_FALSE(below->write("v", RegValue::string("s")));  // handle to a deleted key

    EXPECT_FALSE(m.deleteTree(RegRoot::CurrentUser, "A\\B"));
    EXPECT_FALSE(m.deleteTree(RegRoot::CurrentUser, ""));
    EXPECT_TRUE(m.deleteTree(RegRoot::CurrentUser, "A"));
    EXPECT_EQ(m.open(RegRoot::CurrentUser, "A", RegAccess::Read), nullptr);
}

TEST(MemoryRegistryTest, ValuesOfNoTypeAreRefused) {
    MemoryRegistry m;
    auto key = m.create(RegRoot::CurrentUser, "K", RegAccess::AllAccess);
    EXPECT_FALSE(key->write("v", RegValue{}));
    EXPECT_FALSE(key->valueExists("v"));
}

} // namespace
} // namespace cw
