// The processes port against the real system: copies of a waiting program, started under
// the names of vendor utilities, are listed and ended.
#include "win32/Win32Processes.h"
#include "app/ProcessSerialKiller.h"
#include "app/StringTable.h"
#include "app/StringTables.h"
#include "app/StringUtil.h"
#include "sim/VirtualEventLoop.h"
#include "win32/Handles.h"
#include "win32/WinString.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace cw {
namespace {

std::wstring folderOf(std::wstring path) {
    return path.substr(0, path.find_last_of(L'\\'));
}

std::wstring ownFolder() {
    std::wstring path(32768, L'\0');
    path.resize(GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
    return folderOf(path);
}

// A running copy of the waiting program; ended when the test lets go of it.
struct RunningCopy {
    win::KernelHandle process;
    DWORD id = 0;
    ~RunningCopy() {
        if (process && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT) {
            TerminateProcess(process.get(), 1);
            WaitForSingleObject(process.get(), 5000);
        }
    }
};

class Win32ProcessesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::wstring temp(MAX_PATH + 1, L'\0');
        temp.resize(GetTempPathW(static_cast<DWORD>(temp.size()), temp.data()));
        folder_ = temp + L"killer-" + std::to_wstring(GetCurrentProcessId());
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr) ||
                    GetLastError() == ERROR_ALREADY_EXISTS);
    }
    void TearDown() override {
        copies_.clear();
        for (const std::wstring& file : files_)
            DeleteFileW(file.c_str());
        RemoveDirectoryW(folder_.c_str());
    }

    // Copies the waiting program into the temporary folder as `name` and starts it.
    RunningCopy& startCopy(const std::wstring& name) {
        const std::wstring path = folder_ + L"\\" + name;
        EXPECT_TRUE(CopyFileW((ownFolder() + L"\\killer_dummy.exe").c_str(), path.c_str(), FALSE))
            << GetLastError();
        files_.push_back(path);
        STARTUPINFOW si{};
        si.cb = sizeof si;
        // Without a console: a console of its own would outlive the copy under Wine and keep
        // the test's output open.
        PROCESS_INFORMATION pi{};
        std::wstring commandLine = L"\"" + path + L"\"";
        EXPECT_TRUE(CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                                   DETACHED_PROCESS, nullptr, nullptr, &si, &pi))
            << GetLastError();
        CloseHandle(pi.hThread);
        auto& copy = copies_.emplace_back(std::make_unique<RunningCopy>());
        copy->process.reset(pi.hProcess);
        copy->id = pi.dwProcessId;
        return *copy;
    }

    // The process's entry, once the new process has loaded far enough to be examined.
    static std::optional<ProcessInfo> findListed(Processes& processes, DWORD id) {
        for (int attempt = 0; attempt < 200; ++attempt) {
            std::vector<ProcessInfo> list;
            EXPECT_TRUE(processes.list(list));
            auto it = std::find_if(list.begin(), list.end(),
                                   [id](const ProcessInfo& p) { return p.id == id; });
            if (it != list.end() && !it->name.empty()) return *it;
            Sleep(50);
        }
        return std::nullopt;
    }

    std::wstring folder_;
    std::vector<std::wstring> files_;
    std::vector<std::unique_ptr<RunningCopy>> copies_;
};

TEST_F(Win32ProcessesTest, ListsAProgramWithItsNameAndFolder) {
    const RunningCopy& copy = startCopy(L"wlancfg.EXE");
    Win32Processes processes;
    const auto entry = findListed(processes, copy.id);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->name, "wlancfg.EXE");
    EXPECT_TRUE(str::equalsNoCase(entry->folder, win::narrow(folder_)))
        << entry->folder << " vs " << win::narrow(folder_);
}

TEST_F(Win32ProcessesTest, WithoutPsapiTheSnapshotListsTheProgramByName) {
    const RunningCopy& copy = startCopy(L"WG111.exe");
    Win32Processes processes(nullptr, L"NoSuchPsapi.dll");
    const auto entry = findListed(processes, copy.id);
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->name, "WG111.exe");
}

TEST_F(Win32ProcessesTest, KillerEndsTheListedProgramAndSparesALongerName) {
    RunningCopy& listed = startCopy(L"wlancfg.EXE");
    RunningCopy& similar = startCopy(L"mywlancfg.exe");
    Win32Processes processes;
    ASSERT_TRUE(findListed(processes, listed.id));
    ASSERT_TRUE(findListed(processes, similar.id));

    VirtualEventLoop loop;
    TraceLog log;
    TDM_ProcessSerialKiller killer(processes, loop, log);
    Language language(compiledInTables());
    int count = -1;
    EXPECT_TRUE(
        killer.KillProcesses(language.table(kMainWindowTable).GetText("SerialKiller_Apps"), count));
    EXPECT_EQ(count, 1);

    ASSERT_EQ(WaitForSingleObject(listed.process.get(), 10000), WAIT_OBJECT_0);
    DWORD exitCode = 0;
    ASSERT_TRUE(GetExitCodeProcess(listed.process.get(), &exitCode));
    EXPECT_EQ(exitCode, STILL_ACTIVE) << "ended with the exit code it had while running";
    EXPECT_EQ(WaitForSingleObject(similar.process.get(), 0), static_cast<DWORD>(WAIT_TIMEOUT));
    const auto& left = killer.ProcessList();
    EXPECT_TRUE(std::none_of(left.begin(), left.end(),
                             [&](const ProcessInfo& p) { return p.id == listed.id; }));
}

TEST(Win32Processes, TerminatingAProcessThatCannotBeOpenedFails) {
    Win32Processes processes;
    EXPECT_FALSE(processes.terminate(0)); // the idle process is never opened
}

TEST(Win32Processes, EveryIdentifierIsEnumeratedHoweverManyProcessesRun) {
    for (const DWORD running : {0ul, 1ul, 249ul, 250ul, 251ul, 1024ul, 1025ul, 5000ul}) {
        SCOPED_TRACE(running);
        // Behaves like EnumProcesses: fills what fits and reports the bytes written.
        const auto enumerate = [running](DWORD* ids, DWORD bytes, DWORD* written) {
            const DWORD n = std::min<DWORD>(running, bytes / sizeof(DWORD));
            for (DWORD i = 0; i < n; ++i)
                ids[i] = 4 * (i + 1);
            *written = n * sizeof(DWORD);
            return TRUE;
        };
        std::vector<DWORD> ids;
        ASSERT_TRUE(win::enumerateProcessIds(enumerate, ids));
        ASSERT_EQ(ids.size(), running);
        if (running > 0) {
            EXPECT_EQ(ids.back(), 4 * running);
        }
    }
    std::vector<DWORD> ids{1, 2};
    EXPECT_FALSE(win::enumerateProcessIds([](DWORD*, DWORD, DWORD*) { return FALSE; }, ids));
    EXPECT_TRUE(ids.empty());
}

} // namespace
} // namespace cw
