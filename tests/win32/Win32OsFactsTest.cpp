// The OS facts port and the crash hook against Wine's real implementation.
#include "win32/Win32OsFacts.h"
#include "app/AppData.h"
#include "app/OsVersion.h"
#include "app/RunMode.h"
#include "app/Trace.h"
#include "win32/CrashHook.h"
#include "win32/Handles.h"
#include "win32/Win32FileSystem.h"
#include "win32/WinString.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

namespace cw {
namespace {

class Win32OsFactsTest : public ::testing::Test {
  protected:
    Win32OsFacts os;
    TraceLog log;
    Trace trace{log, "Test"};
};

TEST_F(Win32OsFactsTest, DefaultPrefixIsWindows7) {
    const std::optional<OsVersionInfo> version = os.versionInfo();
    ASSERT_TRUE(version);
    EXPECT_EQ(version->platformId, 2u);
    EXPECT_EQ(version->major, 6u);
    EXPECT_EQ(version->minor, 1u);
    AppData appData;
    GetOS(appData, os, trace);
    EXPECT_TRUE(appData.IsNT);
    EXPECT_TRUE(appData.IsSeven);
    EXPECT_FALSE(appData.IsVista);
    EXPECT_TRUE(IsVistaOrLater(os));
    EXPECT_EQ(appData.HasSP1, version->servicePack.find("Service Pack 1") != std::string::npos);
}

TEST_F(Win32OsFactsTest, SixtyFourBitProcessIsNotWow64) {
    // A 64-bit program is never a WOW64 process; a 32-bit one is under 64-bit Wine.
    EXPECT_EQ(os.isWow64Process(), sizeof(void*) == 4);
}

TEST_F(Win32OsFactsTest, TokenHoldsTheAdministratorsGroup) {
    const TokenGroups groups = os.tokenGroups();
    ASSERT_TRUE(groups.ok());
    EXPECT_FALSE(groups.sids.empty());
    for (const std::string& sid : groups.sids)
        EXPECT_EQ(sid.rfind("S-1-", 0), 0u) << sid;
    EXPECT_NE(std::find(groups.sids.begin(), groups.sids.end(), "S-1-5-32-544"), groups.sids.end());
    AppData appData;
    GetOS(appData, os, trace);
    EXPECT_TRUE(CheckCurrentUserIsAdmin(appData, os, trace));
}

TEST_F(Win32OsFactsTest, SystemDllHasVersionInformation) {
    const std::optional<std::string> root = os.environmentVariable("SystemRoot");
    ASSERT_TRUE(root);
    const std::optional<FileVersion> version = os.fileVersion(*root + "\\system32\\kernel32.dll");
    ASSERT_TRUE(version);
    EXPECT_GE(version->major, 5);
    EXPECT_FALSE(os.fileVersion(*root + "\\system32\\no-such-file.dll"));
}

TEST_F(Win32OsFactsTest, OwnPathVersionAndStringResources) {
    const std::string exe = os.exePath();
    EXPECT_TRUE(exe.size() > 4 && exe.compare(exe.size() - 4, 4, ".exe") == 0) << exe;
    EXPECT_EQ(os.fileVersion(exe), (FileVersion{7, 6, 5, 4}));
    EXPECT_EQ(os.stringResource(1000), "1");
    EXPECT_EQ(os.stringResource(3000), "Éthernet");
    EXPECT_EQ(os.stringResource(4321), "");
    EXPECT_TRUE(isBuildSwitchOn(os, BuildSwitch::KitBackupSwitch));
    EXPECT_FALSE(isBuildSwitchOn(os, BuildSwitch::DongleModeSwitch));
    EXPECT_FALSE(isBuildSwitchOn(os, BuildSwitch::EthernetModeSwitch));
}

TEST_F(Win32OsFactsTest, EnvironmentVariableRoundTrip) {
    const std::string name = "CONFIGWIFI_OSFACTS_TEST";
    EXPECT_FALSE(os.environmentVariable(name));
    const std::string longValue = "Réseau " + std::string(600, 'x');
    ASSERT_TRUE(SetEnvironmentVariableW(L"CONFIGWIFI_OSFACTS_TEST", win::wide(longValue).c_str()));
    EXPECT_EQ(os.environmentVariable("configwifi_osfacts_test"), longValue);
    ASSERT_TRUE(SetEnvironmentVariableW(L"CONFIGWIFI_OSFACTS_TEST", nullptr));
    EXPECT_FALSE(os.environmentVariable(name));
    EXPECT_TRUE(os.environmentVariable("APPDATA"));
}

class CrashHookTest : public Win32OsFactsTest {
  protected:
    CrashHookTest() {
        wchar_t temp[MAX_PATH];
        const DWORD length = GetTempPathW(MAX_PATH, temp);
        appData.AppDataDir = win::narrow(std::wstring_view(temp, length)) + "cw_crashhook";
        EXPECT_TRUE(fs.createDirectory(appData.AppDataDir) ||
                    fs.directoryExists(appData.AppDataDir));
        appData.VersionMajor = "1";
        appData.VersionMinor = "3";
        appData.VersionRelease = "0";
        appData.VersionBuild = "70";
        CrashHook::install(appData, fs, "Configuration WiFi Quorvale");
        (void)fs.deleteFile(CrashHook::reportPath());
    }
    ~CrashHookTest() override {
        (void)fs.deleteFile(CrashHook::reportPath());
        CrashHook::uninstall();
    }

    LONG raise(DWORD code) {
        EXCEPTION_RECORD record{};
        record.ExceptionCode = code;
        record.ExceptionAddress = reinterpret_cast<void*>(0x401A2B);
        CONTEXT context{};
        EXCEPTION_POINTERS pointers{&record, &context};
        return CrashHook::onUnhandledException(&pointers);
    }

    Win32FileSystem fs;
    AppData appData;
};

TEST_F(CrashHookTest, TestModeWritesTheReportAndMarksTheExceptionHandled) {
    appData.TestMode = true;
    EXPECT_EQ(CrashHook::reportPath(), appData.AppDataDir + "\\CrashReport.txt");
    EXPECT_EQ(raise(EXCEPTION_ACCESS_VIOLATION), EXCEPTION_EXECUTE_HANDLER);
    const std::optional<std::string> report = fs.readFile(CrashHook::reportPath());
    ASSERT_TRUE(report);
    EXPECT_NE(report->find("DOD EZU v1.2 V1.3.0.70"), std::string::npos);
    EXPECT_NE(report->find("Configuration WiFi Quorvale"), std::string::npos);
    EXPECT_NE(report->find("0xC0000005"), std::string::npos);
    EXPECT_NE(report->find("401A2B"), std::string::npos);
}

TEST_F(CrashHookTest, OutsideTestModeNothingIsWritten) {
    EXPECT_EQ(raise(EXCEPTION_INT_DIVIDE_BY_ZERO), EXCEPTION_EXECUTE_HANDLER);
    EXPECT_FALSE(fs.fileExists(CrashHook::reportPath()));
}

// A real crash in another process: the hook must end it quietly (no debugger, no dialog)
// and leave a report only in test mode.
class RealCrashTest : public CrashHookTest {
  protected:
    static std::wstring ownFolder() {
        std::wstring path(MAX_PATH, L'\0');
        path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
        return path.substr(0, path.find_last_of(L'\\'));
    }
    // The crash program's exit code, or STILL_ACTIVE when it had to be stopped.
    DWORD runCrashDummy(const wchar_t* mode, const wchar_t* how) {
        std::wstring command = L"\"" + ownFolder() + L"\\crash_dummy.exe\" \"" +
                               win::wide(appData.AppDataDir) + L"\" " + mode + L" " + how;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &info)) {
            ADD_FAILURE() << "CreateProcessW failed: " << GetLastError();
            return 0;
        }
        const win::KernelHandle process(info.hProcess);
        const win::KernelHandle thread(info.hThread);
        if (WaitForSingleObject(process.get(), 60000) != WAIT_OBJECT_0) {
            TerminateProcess(process.get(), 1);
            return STILL_ACTIVE;
        }
        DWORD code = 0;
        GetExitCodeProcess(process.get(), &code);
        return code;
    }
};

TEST_F(RealCrashTest, AccessViolationInTestModeLeavesAReport) {
    EXPECT_EQ(runCrashDummy(L"test", L"access"), static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
    const std::optional<std::string> report = fs.readFile(CrashHook::reportPath());
    ASSERT_TRUE(report);
    EXPECT_NE(report->find("DOD EZU v1.2 V1.3.0.70"), std::string::npos);
    EXPECT_NE(report->find("0xC0000005"), std::string::npos);
}

TEST_F(RealCrashTest, UncaughtExceptionInTestModeLeavesAReport) {
    const DWORD code = runCrashDummy(L"test", L"throw");
    EXPECT_NE(code, 0u);
    EXPECT_NE(code, static_cast<DWORD>(STILL_ACTIVE));
    const std::optional<std::string> report = fs.readFile(CrashHook::reportPath());
    ASSERT_TRUE(report);
    EXPECT_NE(report->find("Version = 1.3.0.70"), std::string::npos);
    EXPECT_NE(report->find("Uncaught exception: boom"), std::string::npos);
    EXPECT_EQ(report->find("Exception code"), std::string::npos);
}

TEST_F(RealCrashTest, OutsideTestModeTheCrashIsSilent) {
    EXPECT_EQ(runCrashDummy(L"quiet", L"access"), static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
    EXPECT_FALSE(fs.fileExists(CrashHook::reportPath()));
}

} // namespace
} // namespace cw
