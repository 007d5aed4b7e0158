// The services port: the local service control manager. A connection lists the services
// and opens one by its service name, to query, start or stop it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace cw {

// Current states as the service control manager reports them.
enum ServiceStateCode : uint32_t {
    kServiceStopped = 1,
    kServiceStartPending = 2,
    kServiceStopPending = 3,
    kServiceRunning = 4,
    kServiceContinuePending = 5,
    kServicePausePending = 6,
    kServicePaused = 7,
};

struct ServiceStatus {
    std::string name;        // service name, e.g. "Spooler"
    std::string displayName; // the name shown to users
    uint32_t state = 0;      // one of ServiceStateCode
};

// A service opened through a connection; closed when destroyed. A failed call leaves the
// system error code in lastError().
class ServiceHandle {
  public:
    virtual ~ServiceHandle() = default;
    ServiceHandle(const ServiceHandle&) = delete;
    ServiceHandle& operator=(const ServiceHandle&) = delete;

    [[nodiscard]] virtual bool queryState(uint32_t& state) = 0;
    // Starts the service without arguments.
    [[nodiscard]] virtual bool start() = 0;
    // Sends the stop control.
    [[nodiscard]] virtual bool stop() = 0;
    [[nodiscard]] virtual uint32_t lastError() const = 0;

  protected:
    ServiceHandle() = default;
};

// An open connection to the service control manager; closed when destroyed.
class ServiceManager {
  public:
    virtual ~ServiceManager() = default;
    ServiceManager(const ServiceManager&) = delete;
    ServiceManager& operator=(const ServiceManager&) = delete;

    // Every service of every type and state, in the manager's order. False (and
    // lastError()) when the enumeration fails.
    [[nodiscard]] virtual bool enumerate(std::vector<ServiceStatus>& services) = 0;
    // Opens a service by its service name (not its display name) with the rights to
    // query, start and stop it; nullptr (and lastError()) when that fails.
    [[nodiscard]] virtual std::unique_ptr<ServiceHandle> openService(std::string_view name) = 0;
    [[nodiscard]] virtual uint32_t lastError() const = 0;

  protected:
    ServiceManager() = default;
};

class Services {
  public:
    virtual ~Services() = default;
    // Connects to the local manager with the rights to enumerate; nullptr when refused.
    [[nodiscard]] virtual std::unique_ptr<ServiceManager> connect() = 0;
};

} // namespace cw
