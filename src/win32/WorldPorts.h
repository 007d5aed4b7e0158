// What a world file can replace in the running program: the Wi-Fi library, the device
// inventory, the Windows version and the box's address. CONFIGWIFI_WORLD names the file;
// without it the program uses the real ones.
#pragma once

#include "sim/World.h"

#include <memory>
#include <optional>
#include <string>

namespace cw {

class AppContext;
class DeviceInventory;
class FileSystem;
class OsFacts;
class Trace;
class WiFiLibrary;

inline constexpr const char* kWorldVariable = "CONFIGWIFI_WORLD";

class WorldPorts {
public:
    explicit WorldPorts(const OsFacts& realOs);
    ~WorldPorts();
    WorldPorts(const WorldPorts&) = delete;
    WorldPorts& operator=(const WorldPorts&) = delete;

    // Reads and checks the world CONFIGWIFI_WORLD names, when it names one. False, with the
    // reason in `error`, when that world cannot be read or is not valid.
    [[nodiscard]] bool readWorld(const FileSystem& fs, std::string& error);
    [[nodiscard]] const World* world() const { return world_ ? &*world_ : nullptr; }

    // The world's Windows version over the real facts, or the real facts.
    [[nodiscard]] const OsFacts& osFacts() const;
    // Makes the Wi-Fi library and the device inventory (the world's, or the real ones) and
    // hands them to the application, with the world's box address.
    void attachTo(AppContext& app);

private:
    const OsFacts& realOs_;
    std::optional<World> world_;
    std::unique_ptr<OsFacts> worldOs_;
    std::unique_ptr<Trace> trace_;
    std::unique_ptr<WiFiLibrary> wifi_;
    std::unique_ptr<DeviceInventory> devices_;
};

} // namespace cw
