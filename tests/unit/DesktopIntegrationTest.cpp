// Service helpers and desktop routines over the simulated service table, processes, shell
// and registry.
#include "app/DesktopIntegration.h"
#include "app/NTService.h"
#include "app/StringUtil.h"
#include "sim/MemoryRegistry.h"
#include "sim/SimProcesses.h"
#include "sim/SimServices.h"
#include "sim/SimShell.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace cw;

namespace {

class NTServiceTest : public ::testing::Test {
  protected:
    NTServiceTest() {
        log.setSink([this](std::string_view line) { lines.emplace_back(line); });
        log.setEnabled(true);
        services.add("Spooler", "Print Spooler", kServiceStopped);
        services.add("wuauserv", "Mises à jour automatiques", kServiceRunning);
        services.add("Locked", "Service verrouillé", kServiceRunning, /*refuses=*/true);
    }

    [[nodiscard]] bool traced(std::string_view text) const {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& l) { return str::endsWithNoCase(l, text); });
    }
    [[nodiscard]] uint32_t state(std::string_view name) {
        return services.find(name)->status.state;
    }

    SimServices services;
    TraceLog log;
    std::vector<std::string> lines;
    NTService nt{services, log};
};

TEST_F(NTServiceTest, FindsAServiceByServiceOrDisplayNameIgnoringCase) {
    const struct {
        const char* name;
        bool running;
    } cases[] = {
        {"Spooler", false},
        {"SPOOLER", false},
        {"print spooler", false},
        {"wuauserv", true},
        {"MISES À JOUR AUTOMATIQUES", true},
    };
    for (const auto& c : cases) {
        bool running = !c.running;
        EXPECT_TRUE(nt.CheckServiceState(c.name, running)) << c.name;
        EXPECT_EQ(running, c.running) << c.name;
    }
}

TEST_F(NTServiceTest, UnknownServiceGivesFalseAndLeavesTheFlag) {
    for (const bool initial : {false, true}) {
        bool running = initial;
        EXPECT_FALSE(nt.CheckServiceState("Absent", running));
        EXPECT_EQ(running, initial);
    }
    bool running = true;
    EXPECT_FALSE(nt.CheckServiceState("Print", running)) << "names match whole, not in part";
}

TEST_F(NTServiceTest, EveryStateSetsTheFlagAndOthersLeaveIt) {
    // state, whether it sets the flag, the value it sets.
    const struct {
        uint32_t state;
        bool sets;
        bool running;
    } cases[] = {
        {1, true, false}, {2, true, false}, {3, true, false},  {4, true, true},   {5, true, false},
        {6, true, false}, {7, true, false}, {0, false, false}, {8, false, false},
    };
    for (const auto& c : cases) {
        services.find("Spooler")->status.state = c.state;
        for (const bool initial : {false, true}) {
            bool running = initial;
            EXPECT_TRUE(nt.CheckServiceState("Spooler", running)) << c.state;
            EXPECT_EQ(running, c.sets ? c.running : initial) << "state " << c.state;
        }
    }
}

TEST_F(NTServiceTest, FirstMatchingEntryDecides) {
    services.entries.clear();
    services.add("Agent", "Agent A", kServiceStopped);
    services.add("AgentSvc", "agent", kServiceRunning);
    bool running = true;
    EXPECT_TRUE(nt.CheckServiceState("AGENT", running));
    EXPECT_FALSE(running);
}

TEST_F(NTServiceTest, FailedEnumerationOrRefusedManagerIsLikeNoService) {
    services.enumerationError = SimServices::kInsufficientBuffer;
    bool running = true;
    EXPECT_FALSE(nt.CheckServiceState("Spooler", running));
    EXPECT_TRUE(running);
    EXPECT_TRUE(traced("Error EnumServicesStatus 122"));

    services.enumerationError = 0;
    services.refuseConnection = true;
    EXPECT_FALSE(nt.CheckServiceState("Spooler", running));
    EXPECT_TRUE(running);
}

TEST_F(NTServiceTest, StartsAndStopsByServiceName) {
    nt.StartStopService("spooler", true);
    EXPECT_EQ(state("Spooler"), kServiceRunning);
    EXPECT_TRUE(traced("spooler service started"));
    nt.StartStopService("Spooler", false);
    EXPECT_EQ(state("Spooler"), kServiceStopped);
    EXPECT_FALSE(traced("Error : Unable to stop service"));
}

TEST_F(NTServiceTest, DisplayNameOpensTheServiceThroughTheEnumeration) {
    nt.StartStopService("Print Spooler", true);
    EXPECT_EQ(state("Spooler"), kServiceRunning);
    EXPECT_EQ(services.opened, std::vector<std::string>{"Spooler"});
    EXPECT_TRUE(traced("Print Spooler service started"));

    nt.StartStopService("mises à jour automatiques", false);
    EXPECT_EQ(state("wuauserv"), kServiceStopped);

    bool running = true;
    EXPECT_TRUE(nt.CheckServiceState("Print Spooler", running));
    EXPECT_TRUE(running) << "the routines see the same table";
}

TEST_F(NTServiceTest, RefusedCommandsLeaveTheServiceAndAreTraced) {
    nt.StartStopService("Locked", false);
    EXPECT_EQ(state("Locked"), kServiceRunning);
    EXPECT_TRUE(traced("Error : Unable to stop service"));

    nt.StartStopService("wuauserv", true); // already running: Windows refuses the start
    EXPECT_EQ(state("wuauserv"), kServiceRunning);
    EXPECT_TRUE(traced("Error : Unable to start service"));
    EXPECT_FALSE(traced("wuauserv service started"));
}

TEST_F(NTServiceTest, ServiceThatCannotBeOpenedIsTraced) {
    nt.StartStopService("Absent", true);
    EXPECT_TRUE(traced("Error : Unable to open service Absent"));

    services.enumerationError = SimServices::kAccessDenied;
    nt.StartStopService("Print Spooler", true);
    EXPECT_TRUE(traced("Error : Unable to list services"));
    EXPECT_TRUE(traced("Error : Unable to open service Print Spooler"));
    EXPECT_EQ(state("Spooler"), kServiceStopped);

    lines.clear();
    services.enumerationError = 0;
    services.refuseConnection = true;
    nt.StartStopService("Spooler", true);
    EXPECT_EQ(state("Spooler"), kServiceStopped);
    EXPECT_FALSE(traced("Error : Unable to open service Spooler"));
}

TEST(IsProcessRunningTest, MatchesTheFileNameOrTheWholePathIgnoringCase) {
    SimProcesses processes;
    processes.start("C:\\Program Files\\Quorvale\\Agent_WiFi.exe");
    processes.start("C:\\Windows\\explorer.exe");
    processes.start("System");
    const struct {
        const char* name;
        bool running;
    } cases[] = {
        {"agent_wifi.exe", true},
        {"AGENT_WIFI.EXE", true},
        {"c:\\program files\\quorvale\\agent_wifi.exe", true},
        {"C:\\Windows\\Explorer.exe", true},
        {"system", true},
        {"Agent_WiFi", false},
        {"quorvale\\Agent_WiFi.exe", false},
        {"C:\\Other\\Agent_WiFi.exe", false},
        {"\\System", false},
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsProcessRunning(processes, c.name), c.running) << c.name;

    processes.setListingFails(true);
    EXPECT_FALSE(IsProcessRunning(processes, "explorer.exe"));
}

TEST(RunAndWaitTest, GivesTheExitCodeOrMinusOneWhenTheProgramCannotStart) {
    SimShell shell;
    shell.exitCode = 7;
    EXPECT_EQ(RunAndWait(shell, "cmd /c exit 7", ShowMode::Hide), 7);
    EXPECT_EQ(shell.ran, (std::vector<SimShell::Ran>{{"cmd /c exit 7", ShowMode::Hide}}));
    shell.failStarts = true;
    EXPECT_EQ(RunAndWait(shell, "missing.exe", ShowMode::Normal), -1);
}

TEST(OpenHtmlFileTest, OpensTheTargetWithTheQuotedProgramOnly) {
    constexpr const char* kTarget = "C:\\Aide\\index.html";
    const struct {
        const char* command; // nullptr: no value registered
        const char* program; // nullptr: nothing opened
    } cases[] = {
        {"\"C:\\Program Files\\IE\\iexplore.exe\" -nohome", "C:\\Program Files\\IE\\iexplore.exe"},
        {"\"C:\\Viewer.exe\" \"%1\"", "C:\\Viewer.exe"},
        {"C:\\Program Files\\IE\\iexplore.exe -nohome", nullptr},
        {"\"C:\\Program Files\\IE\\iexplore.exe -nohome", nullptr},
        {"\"\" -nohome", nullptr},
        {"", nullptr},
        {nullptr, nullptr},
    };
    for (const auto& c : cases) {
        MemoryRegistry registry;
        if (c.command) {
            auto key = registry.create(RegRoot::ClassesRoot, "htmlfile\\shell\\open\\command",
                                       RegAccess::Write);
            ASSERT_TRUE(key && key->write("", RegValue::string(c.command)));
        }
        SimShell shell;
        OpenHtmlFile(registry, shell, kTarget);
        const auto expected = c.program ? std::vector<SimShell::OpenedWith>{{c.program, kTarget}}
                                        : std::vector<SimShell::OpenedWith>{};
        EXPECT_EQ(shell.openedWith, expected) << (c.command ? c.command : "(none)");
        EXPECT_TRUE(shell.opened.empty() && shell.started.empty());
    }
}

TEST(DeleteRunValueTest, DeletesUnderTheRootOfTheWindowsFamily) {
    const std::string runKey(kRunKey);
    // NT or 9x, where the entry exists, whether it is deleted, the root that keeps its copy.
    const struct {
        bool isNT;
        std::vector<RegRoot> present;
        bool deleted;
    } cases[] = {
        {true, {RegRoot::CurrentUser, RegRoot::LocalMachine}, true},
        {false, {RegRoot::CurrentUser, RegRoot::LocalMachine}, true},
        {true, {RegRoot::LocalMachine}, false},
        {false, {RegRoot::CurrentUser}, false},
    };
    for (const auto& c : cases) {
        MemoryRegistry registry;
        for (const RegRoot root : c.present) {
            auto key = registry.create(root, runKey, RegAccess::Write);
            ASSERT_TRUE(key && key->write("ZKAgent WiFi", RegValue::string("agent.exe")));
            ASSERT_TRUE(key->write("Other", RegValue::string("other.exe")));
        }
        TRegistryEnhanced reg(registry);
        reg.Access = TRegistryEnhanced::TAccess::kRead;
        AppData appData;
        appData.IsNT = c.isNT;
        appData.Is9x = !c.isNT;

        EXPECT_EQ(DeleteRunValue(reg, appData), c.deleted) << c.isNT;
        EXPECT_EQ(reg.Access, TRegistryEnhanced::TAccess::kRead) << "access restored";

        const RegRoot target = c.isNT ? RegRoot::CurrentUser : RegRoot::LocalMachine;
        for (const RegRoot root : c.present) {
            auto key = registry.open(root, runKey, RegAccess::Read);
            ASSERT_TRUE(key);
            EXPECT_EQ(key->valueExists("ZKAgent WiFi"), root != target) << c.isNT;
            EXPECT_TRUE(key->valueExists("Other"));
        }
    }
}

} // namespace
