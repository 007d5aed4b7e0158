#include "app/Trace.h"
#include "sim/MemoryFileSystem.h"

#include <gtest/gtest.h>

using namespace cw;

TEST(Trace, WritesEntryExitAndMessagesWithTimeAndCategory) {
    TraceLog log;
    std::vector<std::string> lines;
    log.setSink([&](std::string_view l) { lines.emplace_back(l); });
    uint64_t now = 12345;
    log.setClock([&] { return now; });
    log.setEnabled(true);
    Trace trace(log, "TFormWZ");
    {
        auto scope = trace.scope("FormCreate");
        trace.message("Admin check passed");
    }
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "12.345\tTFormWZ\tEnter\tTFormWZ - FormCreate");
    EXPECT_EQ(lines[1], "12.345\tTFormWZ\tMsg\tAdmin check passed");
    EXPECT_EQ(lines[2], "12.345\tTFormWZ\tExit\tTFormWZ - FormCreate");
}

TEST(Trace, DisabledLogWritesNothing) {
    TraceLog log;
    int count = 0;
    log.setSink([&](std::string_view) { ++count; });
    Trace trace(log, "X");
    trace.message("nothing");
    EXPECT_EQ(count, 0);
    log.setEnabled(true);
    trace.error("now");
    EXPECT_EQ(count, 1);
}

TEST(Trace, FileSinkAppendsLines) {
    MemoryFileSystem fs;
    ASSERT_TRUE(fs.createDirectory("C:\\Data"));
    TraceLog log;
    log.writeToFile(fs, "C:\\Data\\trace.log");
    log.setEnabled(true);
    Trace trace(log, "TDM_BoxTools");
    trace.message("one");
    trace.message("two");
    EXPECT_EQ(fs.readFile("C:\\Data\\trace.log"), "0.000\tTDM_BoxTools\tMsg\tone\r\n0.000\tTDM_BoxTools\tMsg\ttwo\r\n");
}

TEST(Trace, SecretsAreMasked) {
    const std::string masked = maskSecret("clé-WPA-1234");
    EXPECT_EQ(masked.find("clé"), std::string::npos);
    EXPECT_NE(masked.find("12"), std::string::npos); // the length, in characters
    EXPECT_EQ(maskSecret(""), "<empty>");
}

TEST(Trace, IsWantedByTheSettingOrTestMode) {
    struct Case {
        const char* setting;
        bool testMode;
        bool wanted;
    };
    const Case cases[] = {{"No", false, false}, {"yes", false, true}, {"TRUE", false, true},
                          {"", false, false},   {"No", true, true},   {"1", false, false}};
    for (const auto& c : cases) EXPECT_EQ(isTracerWanted(c.setting, c.testMode), c.wanted) << c.setting;
}
