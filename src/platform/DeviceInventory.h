// The device inventory port: the installed devices of a setup class, each with its
// description, its setup class name and the driver date its driver key records.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cw {

struct InstalledDevice {
    std::string description; // e.g. "Wi-Fi Wireless LAN USB Adapter"
    std::string setupClass;  // the class name, e.g. "Net"
    // The driver key's "DriverDate" text, month-day-year ("6-21-2005"); nullopt when the
    // device has no driver key or the value cannot be read.
    std::optional<std::string> driverDate;
};

class DeviceInventory {
public:
    virtual ~DeviceInventory() = default;

    // The installed devices (plugged in or not) of the setup class named `setupClass` ("Net"
    // for network adapters, compared ignoring case). False when the system cannot list them.
    [[nodiscard]] virtual bool devicesOfClass(std::string_view setupClass,
                                              std::vector<InstalledDevice>& devices) const = 0;
};

} // namespace cw
