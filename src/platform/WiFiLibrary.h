// The Wi-Fi library port: the calls the Wi-Fi manager makes into the closed library
// "WiFiMan.dll", one method per exported function, with the arguments in the library's order.
// Every call returns a 32-bit result: above kWiFiErrorThreshold it is an error code; any other
// value is success, or the count or handle asked for. Texts are the library's ANSI texts,
// carried here as std::string; `bufferSize` is the size of the buffer the caller hands the
// library (the text it returns is cut to fit, terminator included).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace cw {

inline constexpr uint32_t kWiFiErrorThreshold = 0x70000000;
[[nodiscard]] constexpr bool isWiFiError(uint32_t result) { return result > kWiFiErrorThreshold; }

// Library options of SetLibraryOption / GetLibraryOption.
inline constexpr uint32_t kOptionNdisDriver = 0;    // value 1 on, 0 off
inline constexpr uint32_t kOptionAdvanced = 1;      // read only: 1 = advanced Wi-Fi
inline constexpr uint32_t kOptionScanTimeMs = 3;    // before an active scan in direct mode

class WiFiLibrary {
public:
    virtual ~WiFiLibrary() = default;

    virtual uint32_t InstallDriver(uint32_t flags) = 0;
    virtual uint32_t SetLibraryOption(uint32_t option, uint32_t value) = 0;
    virtual uint32_t GetLibraryOption(uint32_t option) = 0;
    virtual uint32_t IsNativeWIFI() = 0;
    // 1 when the library drives the adapter itself (direct, NDIS mode).
    virtual uint32_t IsDirectWIFI() = 0;
    virtual uint32_t GetWIFIManagerVersion() = 0;
    // 1 when the Windows wireless service runs, 0 when stopped.
    virtual uint32_t GetWIFIServiceStatus() = 0;
    // 0 stops the Windows wireless service, 1 starts it.
    virtual uint32_t SetWIFIServiceStatus(uint32_t start) = 0;
    virtual uint32_t SetStorageOptions(std::string_view profileStorePath, uint32_t flags) = 0;

    // The adapter count.
    virtual uint32_t EnumerateAdapters() = 0;
    virtual uint32_t GetAdapterName(uint32_t adapter, std::string& name, uint32_t bufferSize) = 0;
    virtual uint32_t GetAdapterGUID(uint32_t adapter, std::string& guid, uint32_t bufferSize) = 0;
    // The configured addresses; `dhcp` 1 when the adapter takes its address from DHCP.
    virtual uint32_t GetAdapterIPInfo(uint32_t adapter, std::string& address, std::string& mask,
                                      std::string& gateway, uint32_t& dhcp, uint32_t bufferSize) = 0;
    // With `dhcp` 1 the adapter is switched to DHCP.
    virtual uint32_t SetAdapterIPInfo(uint32_t adapter, std::string_view address, std::string_view mask,
                                      std::string_view gateway, uint32_t dhcp) = 0;
    // The address in use now; "0.0.0.0" when there is none.
    virtual uint32_t GetAdapterCurrentIPInfo(uint32_t adapter, std::string& address, std::string& mask,
                                             std::string& gateway, uint32_t bufferSize) = 0;

    // The network count; `scanNow` 1 scans, 0 returns the last results.
    virtual uint32_t EnumerateAvailableNetworks(uint32_t adapter, uint32_t scanNow) = 0;
    virtual uint32_t GetAvailableNetworkName(uint32_t adapter, uint32_t network, std::string& ssid,
                                             uint32_t bufferSize) = 0;
    // The SSID of the current association, empty when none.
    virtual uint32_t GetCurrentNetworkName(uint32_t adapter, std::string& ssid, uint32_t bufferSize) = 0;

    // The number of stored profiles.
    virtual uint32_t EnumerateProfiles(uint32_t adapter) = 0;
    virtual uint32_t GetProfileName(uint32_t adapter, uint32_t profile, std::string& name,
                                    uint32_t bufferSize) = 0;
    virtual uint32_t DeleteProfile(uint32_t adapter, uint32_t profile) = 0;
    // A handle of a temporary profile made from the profile XML.
    virtual uint32_t LoadTmpProfileFromString(std::string_view profileXml) = 0;
    virtual uint32_t SetTmpProfileOption(uint32_t handle, std::string_view option, std::string_view value) = 0;
    // Stores the temporary profile for the adapter.
    virtual uint32_t SetTmpProfileToAdapter(uint32_t handle, uint32_t adapter) = 0;
    virtual uint32_t FreeTmpProfile(uint32_t handle) = 0;

    // Starts joining the network with the stored profile of that name.
    virtual uint32_t ConnectToNetwork(uint32_t adapter, std::string_view ssid) = 0;
    virtual uint32_t DisconnectFromNetwork(uint32_t adapter) = 0;
    // Releases the library.
    virtual uint32_t FreeAllResources() = 0;
};

} // namespace cw
