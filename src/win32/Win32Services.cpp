#include "win32/Win32Services.h"

#include "win32/Handles.h"
#include "win32/WinString.h"

#include <algorithm>

namespace cw {
namespace {

// A manager that keeps answering "more data" without progress must not hold us forever.
constexpr int kMaxEnumerationRounds = 64;

class Win32ServiceHandle : public ServiceHandle {
  public:
    explicit Win32ServiceHandle(win::ScHandle service) : service_(std::move(service)) {}

    bool queryState(uint32_t& state) override {
        SERVICE_STATUS status{};
        if (!QueryServiceStatus(service_.get(), &status)) return fail();
        state = status.dwCurrentState;
        return true;
    }
    bool start() override { return StartServiceW(service_.get(), 0, nullptr) || fail(); }
    bool stop() override {
        SERVICE_STATUS status{};
        return ControlService(service_.get(), SERVICE_CONTROL_STOP, &status) || fail();
    }
    uint32_t lastError() const override { return error_; }

  private:
    bool fail() {
        error_ = GetLastError();
        return false;
    }
    win::ScHandle service_;
    uint32_t error_ = 0;
};

class Win32ServiceManager : public ServiceManager {
  public:
    explicit Win32ServiceManager(win::ScHandle manager) : manager_(std::move(manager)) {}

    bool enumerate(std::vector<ServiceStatus>& services) override {
        return win::enumerateServices(manager_.get(), win::kServiceBufferBytes, services, error_);
    }
    std::unique_ptr<ServiceHandle> openService(std::string_view name) override {
        win::ScHandle service(OpenServiceW(manager_.get(), win::wide(name).c_str(),
                                           SERVICE_QUERY_STATUS | SERVICE_START | SERVICE_STOP));
        if (!service) {
            error_ = GetLastError();
            return nullptr;
        }
        return std::make_unique<Win32ServiceHandle>(std::move(service));
    }
    uint32_t lastError() const override { return error_; }

  private:
    win::ScHandle manager_;
    uint32_t error_ = 0;
};

void appendEntries(const ENUM_SERVICE_STATUSW* entries, DWORD count,
                   std::vector<ServiceStatus>& services) {
    for (DWORD i = 0; i < count; ++i)
        services.push_back({win::narrow(entries[i].lpServiceName),
                            win::narrow(entries[i].lpDisplayName),
                            entries[i].ServiceStatus.dwCurrentState});
}

} // namespace

namespace win {

bool enumerateServices(SC_HANDLE manager, DWORD initialBytes, std::vector<ServiceStatus>& services,
                       uint32_t& error) {
    services.clear();
    // Entries hold pointers into the buffer, so it is kept aligned for them.
    std::vector<ENUM_SERVICE_STATUSW> buffer;
    DWORD bytes = initialBytes;
    DWORD resume = 0;
    for (int round = 0; round < kMaxEnumerationRounds; ++round) {
        buffer.resize(bytes / sizeof(ENUM_SERVICE_STATUSW) + 1);
        DWORD needed = 0;
        DWORD returned = 0;
        const BOOL complete =
            EnumServicesStatusW(manager, SERVICE_WIN32 | SERVICE_DRIVER, SERVICE_STATE_ALL,
                                buffer.data(), bytes, &needed, &returned, &resume);
        const DWORD failure = complete ? ERROR_SUCCESS : GetLastError();
        if (complete || failure == ERROR_MORE_DATA)
            appendEntries(buffer.data(), returned, services);
        if (complete) return true;
        if (failure != ERROR_MORE_DATA) {
            error = failure;
            services.clear();
            return false;
        }
        bytes = std::max(bytes, needed);
    }
    error = ERROR_MORE_DATA;
    services.clear();
    return false;
}

} // namespace win

std::unique_ptr<ServiceManager> Win32Services::connect() {
    win::ScHandle manager(
        OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT | SC_MANAGER_ENUMERATE_SERVICE));
    if (!manager) return nullptr;
    return std::make_unique<Win32ServiceManager>(std::move(manager));
}

} // namespace cw
