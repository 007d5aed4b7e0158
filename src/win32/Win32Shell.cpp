#include "win32/Win32Shell.h"

#include "win32/WinString.h"

#include <windows.h>
#include <shellapi.h>

namespace cw {
namespace {

bool processRuns(HANDLE process) { return WaitForSingleObject(process, 0) == WAIT_TIMEOUT; }

// Handles what keeps the program's windows drawn: messages sent to them (PeekMessage
// delivers those by itself) and the paint messages; input and everything else stays queued.
void handlePaintOnly() {
    static constexpr UINT kPaintMessages[] = {WM_PAINT, WM_NCPAINT, WM_ERASEBKGND, WM_SYNCPAINT};
    MSG msg;
    for (const UINT paint : kPaintMessages)
        while (PeekMessageW(&msg, nullptr, paint, paint, PM_REMOVE)) DispatchMessageW(&msg);
}

void waitPainting(HANDLE process) {
    for (;;) {
        const DWORD woken =
            MsgWaitForMultipleObjects(1, &process, FALSE, INFINITE, QS_PAINT | QS_SENDMESSAGE);
        if (woken == WAIT_OBJECT_0 + 1) {
            handlePaintOnly();
            continue;
        }
        // Ended, or the wait itself failed: then wait without painting rather than spin.
        if (woken != WAIT_OBJECT_0) WaitForSingleObject(process, INFINITE);
        return;
    }
}

} // namespace

std::optional<uint32_t> Win32Shell::startProgram(std::string_view commandLine) {
    std::wstring line = win::wide(commandLine); // CreateProcessW may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return std::nullopt;
    CloseHandle(info.hThread);
    started_[info.dwProcessId].reset(info.hProcess);
    return info.dwProcessId;
}

bool Win32Shell::isRunning(uint32_t processId) const {
    if (const auto known = started_.find(processId); known != started_.end()) {
        win::KernelHandle& process = known->second;
        if (process && !processRuns(process.get())) process.reset();
        return static_cast<bool>(process);
    }
    win::KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    return process && processRuns(process.get());
}

bool Win32Shell::openDocument(std::string_view path) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", win::wide(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

bool Win32Shell::openWith(std::string_view program, std::string_view parameters) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", win::wide(program).c_str(), win::wide(parameters).c_str(),
                      nullptr, SW_SHOWNORMAL));
    return result > 32;
}

std::optional<uint32_t> Win32Shell::runAndWait(std::string_view commandLine, ShowMode show) {
    std::wstring line = win::wide(commandLine);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = static_cast<WORD>(show);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE,
                        CREATE_NEW_CONSOLE | NORMAL_PRIORITY_CLASS, nullptr, nullptr, &startup,
                        &info))
        return std::nullopt;
    const win::KernelHandle process(info.hProcess);
    const win::KernelHandle thread(info.hThread);
    waitPainting(process.get());
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process.get(), &exitCode)) return std::nullopt;
    return exitCode;
}

} // namespace cw
