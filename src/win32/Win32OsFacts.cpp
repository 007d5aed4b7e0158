#include "win32/Win32OsFacts.h"

#include "win32/Handles.h"
#include "win32/Win32FileSystem.h"
#include "win32/WinString.h"

#include <windows.h>

#include <sddl.h>

#include <vector>

namespace cw {
namespace {

// Room for the group list at first; the buffer grows to what the call asks for.
constexpr DWORD kInitialGroupBuffer = 1024;

// Opens the current thread's token, or the process token when the thread has none.
win::KernelHandle openOwnToken() {
    HANDLE token = nullptr;
    if (OpenThreadToken(GetCurrentThread(), TOKEN_QUERY, TRUE, &token))
        return win::KernelHandle(token);
    if (GetLastError() != ERROR_NO_TOKEN) return {};
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return win::KernelHandle(token);
    return {};
}

// The TOKEN_GROUPS data, grown as needed (a user in many groups exceeds any fixed size).
bool readTokenGroups(HANDLE token, std::vector<BYTE>& buffer) {
    buffer.assign(kInitialGroupBuffer, 0);
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD needed = 0;
        if (GetTokenInformation(token, ::TokenGroups, buffer.data(),
                                static_cast<DWORD>(buffer.size()), &needed))
            return true;
        if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed <= buffer.size()) return false;
        buffer.assign(needed, 0);
    }
    return false;
}

std::string sidText(PSID sid) {
    LPWSTR text = nullptr;
    if (!ConvertSidToStringSidW(sid, &text)) return {};
    std::string result = win::narrow(text);
    LocalFree(text);
    return result;
}

} // namespace

std::optional<OsVersionInfo> Win32OsFacts::versionInfo() const {
    OSVERSIONINFOEXW info{};
    info.dwOSVersionInfoSize = sizeof info;
    if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info))) {
        // Systems before NT 4 SP6 know only the short form.
        info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOW);
        if (!GetVersionExW(reinterpret_cast<OSVERSIONINFOW*>(&info))) return std::nullopt;
    }
    return OsVersionInfo{info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion,
                         info.dwBuildNumber, win::narrow(info.szCSDVersion)};
}

bool Win32OsFacts::isWow64Process() const {
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    const HMODULE kernel = GetModuleHandleW(L"kernel32");
    if (!kernel) return false;
    // Through a generic function pointer: absent before XP SP2.
    const auto isWow64 = reinterpret_cast<IsWow64ProcessFn>(
        reinterpret_cast<void (*)()>(GetProcAddress(kernel, "IsWow64Process")));
    BOOL wow64 = FALSE;
    return isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64;
}

TokenGroups Win32OsFacts::tokenGroups() const {
    TokenGroups result;
    const win::KernelHandle token = openOwnToken();
    if (!token) return result;
    std::vector<BYTE> buffer;
    if (!readTokenGroups(token.get(), buffer)) {
        result.status = TokenGroups::Status::NotRead;
        return result;
    }
    result.status = TokenGroups::Status::Read;
    const auto* groups = reinterpret_cast<const TOKEN_GROUPS*>(buffer.data());
    result.sids.reserve(groups->GroupCount);
    for (DWORD i = 0; i < groups->GroupCount; ++i)
        result.sids.push_back(sidText(groups->Groups[i].Sid));
    return result;
}

std::optional<std::string> Win32OsFacts::environmentVariable(std::string_view name) const {
    const std::wstring wname = win::wide(name);
    std::wstring value(256, L'\0');
    for (;;) {
        SetLastError(ERROR_SUCCESS);
        const DWORD length =
            GetEnvironmentVariableW(wname.c_str(), value.data(), static_cast<DWORD>(value.size()));
        if (length == 0) {
            if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
            return std::string(); // set, but empty
        }
        if (length < value.size()) {
            value.resize(length);
            return win::narrow(value);
        }
        value.assign(length, L'\0'); // the size asked for includes the terminating zero
    }
}

std::string Win32OsFacts::exePath() const {
    return currentExePath();
}

std::optional<FileVersion> Win32OsFacts::fileVersion(std::string_view path) const {
    const std::wstring wpath = win::wide(path);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(wpath.c_str(), &ignored);
    if (size == 0) return std::nullopt;
    std::vector<BYTE> data(size);
    if (!GetFileVersionInfoW(wpath.c_str(), 0, size, data.data())) return std::nullopt;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) ||
        !fixed || fixedSize < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    return FileVersion{HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                       HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)};
}

std::string Win32OsFacts::stringResource(uint32_t id) const {
    wchar_t text[512];
    const int length =
        LoadStringW(GetModuleHandleW(nullptr), id, text, static_cast<int>(std::size(text)));
    return length > 0 ? win::narrow(std::wstring_view(text, static_cast<size_t>(length)))
                      : std::string();
}

} // namespace cw
