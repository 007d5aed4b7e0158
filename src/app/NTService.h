// U_NTService: query, start and stop a Windows service by its service name or its display
// name (ignoring case). Outcomes go to the module's trace category only.
#pragma once

#include "app/Trace.h"
#include "platform/Services.h"

#include <string_view>

namespace cw {

class NTService {
  public:
    static constexpr std::string_view kModuleName = "U_NTService";

    NTService(Services& services, TraceLog& log)
        : services_(services), trace_(log, std::string(kModuleName)) {}

    // True when a service with that service or display name exists; then `running` tells
    // whether it runs (state 4) or not (states 1 to 3 and 5 to 7). Otherwise `running` is
    // left as it was.
    [[nodiscard]] bool CheckServiceState(std::string_view name, bool& running);
    // Starts the service without arguments, or sends it the stop control. Does not wait
    // for the new state: callers poll CheckServiceState.
    void StartStopService(std::string_view name, bool start);

  private:
    [[nodiscard]] std::unique_ptr<ServiceHandle> openByDisplayName(ServiceManager& manager,
                                                                   std::string_view name);
    void failed(std::string_view text, uint32_t systemError);
    void command(ServiceHandle& service, std::string_view name, bool start);

    Services& services_;
    Trace trace_;
};

} // namespace cw
