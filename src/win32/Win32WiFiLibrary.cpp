#include "win32/Win32WiFiLibrary.h"

#include "app/Trace.h"
#include "win32/WinString.h"

#include <windows.h>

#include <algorithm>
#include <vector>

namespace cw {
namespace {

// The library's calling convention and argument types.
using Call0 = DWORD(WINAPI*)();
using Call1 = DWORD(WINAPI*)(DWORD);
using Call2 = DWORD(WINAPI*)(DWORD, DWORD);
using CallText = DWORD(WINAPI*)(const char*);
using CallTextFlag = DWORD(WINAPI*)(const char*, DWORD);
using CallIndexText = DWORD(WINAPI*)(DWORD, const char*);
using CallIndexTextText = DWORD(WINAPI*)(DWORD, const char*, const char*);
using CallIndexBuffer = DWORD(WINAPI*)(DWORD, char*, DWORD);
using CallIndexIndexBuffer = DWORD(WINAPI*)(DWORD, DWORD, char*, DWORD);
using CallIpInfo = DWORD(WINAPI*)(DWORD, char*, char*, char*, DWORD*, DWORD);
using CallCurrentIpInfo = DWORD(WINAPI*)(DWORD, char*, char*, char*, DWORD);
using CallSetIpInfo = DWORD(WINAPI*)(DWORD, const char*, const char*, const char*, DWORD);

std::string toAnsi(std::string_view utf8) {
    const std::wstring w = win::wide(utf8);
    if (w.empty()) return {};
    const int size = WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string ansi(static_cast<size_t>(std::max(size, 0)), '\0');
    WideCharToMultiByte(CP_ACP, 0, w.data(), static_cast<int>(w.size()), ansi.data(), size, nullptr,
                        nullptr);
    return ansi;
}

std::string fromAnsi(const char* text) {
    const int size = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (size <= 1) return {};
    std::wstring w(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, w.data(), size);
    w.resize(static_cast<size_t>(size - 1));
    return win::narrow(w);
}

// A zeroed buffer of the size the caller names, read back up to its first NUL even when the
// library filled it to the end.
class TextBuffer {
public:
    explicit TextBuffer(uint32_t size) : bytes_(std::max<uint32_t>(size, 1), '\0') {}
    char* data() { return bytes_.data(); }
    [[nodiscard]] std::string text() {
        bytes_.back() = '\0';
        return fromAnsi(bytes_.data());
    }

private:
    std::vector<char> bytes_;
};

} // namespace

Win32WiFiLibrary::Win32WiFiLibrary(std::string dllPath, Trace& trace)
    : path_(std::move(dllPath)), trace_(trace),
      module_(LoadLibraryW(win::wide(path_).c_str())) {
    if (!module_) loadError_ = GetLastError();
}

std::string Win32WiFiLibrary::programFolderPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    path.resize(path.find_last_of(L'\\') + 1);
    return win::narrow(path) + "WiFiMan.dll";
}

template <typename F> F Win32WiFiLibrary::find(const char* name) {
    if (!module_) {
        if (!absenceTraced_)
            trace_.error("WiFiMan.dll cannot be loaded from \"" + path_ + "\" (error " +
                         std::to_string(loadError_) + "): every Wi-Fi library call fails");
        absenceTraced_ = true;
        return nullptr;
    }
    // The exports are plain functions; the cast through void keeps the compiler quiet about it.
    const auto address = reinterpret_cast<void*>(GetProcAddress(module_.get(), name));
    if (!address && missingTraced_.insert(name).second)
        trace_.error(std::string("WiFiMan.dll has no function ") + name + ": its calls fail");
    return reinterpret_cast<F>(address);
}

uint32_t Win32WiFiLibrary::InstallDriver(uint32_t flags) {
    const auto f = find<Call1>("InstallDriver");
    return f ? f(flags) : kWiFiLibraryMissing;
}

uint32_t Win32WiFiLibrary::SetLibraryOption(uint32_t option, uint32_t value) {
    const auto f = find<Call2>("SetLibraryOption");
    return f ? f(option, value) : kWiFiLibraryMissing;
}

uint32_t Win32WiFiLibrary::GetLibraryOption(uint32_t option) {
    const auto f = find<Call1>("GetLibraryOption");
    return f ? f(option) : kWiFiLibraryMissing;
}

uint32_t Win32WiFiLibrary::IsNativeWIFI() {
    const auto f = find<Call0>("IsNativeWIFI");
    return f ? f() : kWiFiLibraryMissing;
}

uint32_t Win32WiFiLibrary::IsDirectWIFI() {
    const auto f = find<Call0>("IsDirectWIFI");
    return f ? f() : kWiFiLibraryMissing;
}

uint32_t Win32WiFiLibrary::GetWIFIManagerVersion() {
    const auto f = find<Call0>("GetWIFIManagerVersion");
    return f ? f() : kWiFiLibraryMissing;
}

uint32_t Win32WiFiLibrary::GetWIFIServiceStatus() {
    const auto f = find<Call0>("GetWIFIServiceStatus");
    return f ? f() : kWiFiLibraryMissing;
}

uint32_t Win32WiFiLibrary::SetWIFIServiceStatus(uint32_t start) {
    const auto f = find<Call1>("SetWIFIServiceStatus");
    return f ? f(start) : kWiFiLibraryMissing;
}

uint32_t Win32WiFiLibrary::SetStorageOptions(std::string_view profileStorePath, uint32_t flags) {
    const auto f = find<CallTextFlag>("SetStorageOptions");
    return f ? f(toAnsi(profileStorePath).c_str(), flags) : kWiFiLibraryMissing;
}

uint32_t Win32WiFiLibrary::EnumerateAdapters() {
    const auto f = find<Call0>("EnumerateAdapters");
    return f ? f() : kWiFiLibraryMissing;
}

uint32_t Win32WiFiLibrary::GetAdapterName(uint32_t adapter, std::string& name, uint32_t bufferSize) {
    const auto f = find<CallIndexBuffer>("GetAdapterName");
    if (!f) return kWiFiLibraryMissing;
    TextBuffer buffer(bufferSize);
    const uint32_t result = f(adapter, buffer.data(), bufferSize);
    if (!isWiFiError(result)) name = buffer.text();
    return result;
}

uint32_t Win32WiFiLibrary::GetAdapterGUID(uint32_t adapter, std::string& guid, uint32_t bufferSize) {
    const auto f = find<CallIndexBuffer>("GetAdapterGUID");
    if (!f) return kWiFiLibraryMissing;
    TextBuffer buffer(bufferSize);
    const uint32_t result = f(adapter, buffer.data(), bufferSize);
    if (!isWiFiError(result)) guid = buffer.text();
    return result;
}

uint32_t Win32WiFiLibrary::GetAdapterIPInfo(uint32_t adapter, std::string& address, std::string& mask,
                                            std::string& gateway, uint32_t& dhcp, uint32_t bufferSize) {
    const auto f = find<CallIpInfo>("GetAdapterIPInfo");
    if (!f) return kWiFiLibraryMissing;
    TextBuffer a(bufferSize), m(bufferSize), g(bufferSize);
    DWORD flag = dhcp;
    const uint32_t result = f(adapter, a.data(), m.data(), g.data(), &flag, bufferSize);
    if (!isWiFiError(result)) {
        address = a.text();
        mask = m.text();
        gateway = g.text();
        dhcp = flag;
    }
    return result;
}

uint32_t Win32WiFiLibrary::SetAdapterIPInfo(uint32_t adapter, std::string_view address,
                                            std::string_view mask, std::string_view gateway,
                                            uint32_t dhcp) {
    const auto f = find<CallSetIpInfo>("SetAdapterIPInfo");
    return f ? f(adapter, toAnsi(address).c_str(), toAnsi(mask).c_str(), toAnsi(gateway).c_str(), dhcp)
             : kWiFiLibraryMissing;
}

uint32_t Win32WiFiLibrary::GetAdapterCurrentIPInfo(uint32_t adapter, std::string& address,
                                                   std::string& mask, std::string& gateway,
                                                   uint32_t bufferSize) {
    const auto f = find<CallCurrentIpInfo>("GetAdapterCurrentIPInfo");
    if (!f) return kWiFiLibraryMissing;
    TextBuffer a(bufferSize), m(bufferSize), g(bufferSize);
    const uint32_t result = f(adapter, a.data(), m.data(), g.data(), bufferSize);
    if (!isWiFiError(result)) {
        address = a.text();
        mask = m.text();
        gateway = g.text();
    }
    return result;
}

uint32_t Win32WiFiLibrary::EnumerateAvailableNetworks(uint32_t adapter, uint32_t scanNow) {
    const auto f = find<Call2>("EnumerateAvailableNetworks");
    return f ? f(adapter, scanNow) : kWiFiLibraryMissing;
}

uint32_t Win32WiFiLibrary::GetAvailableNetworkName(uint32_t adapter, uint32_t network,
                                                   std::string& ssid, uint32_t bufferSize) {
    const auto f = find<CallIndexIndexBuffer>("GetAvailableNetworkName");
    if (!f) return kWiFiLibraryMissing;
    TextBuffer buffer(bufferSize);
    const uint32_t result = f(adapter, network, buffer.data(), bufferSize);
    if (!isWiFiError(result)) ssid = buffer.text();
    return result;
}

uint32_t Win32WiFiLibrary::GetCurrentNetworkName(uint32_t adapter, std::string& ssid,
                                                 uint32_t bufferSize) {
    const auto f = find<CallIndexBuffer>("GetCurrentNetworkName");
    if (!f) return kWiFiLibraryMissing;
    TextBuffer buffer(bufferSize);
    const uint32_t result = f(adapter, buffer.data(), bufferSize);
    if (!isWiFiError(result)) ssid = buffer.text();
    return result;
}

uint32_t Win32WiFiLibrary::EnumerateProfiles(uint32_t adapter) {
    const auto f = find<Call1>("EnumerateProfiles");
    return f ? f(adapter) : kWiFiLibraryMissing;
}

uint32_t Win32WiFiLibrary::GetProfileName(uint32_t adapter, uint32_t profile, std::string& name,
                                          uint32_t bufferSize) {
    const auto f = find<CallIndexIndexBuffer>("GetProfileName");
    if (!f) return kWiFiLibraryMissing;
    TextBuffer buffer(bufferSize);
    const uint32_t result = f(adapter, profile, buffer.data(), bufferSize);
    if (!isWiFiError(result)) name = buffer.text();
    return result;
}

uint32_t Win32WiFiLibrary::DeleteProfile(uint32_t adapter, uint32_t profile) {
    const auto f = find<Call2>("DeleteProfile");
    return f ? f(adapter, profile) : kWiFiLibraryMissing;
}

uint32_t Win32WiFiLibrary::LoadTmpProfileFromString(std::string_view profileXml) {
    const auto f = find<CallText>("LoadTmpProfileFromString");
    return f ? f(toAnsi(profileXml).c_str()) : kWiFiLibraryMissing;
}

uint32_t Win32WiFiLibrary::SetTmpProfileOption(uint32_t handle, std::string_view option,
                                               std::string_view value) {
    const auto f = find<CallIndexTextText>("SetTmpProfileOption");
    return f ? f(handle, toAnsi(option).c_str(), toAnsi(value).c_str()) : kWiFiLibraryMissing;
}

uint32_t Win32WiFiLibrary::SetTmpProfileToAdapter(uint32_t handle, uint32_t adapter) {
    const auto f = find<Call2>("SetTmpProfileToAdapter");
    return f ? f(handle, adapter) : kWiFiLibraryMissing;
}

uint32_t Win32WiFiLibrary::FreeTmpProfile(uint32_t handle) {
    const auto f = find<Call1>("FreeTmpProfile");
    return f ? f(handle) : kWiFiLibraryMissing;
}

uint32_t Win32WiFiLibrary::ConnectToNetwork(uint32_t adapter, std::string_view ssid) {
    const auto f = find<CallIndexText>("ConnectToNetwork");
    return f ? f(adapter, toAnsi(ssid).c_str()) : kWiFiLibraryMissing;
}

uint32_t Win32WiFiLibrary::DisconnectFromNetwork(uint32_t adapter) {
    const auto f = find<Call1>("DisconnectFromNetwork");
    return f ? f(adapter) : kWiFiLibraryMissing;
}

uint32_t Win32WiFiLibrary::FreeAllResources() {
    const auto f = find<Call0>("FreeAllResources");
    return f ? f() : kWiFiLibraryMissing;
}

} // namespace cw
