// Simulated OS facts: plain fields that tests and simulated worlds set. The defaults describe
// a 64-bit Windows 7 SP1 where the user is an administrator.
#pragma once

#include "platform/OsFacts.h"

#include <map>

namespace cw {

class SimOsFacts : public OsFacts {
  public:
    SimOsFacts();

    std::optional<OsVersionInfo> version;
    bool wow64 = true;
    TokenGroups groups;
    std::map<std::string, std::string> environment; // names compare ignoring case
    std::string programPath = "C:\\Program Files\\Quorvale\\ConfigWiFi.exe";
    std::map<std::string, FileVersion> fileVersions; // by path, compared ignoring case
    std::map<uint32_t, std::string> stringResources;

    // How many times the version was queried (the version is queried afresh by some callers).
    mutable int versionQueries = 0;
    mutable int wow64Queries = 0;

    [[nodiscard]] std::optional<OsVersionInfo> versionInfo() const override;
    [[nodiscard]] bool isWow64Process() const override;
    [[nodiscard]] TokenGroups tokenGroups() const override { return groups; }
    [[nodiscard]] std::optional<std::string>
    environmentVariable(std::string_view name) const override;
    [[nodiscard]] std::string exePath() const override { return programPath; }
    [[nodiscard]] std::optional<FileVersion> fileVersion(std::string_view path) const override;
    [[nodiscard]] std::string stringResource(uint32_t id) const override;
};

} // namespace cw
