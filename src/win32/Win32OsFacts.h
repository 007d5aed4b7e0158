// OS facts from the real Windows: version query, WOW64, token groups, environment, the
// program's path, file version information and the program's string resources.
#pragma once

#include "platform/OsFacts.h"

namespace cw {

class Win32OsFacts : public OsFacts {
  public:
    [[nodiscard]] std::optional<OsVersionInfo> versionInfo() const override;
    [[nodiscard]] bool isWow64Process() const override;
    [[nodiscard]] TokenGroups tokenGroups() const override;
    [[nodiscard]] std::optional<std::string>
    environmentVariable(std::string_view name) const override;
    [[nodiscard]] std::string exePath() const override;
    [[nodiscard]] std::optional<FileVersion> fileVersion(std::string_view path) const override;
    [[nodiscard]] std::string stringResource(uint32_t id) const override;
};

} // namespace cw
