#include "app/ProcessSerialKiller.h"
#include "app/StringTable.h"
#include "app/StringTables.h"
#include "sim/SimProcesses.h"
#include "sim/VirtualEventLoop.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace cw;

namespace {

class SerialKillerTest : public ::testing::Test {
protected:
    SerialKillerTest() {
        log.setSink([this](std::string_view line) { lines.emplace_back(line); });
        log.setEnabled(true);
    }

    [[nodiscard]] bool traced(std::string_view text) const {
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) {
            return l.size() >= text.size() &&
                   l.compare(l.size() - text.size(), text.size(), text) == 0;
        });
    }

    // The main window's table as compiled in.
    [[nodiscard]] StringTable& mainTable() { return language.table(kMainWindowTable); }

    std::unique_ptr<TDM_ProcessSerialKiller> start() {
        return startProcessSerialKiller(mainTable(), processes, loop, log, mainTrace);
    }

    SimProcesses processes;
    VirtualEventLoop loop;
    TraceLog log;
    Trace mainTrace{log, std::string(kMainWindowTable)};
    std::vector<std::string> lines;
    Language language{compiledInTables()};
};

struct KillCase {
    const char* title;
    std::vector<std::string> running; // program paths
    std::string killList;
    std::vector<std::string> ended; // paths expected to be ended, the others survive
};

} // namespace

TEST_F(SerialKillerTest, EndsExactlyTheProcessesWhoseWholeNameIsListed) {
    const std::string defaults = mainTable().GetText("SerialKiller_Apps");
    const std::vector<KillCase> cases = {
        {"case ignored, whole name only",
         {"C:\\Tools\\wlancfg.EXE", "C:\\Tools\\mywlancfg.exe", "C:\\Tools\\wlancfg.exe.bak"},
         defaults,
         {"C:\\Tools\\wlancfg.EXE"}},
        {"empty parts name nothing",
         {"C:\\A\\a.exe", "C:\\B\\b.exe", "C:\\C\\c.exe", "C:\\Odd\\"},
         "a.exe;;b.exe;",
         {"C:\\A\\a.exe", "C:\\B\\b.exe"}},
        {"every instance ended",
         {"C:\\X\\WG111.exe", "C:\\Y\\explorer.exe", "C:\\Z\\wg111.exe"},
         defaults,
         {"C:\\X\\WG111.exe", "C:\\Z\\wg111.exe"}},
        {"name listed twice ends the process once",
         {"C:\\X\\a.exe"},
         "a.exe;A.EXE",
         {"C:\\X\\a.exe"}},
        {"empty list", {"C:\\X\\wlancfg.exe", "C:\\Odd\\"}, "", {}},
    };
    for (const KillCase& c : cases) {
        SCOPED_TRACE(c.title);
        SimProcesses table;
        std::vector<std::pair<std::string, uint32_t>> ids;
        for (const std::string& path : c.running)
            ids.emplace_back(path, table.start(path));
        TDM_ProcessSerialKiller killer(table, loop, log);

        int count = -1;
        EXPECT_TRUE(killer.KillProcesses(c.killList, count));
        EXPECT_EQ(count, static_cast<int>(c.ended.size()));
        for (const auto& [path, id] : ids) {
            const bool expectEnded =
                std::find(c.ended.begin(), c.ended.end(), path) != c.ended.end();
            EXPECT_EQ(table.isRunning(id), !expectEnded) << path;
        }
        EXPECT_EQ(killer.ProcessList().size(), c.running.size() - c.ended.size());
    }
}

TEST_F(SerialKillerTest, ProcessThatCannotBeOpenedMakesTheResultFalse) {
    const uint32_t system = processes.start("C:\\Windows\\wlancfg.exe", /*openable=*/false);
    const uint32_t user = processes.start("C:\\Tools\\WLANCFG.exe");
    TDM_ProcessSerialKiller killer(processes, loop, log);

    int count = -1;
    EXPECT_FALSE(killer.KillProcesses("wlancfg.exe", count));
    EXPECT_EQ(count, 1);
    EXPECT_TRUE(processes.isRunning(system));
    EXPECT_FALSE(processes.isRunning(user));
}

TEST_F(SerialKillerTest, RefreshListsNameIdAndFolderAndReportsAListingFailure) {
    const uint32_t id = processes.start("C:\\Program Files\\Vendor\\WlanMonitor.exe");
    TDM_ProcessSerialKiller killer(processes, loop, log);
    ASSERT_EQ(killer.ProcessList().size(), 1u);
    EXPECT_EQ(killer.ProcessList()[0].name, "WlanMonitor.exe");
    EXPECT_EQ(killer.ProcessList()[0].id, id);
    EXPECT_EQ(killer.ProcessList()[0].folder, "C:\\Program Files\\Vendor");
    EXPECT_FALSE(killer.AutoKill());
    EXPECT_FALSE(killer.TimerAutoRefresh().enabled());

    processes.setListingFails(true);
    int count = -1;
    EXPECT_TRUE(killer.KillProcesses("WlanMonitor.exe", count));
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(killer.ProcessList().empty());
    EXPECT_TRUE(traced("PSAPI.DLL not found! Are you sure you are running windows NT/Y2K ?"));
}

TEST_F(SerialKillerTest, StartUpEndsListedProgramsAndArmsThePeriodicKill) {
    const uint32_t utility = processes.start("C:\\Vendor\\WLANUTL.exe");
    const uint32_t other = processes.start("C:\\Windows\\explorer.exe");

    auto killer = start();
    EXPECT_FALSE(processes.isRunning(utility));
    EXPECT_TRUE(processes.isRunning(other));
    EXPECT_TRUE(traced("Kill succeed! 1 Killed process"));
    EXPECT_EQ(killer->TimerAutoRefresh().interval(), 30000u);
    EXPECT_TRUE(killer->TimerAutoRefresh().enabled());
    EXPECT_TRUE(killer->AutoKill());
    EXPECT_EQ(killer->KillList(), mainTable().GetText("SerialKiller_Apps"));
}

TEST_F(SerialKillerTest, StartUpTracesWhenNotEveryProcessCouldBeEnded) {
    processes.start("C:\\Windows\\wlancfg5.exe", /*openable=*/false);
    processes.start("C:\\Vendor\\wlancfg8.exe");
    auto killer = start();
    EXPECT_TRUE(traced("Not all Kill succeed! Some process may be still here1 Killed Process"));
}

TEST_F(SerialKillerTest, ProgramStartedLaterIsEndedWithinOneInterval) {
    auto killer = start();
    loop.pumpedWait(12'340);
    const uint32_t late = processes.start("C:\\Vendor\\WG511WLU.exe");
    const uint32_t other = processes.start("C:\\Vendor\\notepad.exe");
    loop.pumpedWait(30'000);
    EXPECT_FALSE(processes.isRunning(late));
    EXPECT_TRUE(processes.isRunning(other));
    ASSERT_EQ(processes.terminated().size(), 1u);
}

TEST_F(SerialKillerTest, TicksWithoutAutoKillOnlyRefresh) {
    TDM_ProcessSerialKiller killer(processes, loop, log);
    killer.SetKillList("wlancfg.exe");
    killer.SetInterval(1000);
    killer.SetAutoKill(true);
    killer.SetAutoKill(false);
    EXPECT_TRUE(killer.TimerAutoRefresh().enabled());

    const uint32_t id = processes.start("C:\\Vendor\\wlancfg.exe");
    loop.pumpedWait(1000);
    EXPECT_TRUE(processes.isRunning(id));
    ASSERT_EQ(killer.ProcessList().size(), 1u);

    killer.SetAutoKill(true);
    killer.SetAutoRefresh(false);
    EXPECT_FALSE(killer.AutoKill());
    loop.pumpedWait(5000);
    EXPECT_TRUE(processes.isRunning(id));
}

TEST(SerialKillerInterval, SecondsTimesThousandOrSixtySeconds) {
    const std::vector<std::pair<std::string, uint32_t>> cases = {
        {"30", 30000},  {"5", 5000},    {"0", 0},       {"abc", 60000}, {"", 60000},
        {"1.5", 60000}, {" 30", 60000}, {"30s", 60000}, {"-5", 60000},  {"4294968", 60000},
    };
    for (const auto& [text, ms] : cases)
        EXPECT_EQ(serialKillerIntervalMs(text), ms) << text;
}

TEST_F(SerialKillerTest, StartUpUsesSixtySecondsWhenTheIntervalIsNotAnInteger) {
    StringTable& table = mainTable();
    std::vector<TableEntry> entries = table.storedEntries();
    for (TableEntry& e : entries)
        if (e.key == "SerialKiller_Interval_Sec") e.value = "trente";
    table.replace(entries);
    auto killer = start();
    EXPECT_EQ(killer->TimerAutoRefresh().interval(), 60000u);
}
