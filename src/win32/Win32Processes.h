// The processes port on Windows: PSAPI (loaded at run time) lists processes with their
// program paths; without it, the ToolHelp snapshot lists them by name.
#pragma once

#include "platform/Processes.h"

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace cw {

class Trace;

class Win32Processes : public Processes {
public:
    // `psapiName` names the library used for listing; when it cannot be loaded the
    // snapshot is walked instead. `trace` (may be null) receives the failures.
    explicit Win32Processes(Trace* trace = nullptr, std::wstring psapiName = L"PSAPI.dll");

    [[nodiscard]] bool list(std::vector<ProcessInfo>& processes) override;
    [[nodiscard]] bool terminate(uint32_t id) override;

private:
    [[nodiscard]] bool listWithPsapi(HMODULE psapi, std::vector<ProcessInfo>& processes);
    [[nodiscard]] bool listWithSnapshot(std::vector<ProcessInfo>& processes);
    void traceFailure(const char* call, uint32_t id, DWORD error);

    Trace* trace_;
    std::wstring psapiName_;
};

namespace win {

// EnumProcesses's shape: fills at most `bytes` bytes of identifiers, reports how many.
using EnumProcessIdsFn = std::function<BOOL(DWORD* ids, DWORD bytes, DWORD* written)>;

// Every process identifier the system reports: the buffer grows until the reported byte
// count is smaller than the buffer, so no process is left out however many run.
[[nodiscard]] bool enumerateProcessIds(const EnumProcessIdsFn& enumerate, std::vector<DWORD>& ids);

} // namespace win
} // namespace cw
