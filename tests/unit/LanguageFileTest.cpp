#include "app/LanguageFile.h"
#include "app/StringTables.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace cw {
namespace {

// A translator's file: comments, blank lines, a multi-line text with an empty line, a
// continuation starting with blanks and a text ending with a blank.
constexpr std::string_view kSample =
    "# Textes du programme\n"
    "\n"
    "[TFormWZ]\n"
    "Param_ProductName=Configuration WiFi Quorvale\n"
    "UserNT_NotAdminMsg=Vous ne disposez pas des droits !\n"
    "+\n"
    "+         L'application va être quittée. \n"
    "Formula=a=b # pas un commentaire\n"
    "Empty=\n"
    "Tabbed=\tcol\n"
    "\n"
    "# the page manager\n"
    "[TFm_Frame_Manager]\n"
    "Button_Next=Suivant\n";

LanguageData sampleData() {
    return LanguageData{{
        {"TFormWZ",
         {{"Param_ProductName", "Configuration WiFi Quorvale"},
          {"UserNT_NotAdminMsg",
           "Vous ne disposez pas des droits !\x19\x1A\x19\x1A         L'application va être quittée. "},
          {"Formula", "a=b # pas un commentaire"},
          {"Empty", ""},
          {"Tabbed", "\tcol"}}},
        {"TFm_Frame_Manager", {{"Button_Next", "Suivant"}}},
    }};
}

std::string withCrlf(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

// Replaces the last four bytes by the checksum of the rest, as a forger would.
std::string withChecksum(std::string body) {
    const uint32_t crc = crc32(body);
    for (int i = 0; i < 4; ++i) body += static_cast<char>((crc >> (8 * i)) & 0xFF);
    return body;
}

TEST(LanguageFile, Crc32MatchesTheStandardCheckValue) {
    EXPECT_EQ(crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(crc32(""), 0u);
}

TEST(LanguageFile, TextFormReadsEntriesMultiLineTextsAndComments) {
    std::string error;
    const auto data = parseSil(kSample, error);
    ASSERT_TRUE(data) << error;
    EXPECT_EQ(*data, sampleData());
}

TEST(LanguageFile, CrlfAndBomGiveTheSameData) {
    for (const std::string& input :
         {withCrlf(kSample), "\xEF\xBB\xBF" + std::string(kSample),
          "\xEF\xBB\xBF" + withCrlf(kSample)}) {
        std::string error;
        const auto data = parseSil(input, error);
        ASSERT_TRUE(data) << error;
        EXPECT_EQ(*data, sampleData());
    }
}

TEST(LanguageFile, WriterPutsEachFurtherLineOnAContinuation) {
    const std::string text = writeSil(sampleData());
    EXPECT_NE(text.find("\r\n[TFormWZ]\r\nParam_ProductName=Configuration WiFi Quorvale\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("UserNT_NotAdminMsg=Vous ne disposez pas des droits !\r\n+\r\n"
                        "+         L'application va être quittée. \r\n"),
              std::string::npos);
    EXPECT_EQ(text.find('\x19'), std::string::npos);
}

TEST(LanguageFile, RoundTripTextBinaryText) {
    std::string error;
    const auto fromText = parseSil(kSample, error);
    ASSERT_TRUE(fromText) << error;
    const std::string binary = writeSib(*fromText);
    const auto fromBinary = parseSib(binary, error);
    ASSERT_TRUE(fromBinary) << error;
    EXPECT_EQ(*fromBinary, sampleData());
    const auto again = parseSil(writeSil(*fromBinary), error);
    ASSERT_TRUE(again) << error;
    EXPECT_EQ(*again, sampleData());
    // Texts ending in a line break, or made of line breaks only, survive too.
    const LanguageData edges{{{"M", {{"A", "x\x19\x1A"}, {"B", "\x19\x1A"}, {"C", " "}}}}};
    const auto edgesBack = parseSil(writeSil(edges), error);
    ASSERT_TRUE(edgesBack) << error;
    EXPECT_EQ(*edgesBack, edges);
}

TEST(LanguageFile, EmptyFilesHoldNoModules) {
    std::string error;
    for (std::string_view input : {"", "\xEF\xBB\xBF", "# only a comment\r\n\r\n"}) {
        const auto data = parseSil(input, error);
        ASSERT_TRUE(data) << error;
        EXPECT_TRUE(data->modules.empty());
    }
    const auto binary = parseSib(writeSib({}), error);
    ASSERT_TRUE(binary) << error;
    EXPECT_TRUE(binary->modules.empty());
}

struct TextErrorCase {
    std::string_view input;
    int line;
    std::string_view fragment;
};

TEST(LanguageFile, MalformedTextIsRejectedWithLineAndReason) {
    const TextErrorCase cases[] = {
        {"[M]\nA=ok\nB=caf\xC3(\n", 3, "invalid UTF-8"},
        {"Key=value\n", 1, "entry before any section"},
        {"[M]\njust words\n", 2, "no '='"},
        {"[M]\n=value\n", 2, "empty key"},
        {"[M]\nKey =value\n", 2, "blank or control"},
        {"+more\n", 1, "without an entry"},
        {"[M]\n+more\n", 2, "without an entry"},
        {"[M]\nA=1\n\n+more\n", 4, "without an entry"},
        {"[M]\nA=1\n# note\n+more\n", 4, "without an entry"},
        {"[]\n", 1, "empty module name"},
        {"[M\n", 1, "malformed section"},
        {"[M]x\n", 1, "malformed section"},
        {"[T Form]\n", 1, "only letters, digits"},
        {"[M]\nA=1\n[m]\n", 3, "module 'm' appears twice"},
        {"[M]\nKey=1\nKEY=2\n", 3, "key 'KEY' appears twice"},
        {"[M]\nA=x\x07y\n", 2, "control character 0x07"},
        {"[M]\nA=x\ry\r\n", 2, "control character 0x0D"},
        {"[M]\nA=x\x19\x1Ay\n", 2, "control character 0x19"},
        {"[M]\nA=1\n+x\x01\n", 3, "control character 0x01"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "input: " << c.input);
        std::string error;
        EXPECT_FALSE(parseSil(c.input, error));
        EXPECT_NE(error.find("line " + std::to_string(c.line) + ":"), std::string::npos) << error;
        EXPECT_NE(error.find(c.fragment), std::string::npos) << error;
    }
}

TEST(LanguageFile, SameKeyInTwoModulesIsFine) {
    std::string error;
    const auto data = parseSil("[A]\nKey=1\n[B]\nkey=2\n", error);
    ASSERT_TRUE(data) << error;
    ASSERT_EQ(data->modules.size(), 2u);
}

struct ContentErrorCase {
    LanguageData data;
    std::string_view fragment;
};

// Content the text form cannot hold is refused in the compact form as well, even when the
// file itself is intact.
TEST(LanguageFile, BinaryFormHoldsItsContentToTheSameRules) {
    const ContentErrorCase cases[] = {
        {{{{"T Form", {}}}}, "only letters, digits"},
        {{{{"", {}}}}, "empty module name"},
        {{{{"Mod", {}}, {"MOD", {}}}}, "appears twice"},
        {{{{"M", {{"", "v"}}}}}, "empty key"},
        {{{{"M", {{"#Key", "v"}}}}}, "starts with"},
        {{{{"M", {{"A B", "v"}}}}}, "blank or control"},
        {{{{"M", {{"A=B", "v"}}}}}, "holds '='"},
        {{{{"M", {{"A", "1"}, {"a", "2"}}}}}, "key 'a' appears twice"},
        {{{{"M", {{"A", "line\nbreak"}}}}}, "control character 0x0A"},
        {{{{"M", {{"A", "half\x19pair"}}}}}, "control character 0x19"},
        {{{{"M", {{"A", "x\x19\x1A\x1A"}}}}}, "control character 0x1A"},
        {{{{"M", {{"A", "caf\xE9"}}}}}, "invalid UTF-8"},
        {{{{"M", {{"K\xFF", "v"}}}}}, "invalid UTF-8"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fragment);
        std::string error;
        EXPECT_FALSE(checkLanguageData(c.data, error));
        EXPECT_NE(error.find(c.fragment), std::string::npos) << error;
        EXPECT_FALSE(parseSib(writeSib(c.data), error));
        EXPECT_NE(error.find(c.fragment), std::string::npos) << error;
    }
}

TEST(LanguageFile, EveryTruncationOfABinaryFileIsRejected) {
    const std::string full = writeSib(sampleData());
    const std::string body = full.substr(0, full.size() - 4);
    for (size_t cut = 0; cut < full.size(); ++cut) {
        std::string error;
        EXPECT_FALSE(parseSib(full.substr(0, cut), error)) << "cut at " << cut;
        EXPECT_FALSE(error.empty());
    }
    // With the checksum recomputed, the lengths alone must catch the cut.
    for (size_t cut = 4; cut < body.size(); ++cut) {
        std::string error;
        EXPECT_FALSE(parseSib(withChecksum(body.substr(0, cut)), error)) << "cut at " << cut;
        EXPECT_NE(error.find("truncated"), std::string::npos) << "cut at " << cut << ": " << error;
    }
}

TEST(LanguageFile, EveryFlippedByteOfABinaryFileIsRejected) {
    const std::string full = writeSib(sampleData());
    for (size_t i = 0; i < full.size(); ++i) {
        for (const unsigned char mask : {0x01, 0x80, 0xFF}) {
            std::string damaged = full;
            damaged[i] = static_cast<char>(damaged[i] ^ mask);
            std::string error;
            EXPECT_FALSE(parseSib(damaged, error)) << "byte " << i << " mask " << int(mask);
        }
    }
}

TEST(LanguageFile, ForgedHeadersAreRejected) {
    const std::string full = writeSib(sampleData());
    const std::string body = full.substr(0, full.size() - 4);
    struct Case {
        std::string bytes;
        std::string_view fragment;
    };
    std::string otherVersion = body;
    otherVersion[4] = 2;
    const Case cases[] = {
        {"SIL1" + body.substr(4), "bad magic"},
        {withChecksum(otherVersion), "unsupported format version 2"},
        // A huge module count, or entry count, in a file far too small to hold them.
        {withChecksum(std::string("CWLF\1\0\0\0\xFF\xFF\xFF\xFF", 12)), "4294967295 modules"},
        {withChecksum(std::string("CWLF\1\0\0\0\1\0\0\0\1\0\0\0M\xFF\xFF\xFF\x7F", 21)),
         "2147483647 entries"},
        {withChecksum(std::string("CWLF\1\0\0\0\1\0\0\0\xF0\xFF\xFF\xFF\0\0\0\0", 20)),
         "module #1: truncated"},
        {withChecksum(std::string("CWLF\1\0\0\0\0\0\0\0\0", 13)), "1 unexpected bytes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fragment);
        std::string error;
        EXPECT_FALSE(parseSib(c.bytes, error));
        EXPECT_NE(error.find(c.fragment), std::string::npos) << error;
    }
}

TEST(LanguageFile, FormFollowsTheExtension) {
    EXPECT_EQ(languageFormOf("C:\\Prog\\ConfigWiFi.sil"), LanguageForm::Text);
    EXPECT_EQ(languageFormOf("ConfigWiFi.SIB"), LanguageForm::Binary);
    EXPECT_EQ(languageFormOf("ConfigWiFi.exe"), std::nullopt);
    EXPECT_EQ(languageFormOf("sil"), std::nullopt);
}

// The tool, run as support staff would.
class LangTool : public testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("configwifi-langtool-" +
                std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    static int run(const std::string& args) {
        const std::string command =
            std::string("\"") + CONFIGWIFI_LANGTOOL + "\" " + args + " >/dev/null 2>&1";
        const int status = std::system(command.c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    static std::string read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

    std::filesystem::path dir_;
};

TEST_F(LangTool, ExportCompileDecompileGivesTheExportBack) {
    const std::string sil = path("ConfigWiFi.sil");
    const std::string sib = path("ConfigWiFi.sib");
    const std::string back = path("back.sil");
    ASSERT_EQ(run("export \"" + sil + "\""), 0);
    ASSERT_EQ(run("compile \"" + sil + "\" \"" + sib + "\""), 0);
    ASSERT_EQ(run("decompile \"" + sib + "\" \"" + back + "\""), 0);
    const std::string exported = read(sil);
    EXPECT_EQ(read(back), exported);

    // The export carries the real compiled-in texts.
    std::string error;
    const auto data = parseSil(exported, error);
    ASSERT_TRUE(data) << error;
    EXPECT_EQ(*data, compiledInTables());
    EXPECT_EQ(run("check \"" + sib + "\""), 0);
    EXPECT_EQ(run("check \"" + sil + "\""), 0);
}

TEST_F(LangTool, ReportsBadFilesAndBadArguments) {
    const std::string bad = path("bad.sil");
    std::ofstream(bad) << "[TFormWZ]\nno equals sign\n";
    const std::string sourceAsSib = std::string(CONFIGWIFI_SOURCE_DIR) + "/CMakeLists.txt";
    struct Case {
        std::string args;
        int exitCode;
    };
    const Case cases[] = {
        {"", 2},
        {"export", 2},
        {"compile \"" + bad + "\"", 2},
        {"translate a b", 2},
        {"compile \"" + bad + "\" \"" + path("out.sib") + "\"", 1},
        {"check \"" + bad + "\"", 1},
        {"decompile \"" + sourceAsSib + "\" \"" + path("out.sil") + "\"", 1},
        {"check \"" + path("missing.sib") + "\"", 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.args), c.exitCode) << c.args;
    }
    EXPECT_FALSE(std::filesystem::exists(path("out.sib")));
}

} // namespace
} // namespace cw
