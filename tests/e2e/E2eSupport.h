// Shared by the end-to-end tests: where the programs under test are, and a guard that ends a
// program a failed test left running.
#pragma once

#include "uidriver/UiDriver.h"

#include <string>
#include <string_view>

namespace cw::e2e {

// Generous: a program's first window under a cold Wine can take seconds.
inline constexpr int kWindowTimeoutMs = 30000;
inline constexpr int kActionTimeoutMs = 10000;

// The build gives Unix paths; Wine shows the Unix root as drive Z:.
[[nodiscard]] std::string unixPathToWine(std::string_view path);

// Windows paths of the programs the tests start.
[[nodiscard]] std::string fixtureWindowExe();
[[nodiscard]] std::string configWiFiExe();

// Ends the driver's program, if it still runs, when the test is over.
class ProgramGuard {
  public:
    explicit ProgramGuard(uidriver::UiDriver& driver) : driver_(driver) {}
    ~ProgramGuard();
    ProgramGuard(const ProgramGuard&) = delete;
    ProgramGuard& operator=(const ProgramGuard&) = delete;

  private:
    uidriver::UiDriver& driver_;
};

} // namespace cw::e2e
