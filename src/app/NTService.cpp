#include "app/NTService.h"

#include "app/StringUtil.h"

#include <vector>

namespace cw {

bool NTService::CheckServiceState(std::string_view name, bool& running) {
    auto scope = trace_.scope("CheckServiceState");
    const auto manager = services_.connect();
    if (!manager) return false;
    std::vector<ServiceStatus> services;
    if (!manager->enumerate(services)) {
        trace_.error("Error EnumServicesStatus " + std::to_string(manager->lastError()));
        return false;
    }
    for (const ServiceStatus& service : services) {
        if (!str::equalsNoCase(service.name, name) && !str::equalsNoCase(service.displayName, name))
            continue;
        if (service.state == kServiceRunning)
            running = true;
        else if (service.state >= kServiceStopped && service.state <= kServicePaused)
            running = false;
        return true;
    }
    return false;
}

std::unique_ptr<ServiceHandle> NTService::openByDisplayName(ServiceManager& manager,
                                                            std::string_view name) {
    std::vector<ServiceStatus> services;
    if (!manager.enumerate(services)) {
        trace_.error("Error : Unable to list services");
        return nullptr;
    }
    for (const ServiceStatus& service : services)
        if (str::equalsNoCase(service.displayName, name)) return manager.openService(service.name);
    return nullptr;
}

void NTService::failed(std::string_view text, uint32_t systemError) {
    trace_.error(text);
    trace_.message("System error " + std::to_string(systemError));
}

void NTService::command(ServiceHandle& service, std::string_view name, bool start) {
    if (start) {
        if (service.start())
            trace_.message(std::string(name) + " service started");
        else
            failed("Error : Unable to start service", service.lastError());
    } else if (!service.stop()) {
        failed("Error : Unable to stop service", service.lastError());
    }
}

void NTService::StartStopService(std::string_view name, bool start) {
    auto scope = trace_.scope("StartStopService");
    const auto manager = services_.connect();
    if (!manager) return;
    auto service = manager->openService(name);
    if (!service) service = openByDisplayName(*manager, name);
    if (service)
        command(*service, name, start);
    else
        failed("Error : Unable to open service " + std::string(name), manager->lastError());
}

} // namespace cw
