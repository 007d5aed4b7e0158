#include "win32/Win32Processes.h"

#include "app/Trace.h"
#include "win32/Handles.h"
#include "win32/WinString.h"

#include <tlhelp32.h>

#include <optional>

namespace cw {
namespace {

using EnumProcessesFn = BOOL(WINAPI*)(DWORD*, DWORD, DWORD*);
using EnumProcessModulesFn = BOOL(WINAPI*)(HANDLE, HMODULE*, DWORD, DWORD*);
using GetModuleFileNameExWFn = DWORD(WINAPI*)(HANDLE, HMODULE, LPWSTR, DWORD);

template <typename Fn> Fn procAddress(HMODULE library, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(GetProcAddress(library, name)));
}

struct PsapiFunctions {
    EnumProcessesFn enumProcesses = nullptr;
    EnumProcessModulesFn enumProcessModules = nullptr;
    GetModuleFileNameExWFn getModuleFileNameEx = nullptr;

    explicit PsapiFunctions(HMODULE psapi)
        : enumProcesses(procAddress<EnumProcessesFn>(psapi, "EnumProcesses")),
          enumProcessModules(procAddress<EnumProcessModulesFn>(psapi, "EnumProcessModules")),
          getModuleFileNameEx(procAddress<GetModuleFileNameExWFn>(psapi, "GetModuleFileNameExW")) {}
    [[nodiscard]] bool complete() const {
        return enumProcesses && enumProcessModules && getModuleFileNameEx;
    }
};

constexpr DWORD kInitialIdCount = 1024;
// Long enough for any path, "\\?\" ones included.
constexpr DWORD kPathCapacity = 32768;

ProcessInfo entryFromPath(std::wstring_view path, uint32_t id) {
    ProcessInfo info;
    info.id = id;
    const size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring_view::npos) {
        info.name = win::narrow(path);
    } else {
        info.name = win::narrow(path.substr(slash + 1));
        info.folder = win::narrow(path.substr(0, slash));
    }
    return info;
}

// The main module's path: asked for the process first, then for its first module.
std::optional<std::wstring> mainModulePath(const PsapiFunctions& psapi, HANDLE process,
                                           std::wstring& buffer) {
    DWORD length = psapi.getModuleFileNameEx(process, nullptr, buffer.data(), kPathCapacity);
    if (length == 0) {
        HMODULE first = nullptr;
        DWORD needed = 0;
        if (!psapi.enumProcessModules(process, &first, sizeof first, &needed) || needed == 0)
            return std::nullopt;
        length = psapi.getModuleFileNameEx(process, first, buffer.data(), kPathCapacity);
        if (length == 0) return std::nullopt;
    }
    return buffer.substr(0, length);
}

} // namespace

namespace win {

bool enumerateProcessIds(const EnumProcessIdsFn& enumerate, std::vector<DWORD>& ids) {
    ids.assign(kInitialIdCount, 0);
    for (;;) {
        const DWORD bytes = static_cast<DWORD>(ids.size() * sizeof(DWORD));
        DWORD written = 0;
        if (!enumerate(ids.data(), bytes, &written)) {
            ids.clear();
            return false;
        }
        // A full buffer may have cut the list short: try again with twice the room.
        if (written < bytes) {
            ids.resize(written / sizeof(DWORD));
            return true;
        }
        ids.assign(ids.size() * 2, 0);
    }
}

} // namespace win

Win32Processes::Win32Processes(Trace* trace, std::wstring psapiName)
    : trace_(trace), psapiName_(std::move(psapiName)) {}

void Win32Processes::traceFailure(const char* call, uint32_t id, DWORD error) {
    if (trace_)
        trace_->error(std::string(call) + " failed for process " + std::to_string(id) + ", error " +
                      std::to_string(error));
}

bool Win32Processes::list(std::vector<ProcessInfo>& processes) {
    processes.clear();
    // Freed when the listing ends.
    const win::Module psapi(LoadLibraryW(psapiName_.c_str()));
    if (psapi && listWithPsapi(psapi.get(), processes)) return true;
    processes.clear();
    return listWithSnapshot(processes);
}

bool Win32Processes::listWithPsapi(HMODULE library, std::vector<ProcessInfo>& processes) {
    const PsapiFunctions psapi(library);
    if (!psapi.complete()) return false;
    std::vector<DWORD> ids;
    if (!win::enumerateProcessIds(psapi.enumProcesses, ids)) {
        traceFailure("EnumProcesses", 0, GetLastError());
        return false;
    }
    std::wstring buffer(kPathCapacity, L'\0');
    for (const DWORD id : ids) {
        const win::KernelHandle process(
            OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, id));
        if (!process) continue; // system processes cannot be examined
        if (const auto path = mainModulePath(psapi, process.get(), buffer))
            processes.push_back(entryFromPath(*path, id));
    }
    return true;
}

bool Win32Processes::listWithSnapshot(std::vector<ProcessInfo>& processes) {
    const win::FileHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) {
        traceFailure("CreateToolhelp32Snapshot", 0, GetLastError());
        return false;
    }
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry))
        processes.push_back(entryFromPath(entry.szExeFile, entry.th32ProcessID));
    return true;
}

bool Win32Processes::terminate(uint32_t id) {
    const win::KernelHandle process(
        OpenProcess(PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION, FALSE, id));
    if (!process) {
        traceFailure("OpenProcess", id, GetLastError());
        return false;
    }
    DWORD exitCode = 0;
    if (!GetExitCodeProcess(process.get(), &exitCode)) {
        traceFailure("GetExitCodeProcess", id, GetLastError());
        return false;
    }
    if (!TerminateProcess(process.get(), exitCode))
        traceFailure("TerminateProcess", id, GetLastError());
    return true;
}

} // namespace cw
