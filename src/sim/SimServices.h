// A service table for tests and simulated runs. A start takes a stopped service to running
// and a stop takes a running one to stopped; a refused service (or a refused manager)
// fails the way Windows does and stays as it was.
#pragma once

#include "platform/Services.h"

#include <string>
#include <vector>

namespace cw {

class SimServices : public Services {
  public:
    // System error codes the table answers with.
    static constexpr uint32_t kAccessDenied = 5;
    static constexpr uint32_t kInsufficientBuffer = 122;
    static constexpr uint32_t kAlreadyRunning = 1056;
    static constexpr uint32_t kDoesNotExist = 1060;
    static constexpr uint32_t kNotActive = 1062;

    struct Entry {
        ServiceStatus status;
        bool refuses = false; // start and stop are denied
    };

    void add(std::string name, std::string displayName, uint32_t state, bool refuses = false);
    // The entry with this service name (exact), or nullptr.
    [[nodiscard]] Entry* find(std::string_view name);

    bool refuseConnection = false;
    // When not 0, every enumeration fails with this code.
    uint32_t enumerationError = 0;

    std::vector<Entry> entries;
    // Service names opened through openService, in order (what a caller reached).
    std::vector<std::string> opened;

    [[nodiscard]] std::unique_ptr<ServiceManager> connect() override;
};

} // namespace cw
