// The device inventory of a simulated world: every Wi-Fi adapter as a "Net" device with its
// driver date, and the world's other devices.
#pragma once

#include "platform/DeviceInventory.h"

namespace cw {

struct World;

class SimDeviceInventory : public DeviceInventory {
public:
    SimDeviceInventory() = default;
    explicit SimDeviceInventory(const World& world);

    std::vector<InstalledDevice> devices; // in the system's order
    bool fails = false;                   // the listing fails, as when SetupAPI refuses

    [[nodiscard]] bool devicesOfClass(std::string_view setupClass,
                                      std::vector<InstalledDevice>& found) const override;
};

} // namespace cw
