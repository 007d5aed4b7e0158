// The service control manager. The enumeration grows its buffer until every service is
// listed, where a fixed buffer would fail on a system with many services.
#pragma once

#include "platform/Services.h"

#include <windows.h>
#include <winsvc.h>

#include <cstdint>
#include <vector>

namespace cw {

class Win32Services : public Services {
  public:
    [[nodiscard]] std::unique_ptr<ServiceManager> connect() override;
};

namespace win {

// The first buffer the enumeration tries, in bytes; larger ones follow as the manager asks.
constexpr DWORD kServiceBufferBytes = 72000;

// Lists every service of `manager`, starting with a buffer of `initialBytes` and continuing
// from where the manager stopped, in a buffer as large as it says it needs. False (with the
// system error code in `error`) when the enumeration fails for another reason.
[[nodiscard]] bool enumerateServices(SC_HANDLE manager, DWORD initialBytes,
                                     std::vector<ServiceStatus>& services, uint32_t& error);

} // namespace win
} // namespace cw
