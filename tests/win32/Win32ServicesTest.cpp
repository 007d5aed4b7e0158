// The services port and the desktop routines against Wine's real service manager,
// processes and registry.
#include "win32/Win32Services.h"
#include "app/DesktopIntegration.h"
#include "app/NTService.h"
#include "app/StringUtil.h"
#include "sim/SimShell.h"
#include "win32/Handles.h"
#include "win32/Win32Registry.h"
#include "win32/Win32Shell.h"
#include "win32/WinString.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <optional>

namespace cw {
namespace {

class Win32ServicesTest : public ::testing::Test {
  protected:
    Win32ServicesTest() {
        log.setSink([this](std::string_view line) { lines.emplace_back(line); });
        log.setEnabled(true);
    }

    [[nodiscard]] std::vector<ServiceStatus> listed() {
        std::vector<ServiceStatus> list;
        auto manager = services.connect();
        EXPECT_TRUE(manager);
        if (manager) {
            EXPECT_TRUE(manager->enumerate(list)) << manager->lastError();
        }
        return list;
    }
    [[nodiscard]] std::optional<ServiceStatus> listedService(std::string_view name) {
        for (const ServiceStatus& s : listed())
            if (str::equalsNoCase(s.name, name)) return s;
        return std::nullopt;
    }
    [[nodiscard]] bool traced(std::string_view text) const {
        return std::any_of(lines.begin(), lines.end(),
                           [&](const std::string& l) { return str::endsWithNoCase(l, text); });
    }
    // Polls until the service's running flag is `running`, for at most ten seconds.
    [[nodiscard]] bool becomes(std::string_view name, bool running) {
        for (int i = 0; i < 100; ++i) {
            bool now = !running;
            if (nt.CheckServiceState(name, now) && now == running) return true;
            Sleep(100);
        }
        return false;
    }

    Win32Services services;
    TraceLog log;
    std::vector<std::string> lines;
    NTService nt{services, log};
};

TEST_F(Win32ServicesTest, FindsServicesByServiceNameAndByDisplayName) {
    // Plug and Play always runs under Wine; the spooler is there, running or not.
    for (const char* name : {"PlugPlay", "Spooler"}) {
        const auto service = listedService(name);
        ASSERT_TRUE(service) << name;
        ASSERT_FALSE(service->displayName.empty());
        ASSERT_FALSE(str::equalsNoCase(service->displayName, service->name));
        for (const std::string& query : {std::string(name), str::upper(name), service->displayName,
                                         str::lower(service->displayName)}) {
            bool running = false;
            EXPECT_TRUE(nt.CheckServiceState(query, running)) << query;
            if (service->name == "PlugPlay") {
                EXPECT_TRUE(running) << query;
            }
        }
    }
}

TEST_F(Win32ServicesTest, GrowingBufferListsEveryService) {
    const std::vector<ServiceStatus> whole = listed();
    ASSERT_GT(whole.size(), 5u);
    win::ScHandle manager(
        OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT | SC_MANAGER_ENUMERATE_SERVICE));
    ASSERT_TRUE(manager);
    // Room for about one entry: the rest comes in further rounds.
    std::vector<ServiceStatus> pieces;
    uint32_t error = 0;
    ASSERT_TRUE(win::enumerateServices(manager.get(), 64, pieces, error)) << error;
    ASSERT_EQ(pieces.size(), whole.size());
    for (size_t i = 0; i < whole.size(); ++i) {
        EXPECT_EQ(pieces[i].name, whole[i].name);
        EXPECT_EQ(pieces[i].displayName, whole[i].displayName);
    }
}

TEST_F(Win32ServicesTest, ServiceThatDoesNotExist) {
    for (const bool initial : {false, true}) {
        bool running = initial;
        EXPECT_FALSE(nt.CheckServiceState("ConfigWiFiNoSuchService", running));
        EXPECT_EQ(running, initial);
    }
    auto manager = services.connect();
    ASSERT_TRUE(manager);
    EXPECT_FALSE(manager->openService("ConfigWiFiNoSuchService"));
    EXPECT_EQ(manager->lastError(), static_cast<uint32_t>(ERROR_SERVICE_DOES_NOT_EXIST));
    nt.StartStopService("ConfigWiFiNoSuchService", true);
    EXPECT_TRUE(traced("Error : Unable to open service ConfigWiFiNoSuchService"));
}

TEST_F(Win32ServicesTest, StartsAStoppedServiceByDisplayNameAndStopsIt) {
    const auto spooler = listedService("Spooler");
    ASSERT_TRUE(spooler);
    if (spooler->state != kServiceStopped) {
        nt.StartStopService("Spooler", false);
        ASSERT_TRUE(becomes("Spooler", false));
    }
    nt.StartStopService(spooler->displayName, true);
    EXPECT_TRUE(traced(spooler->displayName + " service started"));
    EXPECT_TRUE(becomes("Spooler", true));

    nt.StartStopService("Spooler", false);
    EXPECT_FALSE(traced("Error : Unable to stop service"));
    EXPECT_TRUE(becomes(spooler->displayName, false));
    const auto after = listedService("Spooler");
    ASSERT_TRUE(after);
    EXPECT_EQ(after->state, static_cast<uint32_t>(kServiceStopped));
}

TEST(Win32RunAndWaitTest, GivesTheExitCodeOfTheProgram) {
    Win32Shell shell;
    EXPECT_EQ(RunAndWait(shell, "cmd /c exit 7", ShowMode::Hide), 7);
    EXPECT_EQ(RunAndWait(shell, "cmd /c exit 0", ShowMode::Normal), 0);
}

TEST(Win32RunAndWaitTest, ProgramThatCannotStartGivesMinusOne) {
    Win32Shell shell;
    EXPECT_EQ(RunAndWait(shell, "C:\\ConfigWiFiNowhere\\missing-program.exe", ShowMode::Hide), -1);
    EXPECT_EQ(RunAndWait(shell, "", ShowMode::Hide), -1);
}

TEST(Win32RunAndWaitTest, InputAndPostedMessagesWaitUntilTheProgramEnds) {
    constexpr UINT kPosted = WM_APP + 7;
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE); // gives the thread its message queue
    ASSERT_TRUE(PostThreadMessageW(GetCurrentThreadId(), kPosted, 42, 0));
    Win32Shell shell;
    EXPECT_EQ(RunAndWait(shell, "cmd /c exit 3", ShowMode::Hide), 3);
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, kPosted, kPosted, PM_REMOVE))
        << "the posted message was taken during the wait";
    EXPECT_EQ(msg.wParam, 42u);
}

TEST(Win32ShellTest, IsRunningFollowsTheStartedProgram) {
    Win32Shell shell;
    const auto id = shell.startProgram("cmd /c exit 0");
    ASSERT_TRUE(id);
    for (int i = 0; i < 100 && shell.isRunning(*id); ++i)
        Sleep(100);
    EXPECT_FALSE(shell.isRunning(*id));
    EXPECT_FALSE(shell.isRunning(*id)) << "an ended program stays ended";
}

TEST(Win32DesktopRegistryTest, HtmlViewerOfTheRegistryOpensTheTarget) {
    Win32Registry registry;
    SimShell shell;
    OpenHtmlFile(registry, shell, "http://192.168.1.1/");
    ASSERT_EQ(shell.openedWith.size(), 1u);
    const std::string& program = shell.openedWith[0].program;
    EXPECT_TRUE(str::endsWithNoCase(program, ".exe")) << program;
    EXPECT_EQ(program.find('"'), std::string::npos) << program;
    EXPECT_NE(GetFileAttributesW(win::wide(program).c_str()), INVALID_FILE_ATTRIBUTES) << program;
    EXPECT_EQ(shell.openedWith[0].parameters, "http://192.168.1.1/");
}

TEST(Win32DesktopRegistryTest, OpenWithReportsWhetherTheProgramCouldBeOpened) {
    Win32Shell shell;
    EXPECT_TRUE(shell.openWith("cmd.exe", "/c exit 0"));
    EXPECT_FALSE(shell.openWith("C:\\ConfigWiFiNowhere\\viewer.exe", "page.html"));
}

TEST(Win32DesktopRegistryTest, DeleteRunValueRemovesTheAgentEntryOfTheCurrentUser) {
    Win32Registry registry;
    const std::string runKey(kRunKey);
    {
        auto key = registry.create(RegRoot::CurrentUser, runKey, RegAccess::Write);
        ASSERT_TRUE(key);
        ASSERT_TRUE(key->write(kRunValueName, RegValue::string("C:\\Agent\\Agent_WiFi.exe")));
    }
    TRegistryEnhanced reg(registry);
    reg.Access = TRegistryEnhanced::TAccess::kRead;
    AppData nt;
    nt.IsNT = true;
    EXPECT_TRUE(DeleteRunValue(reg, nt));
    EXPECT_EQ(reg.Access, TRegistryEnhanced::TAccess::kRead);
    auto key = registry.open(RegRoot::CurrentUser, runKey, RegAccess::Read);
    ASSERT_TRUE(key);
    EXPECT_FALSE(key->valueExists(kRunValueName));
    EXPECT_FALSE(DeleteRunValue(reg, nt)) << "nothing left to delete";
}

} // namespace
} // namespace cw
