#include "win32/Win32Shell.h"

#include "win32/Handles.h"
#include "win32/WinString.h"

#include <windows.h>
#include <shellapi.h>

namespace cw {

std::optional<uint32_t> Win32Shell::startProgram(std::string_view commandLine) {
    std::wstring line = win::wide(commandLine);  // CreateProcessW may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
        return std::nullopt;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return info.dwProcessId;
}

bool Win32Shell::isRunning(uint32_t processId) const {
    win::KernelHandle process(OpenProcess(SYNCHRONIZE, FALSE, processId));
    return process && WaitForSingleObject(process.get(), 0) == WAIT_TIMEOUT;
}

bool Win32Shell::openDocument(std::string_view path) {
    const auto result = reinterpret_cast<INT_PTR>(
        ShellExecuteW(nullptr, L"open", win::wide(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    return result > 32;
}

} // namespace cw
