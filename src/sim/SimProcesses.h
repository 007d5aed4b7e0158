// An in-memory process table for tests and simulated runs: processes are added by path,
// some can be made impossible to open, and terminated ones leave the table.
#pragma once

#include "platform/Processes.h"

#include <string_view>

namespace cw {

class SimProcesses : public Processes {
public:
    // Adds a running process from its full program path ("C:\Dir\prog.exe") and returns
    // its identifier. A process that is not openable is listed but cannot be terminated,
    // like one owned by the system.
    uint32_t start(std::string_view path, bool openable = true);
    void setOpenable(uint32_t id, bool openable);
    // Makes listing fail, as on a system with no process enumeration.
    void setListingFails(bool fails) { listingFails_ = fails; }

    [[nodiscard]] bool isRunning(uint32_t id) const;
    // Identifiers of the processes ended through terminate(), in order.
    [[nodiscard]] const std::vector<uint32_t>& terminated() const { return terminated_; }

    [[nodiscard]] bool list(std::vector<ProcessInfo>& processes) override;
    [[nodiscard]] bool terminate(uint32_t id) override;

private:
    struct Entry {
        ProcessInfo info;
        bool openable = true;
    };
    [[nodiscard]] Entry* find(uint32_t id);

    std::vector<Entry> running_;
    std::vector<uint32_t> terminated_;
    uint32_t nextId_ = 1000;
    bool listingFails_ = false;
};

} // namespace cw
