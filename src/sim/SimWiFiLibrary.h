// The Wi-Fi library simulated from a world: adapters, the networks each hears, a profile store,
// connections that get an address after the world's delay on the event loop's clock, and the
// Windows wireless service. It keeps a log of the calls made and can be told to answer an
// error from any function, for tests and demonstrations.
#pragma once

#include "platform/WiFiLibrary.h"
#include "sim/World.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cw {

class EventLoop;

// The error codes of the simulated library.
inline constexpr uint32_t kSimWiFiBadAdapter = 0x70000101;  // no adapter of that index
inline constexpr uint32_t kSimWiFiBadIndex = 0x70000102;    // no network or profile of that index
inline constexpr uint32_t kSimWiFiBadHandle = 0x70000103;   // no temporary profile of that handle
inline constexpr uint32_t kSimWiFiBadProfile = 0x70000104;  // profile XML without name or SSID
inline constexpr uint32_t kSimWiFiNoProfile = 0x70000105;   // connect without a stored profile
inline constexpr uint32_t kSimWiFiNotInRange = 0x70000106;  // the profile's network is not heard
inline constexpr uint32_t kSimWiFiBadArgument = 0x70000107; // unknown option or value
inline constexpr uint32_t kSimWiFiNoBuffer = 0x70000108;    // a buffer size of 0
inline constexpr uint32_t kSimWiFiNoLibrary = 0x7FFFFFFF;   // the world has no library

// One call made to the library: its name, its arguments as text and what it answered.
struct SimWiFiCall {
    std::string function;
    std::string arguments; // e.g. `0, 257` or `0, "Quorvale_1A2B"`; keys are masked
    uint32_t result = 0;
    [[nodiscard]] std::string text() const { return function + "(" + arguments + ")"; }
};

// A profile of the library's store.
struct SimWiFiProfile {
    std::string name;
    std::string ssid;
    std::string key;
    std::string authentication;                 // e.g. "WPAPSK"
    std::map<std::string, std::string> options; // set through SetTmpProfileOption
};

class SimWiFiLibrary : public WiFiLibrary {
public:
    // `clock` gives the time connections are measured against (the event loop's tick count).
    SimWiFiLibrary(const World& world, const EventLoop& clock);

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

    // From now on `function` answers `code` without doing anything, `times` times (-1: until
    // cleared). False when the library has no function of that name.
    [[nodiscard]] bool injectError(std::string_view function, uint32_t code, int times = -1);
    void clearInjectedErrors() { injected_.clear(); }

    [[nodiscard]] const std::vector<SimWiFiCall>& calls() const { return calls_; }
    [[nodiscard]] int callCount(std::string_view function) const;
    void clearCalls() { calls_.clear(); }

    // What the library did, for checks.
    [[nodiscard]] bool serviceRunning() const { return serviceRunning_; }
    [[nodiscard]] bool driverInstalled() const { return driverInstalled_; }
    [[nodiscard]] bool released() const { return released_; }
    [[nodiscard]] const std::string& storagePath() const { return storagePath_; }
    [[nodiscard]] uint32_t libraryOption(uint32_t option) const;
    [[nodiscard]] int scanCount() const { return scans_; }
    [[nodiscard]] size_t openTmpProfiles() const { return tmpProfiles_.size(); }
    // Empty for an unknown adapter.
    [[nodiscard]] std::vector<SimWiFiProfile> profiles(uint32_t adapter) const;
    [[nodiscard]] std::optional<bool> adapterOnDhcp(uint32_t adapter) const;

private:
    struct Adapter {
        WorldAdapter world;
        bool dhcp = true;
        WorldAddress staticIp;
        std::vector<SimWiFiProfile> profiles;
        std::optional<size_t> network; // the index in world.networks of the network joined
        bool keyMatches = false;
        bool addressAtOnce = false; // joined before the program started
        uint64_t joinedAt = 0;
        uint64_t addressReads = 0;
    };
    struct Injection {
        uint32_t code;
        int remaining;
    };

    template <typename Body>
    uint32_t run(std::string_view function, std::string arguments, Body body);
    [[nodiscard]] Adapter* adapterAt(uint32_t index);
    [[nodiscard]] WorldAddress currentAddress(Adapter& adapter, bool nextRead);

    const EventLoop& clock_;
    bool present_;
    bool direct_;
    uint32_t native_, advanced_, version_;
    bool serviceRunning_;
    bool driverInstalled_ = false;
    bool released_ = false;
    uint32_t ndisOption_ = 0;
    uint32_t scanTimeOption_ = 0;
    int scans_ = 0;
    std::string storagePath_;
    std::vector<Adapter> adapters_;
    std::map<uint32_t, SimWiFiProfile> tmpProfiles_;
    uint32_t nextHandle_ = 1;
    std::map<std::string, Injection, std::less<>> injected_;
    std::vector<SimWiFiCall> calls_;
};

// Reads the profile name, SSID, key and authentication from a WLAN profile document; false
// when it has no profile name or no SSID.
[[nodiscard]] bool parseWlanProfile(std::string_view xml, SimWiFiProfile& profile);

} // namespace cw
