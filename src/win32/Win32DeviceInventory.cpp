#include "win32/Win32DeviceInventory.h"

#include "app/Trace.h"
#include "win32/Handles.h"
#include "win32/WinString.h"

#include <windows.h>
#include <setupapi.h>

#include <vector>

namespace cw {
namespace {

struct DeviceInfoSetTraits {
    using Handle = HDEVINFO;
    static HDEVINFO invalid() { return INVALID_HANDLE_VALUE; }
    static void close(HDEVINFO h) { SetupDiDestroyDeviceInfoList(h); }
};
using DeviceInfoSet = win::UniqueHandle<DeviceInfoSetTraits>;

struct RegKeyTraits {
    using Handle = HKEY;
    static HKEY invalid() { return static_cast<HKEY>(INVALID_HANDLE_VALUE); }
    static void close(HKEY h) { RegCloseKey(h); }
};
using DriverKey = win::UniqueHandle<RegKeyTraits>;

std::optional<std::string> textProperty(HDEVINFO set, SP_DEVINFO_DATA& device, DWORD property) {
    DWORD type = 0, size = 0;
    SetupDiGetDeviceRegistryPropertyW(set, &device, property, &type, nullptr, 0, &size);
    if (size == 0) return std::nullopt;
    std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
    if (!SetupDiGetDeviceRegistryPropertyW(set, &device, property, &type,
                                           reinterpret_cast<BYTE*>(text.data()), size, nullptr) ||
        type != REG_SZ)
        return std::nullopt;
    return win::narrow(text.data());
}

// The driver key's "DriverDate" (month-day-year), or nullopt when it has none.
std::optional<std::string> driverDate(HDEVINFO set, SP_DEVINFO_DATA& device) {
    const DriverKey key(SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DRV, KEY_READ));
    if (!key) return std::nullopt;
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key.get(), L"DriverDate", nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ || size == 0)
        return std::nullopt;
    std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
    if (RegQueryValueExW(key.get(), L"DriverDate", nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                         &size) != ERROR_SUCCESS)
        return std::nullopt;
    return win::narrow(text.data());
}

} // namespace

bool Win32DeviceInventory::devicesOfClass(std::string_view setupClass,
                                          std::vector<InstalledDevice>& devices) const {
    devices.clear();
    const std::wstring className = win::wide(setupClass);
    DWORD count = 0;
    SetupDiClassGuidsFromNameW(className.c_str(), nullptr, 0, &count);
    if (count == 0) return true; // no class of that name: no device either
    std::vector<GUID> classes(count);
    if (!SetupDiClassGuidsFromNameW(className.c_str(), classes.data(), count, &count)) {
        trace_.error("SetupDiClassGuidsFromName failed, error " + std::to_string(GetLastError()));
        return false;
    }
    for (const GUID& guid : classes) {
        // Every installed device of the class, plugged in or not.
        const DeviceInfoSet set(SetupDiGetClassDevsW(&guid, nullptr, nullptr, 0));
        if (!set) {
            trace_.error("SetupDiGetClassDevs failed, error " + std::to_string(GetLastError()));
            return false;
        }
        SP_DEVINFO_DATA device{};
        device.cbSize = sizeof device;
        for (DWORD i = 0; SetupDiEnumDeviceInfo(set.get(), i, &device); ++i)
            devices.push_back({textProperty(set.get(), device, SPDRP_DEVICEDESC).value_or(""),
                               textProperty(set.get(), device, SPDRP_CLASS).value_or(std::string(setupClass)),
                               driverDate(set.get(), device)});
        if (GetLastError() != ERROR_NO_MORE_ITEMS) {
            trace_.error("SetupDiEnumDeviceInfo failed, error " + std::to_string(GetLastError()));
            return false;
        }
    }
    return true;
}

} // namespace cw
