#include "win32/WorldPorts.h"

#include "app/AppContext.h"
#include "app/Trace.h"
#include "platform/FileSystem.h"
#include "sim/SimDeviceInventory.h"
#include "sim/SimWiFiLibrary.h"
#include "sim/WorldOsFacts.h"
#include "win32/Win32DeviceInventory.h"
#include "win32/Win32WiFiLibrary.h"

namespace cw {

WorldPorts::WorldPorts(const OsFacts& realOs) : realOs_(realOs) {}

WorldPorts::~WorldPorts() = default;

bool WorldPorts::readWorld(const FileSystem& fs, std::string& error) {
    const std::optional<std::string> path = realOs_.environmentVariable(kWorldVariable);
    if (!path || path->empty()) return true;
    const std::optional<std::string> text = fs.readFile(*path);
    std::string problem;
    if (!text)
        problem = "the file cannot be read";
    else
        world_ = loadWorld(*text, problem);
    if (!world_) {
        error = "The world file \"" + *path + "\" named by " + kWorldVariable +
                " cannot be used:\n" + problem;
        return false;
    }
    worldOs_ = std::make_unique<WorldOsFacts>(realOs_, *world_);
    return true;
}

const OsFacts& WorldPorts::osFacts() const {
    return worldOs_ ? *worldOs_ : realOs_;
}

void WorldPorts::attachTo(AppContext& app) {
    trace_ = std::make_unique<Trace>(app.traceLog, "WiFiMan");
    if (world_) {
        wifi_ = std::make_unique<SimWiFiLibrary>(*world_, app.ports.loop);
        devices_ = std::make_unique<SimDeviceInventory>(*world_);
        if (!world_->box.host.empty())
            app.boxUrl = "http://" + world_->box.host + ":" + std::to_string(world_->box.port) +
                         "/quickstatus.htm";
    } else {
        wifi_ = std::make_unique<Win32WiFiLibrary>(Win32WiFiLibrary::programFolderPath(), *trace_);
        devices_ = std::make_unique<Win32DeviceInventory>(*trace_);
    }
    app.wifiLibrary = wifi_.get();
    app.deviceInventory = devices_.get();
}

} // namespace cw
