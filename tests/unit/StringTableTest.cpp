#include "app/Blowfish.h"
#include "app/StringTable.h"
#include "app/StringTables.h"
#include "app/Trace.h"
#include "sim/MemoryFileSystem.h"

#include <gtest/gtest.h>

using namespace cw;

namespace {

constexpr const char* kExe = "C:\\Kit\\ConfigWiFi.EXE";

struct LanguageFixture : ::testing::Test {
    LanguageFixture() {
        log.setSink([this](std::string_view l) { traced.append(l).append("\n"); });
        log.setEnabled(true);
        EXPECT_TRUE(fs.createDirectory("C:\\Kit"));
    }
    std::string fileWith(std::string_view module, std::string_view key, std::string_view value) {
        return writeSil(LanguageData{{ModuleSection{std::string(module), {{std::string(key), std::string(value)}}}}});
    }

    MemoryFileSystem fs;
    TraceLog log;
    Trace trace{log, "TFormWZ"};
    std::string traced;
    Language language{compiledInTables()};
};

} // namespace

TEST(StringTable, LooksUpKeysIgnoringCaseAndMissingKeysGiveEmptyText) {
    const StringTable table("T", {{"TestItem", "Langue = FR"}, {"Param_ProductName", "X"}});
    EXPECT_EQ(table.GetText("param_productname"), "X");
    EXPECT_EQ(table.GetText("TESTITEM"), "Langue = FR");
    EXPECT_EQ(table.GetText("test_item"), "");
    EXPECT_EQ(table.GetText(""), "");
}

TEST(StringTable, TurnsTheStoredBreakPairIntoCrLfAndKeepsBackslashes) {
    const StringTable table("T", {{"Two", "one\x19\x1Atwo"}, {"Share", "\\\\server\\share"}});
    EXPECT_EQ(table.GetText("Two"), "one\r\ntwo");
    EXPECT_EQ(table.GetText("Share"), "\\\\server\\share");
    EXPECT_EQ(table.storedEntries()[0].value, "one\x19\x1Atwo");
}

TEST(StringTable, MainWindowTableHoldsItsDefaults) {
    Language language(compiledInTables());
    const StringTable& main = language.table(kMainWindowTable);
    EXPECT_EQ(main.GetText("Param_ProductName"), "Configuration WiFi Quorvale");
    EXPECT_EQ(main.GetText("SerialKiller_Interval_Sec"), "30");
    EXPECT_EQ(main.GetText("UserNT_NotAdminMsg"),
              "Vous ne disposez pas des droits 'Administrateur' sur ce poste!\r\n\r\n"
              "         L'application va maintenant être quittée. ");
    // The enciphered name deciphers with the program's key into a usable directory name.
    const DecipherResult isp = decipherValue(main.GetText("__AppBF_VispName"), kCipherKey);
    EXPECT_TRUE(isp.ok());
    EXPECT_EQ(isp.text, "Quorvale");
    EXPECT_TRUE(decipherValue(main.GetText("__AppBF_VispConfigFile"), kCipherKey).text.empty());
}

TEST_F(LanguageFixture, WithoutAFileTheBuiltInTablesStayAndTheTraceSaysSo) {
    EXPECT_FALSE(language.InitLanguage(fs, kExe, trace));
    EXPECT_NE(traced.find("External Sib or Sil File not Found : C:\\Kit\\ConfigWiFi.sil"), std::string::npos);
    EXPECT_EQ(language.table(kMainWindowTable).GetText("TestItem"), "Langue = FR");
}

TEST_F(LanguageFixture, TextFileReplacesTheWholeModuleTable) {
    ASSERT_TRUE(fs.writeFile("C:\\Kit\\ConfigWiFi.sil", fileWith("TFormWZ", "TestItem", "Langue = EN")));
    EXPECT_TRUE(language.InitLanguage(fs, kExe, trace));
    const StringTable& main = language.table(kMainWindowTable);
    EXPECT_EQ(main.GetText("testitem"), "Langue = EN");
    EXPECT_EQ(main.GetText("Param_ProductName"), ""); // not in the file: the whole table went
    EXPECT_EQ(language.languageFile(), "C:\\Kit\\ConfigWiFi.sil");
}

TEST_F(LanguageFixture, BinaryFileWinsOverTextFile) {
    const std::string binary = writeSib(*parseSil(fileWith("TFormWZ", "TestItem", "from sib"), traced));
    ASSERT_TRUE(fs.writeFile("C:\\Kit\\ConfigWiFi.sib", binary));
    ASSERT_TRUE(fs.writeFile("C:\\Kit\\ConfigWiFi.sil", fileWith("TFormWZ", "TestItem", "from sil")));
    EXPECT_TRUE(language.InitLanguage(fs, kExe, trace));
    EXPECT_EQ(language.table(kMainWindowTable).GetText("TestItem"), "from sib");
}

TEST_F(LanguageFixture, BadFilesAreIgnoredWithATrace) {
    const std::string good = writeSib(*parseSil(fileWith("TFormWZ", "TestItem", "x"), traced));
    const std::string cases[] = {
        good.substr(0, good.size() / 2),      // truncated
        std::string("\x00\xFF\x13garbage", 10), // binary garbage
    };
    for (const auto& bytes : cases) {
        ASSERT_TRUE(fs.writeFile("C:\\Kit\\ConfigWiFi.sib", bytes));
        traced.clear();
        EXPECT_FALSE(language.InitLanguage(fs, kExe, trace));
        EXPECT_NE(traced.find("Language file ignored"), std::string::npos);
        EXPECT_EQ(language.table(kMainWindowTable).GetText("TestItem"), "Langue = FR");
    }
    ASSERT_TRUE(fs.deleteFile("C:\\Kit\\ConfigWiFi.sib"));
    ASSERT_TRUE(fs.writeFile("C:\\Kit\\ConfigWiFi.sil", "[TFormWZ]\nTestItem=\xE9t\xE9\n")); // Latin-1, not UTF-8
    EXPECT_FALSE(language.InitLanguage(fs, kExe, trace));
    EXPECT_EQ(language.table(kMainWindowTable).GetText("TestItem"), "Langue = FR");
}

TEST_F(LanguageFixture, UnknownModulesInTheFileAreSkipped) {
    ASSERT_TRUE(fs.writeFile("C:\\Kit\\ConfigWiFi.sil", fileWith("TNoSuchModule", "A", "B")));
    EXPECT_TRUE(language.InitLanguage(fs, kExe, trace));
    EXPECT_NE(traced.find("unknown module ignored: TNoSuchModule"), std::string::npos);
    EXPECT_EQ(language.table(kMainWindowTable).GetText("TestItem"), "Langue = FR");
}

TEST(Language, ExportedTablesReadBackUnchanged) {
    const Language language(compiledInTables());
    std::string error;
    const auto parsed = parseSil(writeSil(language.exportTables()), error);
    ASSERT_TRUE(parsed) << error;
    EXPECT_EQ(*parsed, compiledInTables());
}
