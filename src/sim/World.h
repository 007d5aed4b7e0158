// A simulated world: the PC the wizard believes it runs on and what surrounds it (the Windows
// version, the Wi-Fi adapters and the networks each one hears, what happens on connecting, the
// Windows wireless service, the Wi-Fi library's mode, other installed devices, the box).
// It is read from a JSON document; every field is described in docs/world-file.md.
#pragma once

#include "platform/OsFacts.h"

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cw {

struct WorldAddress {
    std::string address; // dotted quad
    std::string mask;
    std::string gateway;
    bool operator==(const WorldAddress&) const = default;
};

// What an adapter gets after it joins a network.
struct WorldConnect {
    enum class Result {
        Address,  // after `afterMs` the address below (a link-local one when the key differs)
        Never,    // associated, but no address ever ("0.0.0.0")
        Changing, // after `afterMs` each read of the address gives the next of `addresses`
    };
    Result result = Result::Address;
    uint32_t afterMs = 3000;
    WorldAddress ip{"192.168.1.10", "255.255.255.0", "192.168.1.1"};
    std::vector<std::string> addresses; // Changing: read in turn, cycling
};

struct WorldNetwork {
    std::string ssid;
    std::string key; // the key the access point expects; empty for an open network
    WorldConnect onConnect;
};

// A profile already in the library's store when the program starts.
struct WorldProfile {
    std::string name;
    std::string ssid;
    std::string key;
};

struct WorldAdapter {
    std::string name;
    std::string guid; // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
    bool dhcp = true;
    WorldAddress staticIp; // the configured address when `dhcp` is false
    std::optional<std::string> driverDate; // "m-d-yyyy" as the driver key holds it
    std::vector<WorldNetwork> networks;    // in range, in scan order; a name may repeat
    std::vector<WorldProfile> profiles;
    std::string associatedWith; // SSID joined at start (with an address at once), or empty
};

// An installed device besides the Wi-Fi adapters (for the device inventory).
struct WorldDevice {
    std::string description;
    std::string setupClass = "Net";
    std::optional<std::string> driverDate;
};

struct WorldLibrary {
    bool present = true; // false: every call answers as when WiFiMan.dll is missing
    bool direct = false; // the library drives the adapter itself (direct, NDIS mode)
    uint32_t native = 0;
    uint32_t advanced = 0;
    uint32_t version = 100;
    std::map<std::string, uint32_t> failures; // function name -> error code it always answers
};

struct WorldBox {
    std::string host; // quick-status page address; empty: the wizard's own setting
    uint16_t port = 0;
    std::string labelKey; // the Wi-Fi key printed on the box's label (for people and scripts)
};

struct World {
    std::string description;
    OsVersionInfo windows{2, 6, 1, 7601, "Service Pack 1"};
    std::optional<bool> wow64;
    bool wirelessServiceRunning = true;
    WorldLibrary library;
    std::vector<WorldAdapter> adapters;
    std::vector<WorldDevice> devices;
    WorldBox box;
};

// The names of the Wi-Fi library's functions, as the library exports them.
[[nodiscard]] const std::vector<std::string_view>& wifiLibraryFunctionNames();

// Parses and checks a world document. On any fault returns nullopt and sets `error` to the
// field's path and the problem, e.g. "adapters[1].networks[0].key: expected a string".
[[nodiscard]] std::optional<World> loadWorld(std::string_view text, std::string& error);

} // namespace cw
