#include "sim/SimOsFacts.h"

#include "app/StringUtil.h"

namespace cw {

SimOsFacts::SimOsFacts()
    : version(OsVersionInfo{2, 6, 1, 7601, "Service Pack 1"}), groups{TokenGroups::Status::Read,
                                                                      {"S-1-1-0", "S-1-5-32-544",
                                                                       "S-1-5-32-545"}},
      environment{{"APPDATA", "C:\\Users\\Client\\AppData\\Roaming"}},
      stringResources{{1000, "0"}, {2000, "1"}, {3000, "1"}} {}

std::optional<OsVersionInfo> SimOsFacts::versionInfo() const {
    ++versionQueries;
    return version;
}

bool SimOsFacts::isWow64Process() const {
    ++wow64Queries;
    return wow64;
}

std::optional<std::string> SimOsFacts::environmentVariable(std::string_view name) const {
    for (const auto& [key, value] : environment)
        if (str::equalsNoCase(key, name)) return value;
    return std::nullopt;
}

std::optional<FileVersion> SimOsFacts::fileVersion(std::string_view path) const {
    for (const auto& [key, value] : fileVersions)
        if (str::equalsNoCase(key, path)) return value;
    return std::nullopt;
}

std::string SimOsFacts::stringResource(uint32_t id) const {
    const auto it = stringResources.find(id);
    return it == stringResources.end() ? std::string() : it->second;
}

} // namespace cw
