// The real Wi-Fi library: "WiFiMan.dll" loaded at run time from a full path (the program's
// folder), each export found by its name. When the library or one of its exports is missing,
// the calls concerned answer kWiFiLibraryMissing, and the absence is traced once.
// Texts cross the boundary in the ANSI code page, as the library expects.
#pragma once

#include "platform/WiFiLibrary.h"
#include "win32/Handles.h"

#include <set>
#include <string>

namespace cw {

class Trace;

// What every call answers when the library or the called export is missing.
inline constexpr uint32_t kWiFiLibraryMissing = 0x7FFFFFFF;

class Win32WiFiLibrary : public WiFiLibrary {
public:
    // Loads the library at `dllPath` (a full path). `trace` receives the absences.
    Win32WiFiLibrary(std::string dllPath, Trace& trace);

    // "WiFiMan.dll" in the folder of the running program.
    [[nodiscard]] static std::string programFolderPath();
    [[nodiscard]] bool loaded() const { return static_cast<bool>(module_); }

    uint32_t InstallDriver(uint32_t flags) override;
    uint32_t SetLibraryOption(uint32_t option, uint32_t value) override;
    uint32_t GetLibraryOption(uint32_t option) override;
    uint32_t IsNativeWIFI() override;
    uint32_t IsDirectWIFI() override;
    uint32_t GetWIFIManagerVersion() override;
    uint32_t GetWIFIServiceStatus() override;
    uint32_t SetWIFIServiceStatus(uint32_t start) override;
    uint32_t SetStorageOptions(std::string_view profileStorePath, uint32_t flags) override;
    uint32_t EnumerateAdapters() override;
    uint32_t GetAdapterName(uint32_t adapter, std::string& name, uint32_t bufferSize) override;
    uint32_t GetAdapterGUID(uint32_t adapter, std::string& guid, uint32_t bufferSize) override;
    uint32_t GetAdapterIPInfo(uint32_t adapter, std::string& address, std::string& mask,
                              std::string& gateway, uint32_t& dhcp, uint32_t bufferSize) override;
    uint32_t SetAdapterIPInfo(uint32_t adapter, std::string_view address, std::string_view mask,
                              std::string_view gateway, uint32_t dhcp) override;
    uint32_t GetAdapterCurrentIPInfo(uint32_t adapter, std::string& address, std::string& mask,
                                     std::string& gateway, uint32_t bufferSize) override;
    uint32_t EnumerateAvailableNetworks(uint32_t adapter, uint32_t scanNow) override;
    uint32_t GetAvailableNetworkName(uint32_t adapter, uint32_t network, std::string& ssid,
                                     uint32_t bufferSize) override;
    uint32_t GetCurrentNetworkName(uint32_t adapter, std::string& ssid, uint32_t bufferSize) override;
    uint32_t EnumerateProfiles(uint32_t adapter) override;
    uint32_t GetProfileName(uint32_t adapter, uint32_t profile, std::string& name,
                            uint32_t bufferSize) override;
    uint32_t DeleteProfile(uint32_t adapter, uint32_t profile) override;
    uint32_t LoadTmpProfileFromString(std::string_view profileXml) override;
    uint32_t SetTmpProfileOption(uint32_t handle, std::string_view option, std::string_view value) override;
    uint32_t SetTmpProfileToAdapter(uint32_t handle, uint32_t adapter) override;
    uint32_t FreeTmpProfile(uint32_t handle) override;
    uint32_t ConnectToNetwork(uint32_t adapter, std::string_view ssid) override;
    uint32_t DisconnectFromNetwork(uint32_t adapter) override;
    uint32_t FreeAllResources() override;

private:
    // The export `name` as a pointer of type F, or nullptr (traced once) when it is missing.
    template <typename F> F find(const char* name);

    std::string path_;
    Trace& trace_;
    win::Module module_;
    unsigned long loadError_ = 0;
    bool absenceTraced_ = false;
    std::set<std::string> missingTraced_;
};

} // namespace cw
