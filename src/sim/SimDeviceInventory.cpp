#include "sim/SimDeviceInventory.h"

#include "app/StringUtil.h"
#include "sim/World.h"

namespace cw {

SimDeviceInventory::SimDeviceInventory(const World& world) {
    for (const WorldAdapter& adapter : world.adapters)
        devices.push_back({adapter.name, "Net", adapter.driverDate});
    for (const WorldDevice& device : world.devices)
        devices.push_back({device.description, device.setupClass, device.driverDate});
}

bool SimDeviceInventory::devicesOfClass(std::string_view setupClass,
                                        std::vector<InstalledDevice>& found) const {
    found.clear();
    if (fails) return false;
    for (const InstalledDevice& device : devices)
        if (str::equalsNoCase(device.setupClass, setupClass)) found.push_back(device);
    return true;
}

} // namespace cw
