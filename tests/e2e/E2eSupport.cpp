#include "E2eSupport.h"

namespace cw::e2e {

std::string unixPathToWine(std::string_view path) {
    return uidriver::unixPathToWine(path);
}

std::string fixtureWindowExe() {
    return unixPathToWine(CW_FIXTURE_WINDOW_EXE);
}

std::string configWiFiExe() {
    return unixPathToWine(CONFIGWIFI_EXE);
}

ProgramGuard::~ProgramGuard() {
    if (driver_.isRunning()) (void)driver_.terminate(1);
}

} // namespace cw::e2e
