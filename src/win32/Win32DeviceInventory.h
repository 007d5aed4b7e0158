// The installed devices of a setup class, read through SetupAPI: each device's description,
// its class name and the "DriverDate" value of its driver key.
#pragma once

#include "platform/DeviceInventory.h"

namespace cw {

class Trace;

class Win32DeviceInventory : public DeviceInventory {
public:
    explicit Win32DeviceInventory(Trace& trace) : trace_(trace) {}

    [[nodiscard]] bool devicesOfClass(std::string_view setupClass,
                                      std::vector<InstalledDevice>& devices) const override;

private:
    Trace& trace_;
};

} // namespace cw
