#include "sim/SimServices.h"

#include "app/StringUtil.h"

namespace cw {
namespace {

class SimServiceHandle : public ServiceHandle {
  public:
    explicit SimServiceHandle(SimServices::Entry& entry) : entry_(entry) {}

    bool queryState(uint32_t& state) override {
        state = entry_.status.state;
        return true;
    }
    bool start() override {
        return change(kServiceStopped, kServiceRunning, SimServices::kAlreadyRunning);
    }
    bool stop() override {
        return change(kServiceRunning, kServiceStopped, SimServices::kNotActive);
    }
    uint32_t lastError() const override { return error_; }

  private:
    bool change(uint32_t from, uint32_t to, uint32_t wrongStateError) {
        if (entry_.refuses) return fail(SimServices::kAccessDenied);
        if (entry_.status.state != from) return fail(wrongStateError);
        entry_.status.state = to;
        return true;
    }
    bool fail(uint32_t error) {
        error_ = error;
        return false;
    }

    SimServices::Entry& entry_;
    uint32_t error_ = 0;
};

class SimServiceManager : public ServiceManager {
  public:
    explicit SimServiceManager(SimServices& table) : table_(table) {}

    bool enumerate(std::vector<ServiceStatus>& services) override {
        services.clear();
        if (table_.enumerationError != 0) {
            error_ = table_.enumerationError;
            return false;
        }
        for (const auto& entry : table_.entries)
            services.push_back(entry.status);
        return true;
    }
    std::unique_ptr<ServiceHandle> openService(std::string_view name) override {
        // Service names ignore case, as in the service control manager.
        for (auto& entry : table_.entries) {
            if (!str::equalsNoCase(entry.status.name, name)) continue;
            table_.opened.push_back(entry.status.name);
            return std::make_unique<SimServiceHandle>(entry);
        }
        error_ = SimServices::kDoesNotExist;
        return nullptr;
    }
    uint32_t lastError() const override { return error_; }

  private:
    SimServices& table_;
    uint32_t error_ = 0;
};

} // namespace

void SimServices::add(std::string name, std::string displayName, uint32_t state, bool refuses) {
    entries.push_back({{std::move(name), std::move(displayName), state}, refuses});
}

SimServices::Entry* SimServices::find(std::string_view name) {
    for (auto& entry : entries)
        if (entry.status.name == name) return &entry;
    return nullptr;
}

std::unique_ptr<ServiceManager> SimServices::connect() {
    if (refuseConnection) return nullptr;
    return std::make_unique<SimServiceManager>(*this);
}

} // namespace cw
