// The OS facts of a simulated world laid over the real ones: the world's Windows version
// (and WOW64 answer, when it gives one); everything else is asked of the real system.
#pragma once

#include "platform/OsFacts.h"

namespace cw {

struct World;

class WorldOsFacts : public OsFacts {
public:
    WorldOsFacts(const OsFacts& real, const World& world);

    [[nodiscard]] std::optional<OsVersionInfo> versionInfo() const override { return version_; }
    [[nodiscard]] bool isWow64Process() const override;
    [[nodiscard]] TokenGroups tokenGroups() const override { return real_.tokenGroups(); }
    [[nodiscard]] std::optional<std::string>
    environmentVariable(std::string_view name) const override {
        return real_.environmentVariable(name);
    }
    [[nodiscard]] std::string exePath() const override { return real_.exePath(); }
    [[nodiscard]] std::optional<FileVersion> fileVersion(std::string_view path) const override {
        return real_.fileVersion(path);
    }
    [[nodiscard]] std::string stringResource(uint32_t id) const override {
        return real_.stringResource(id);
    }

private:
    const OsFacts& real_;
    OsVersionInfo version_;
    std::optional<bool> wow64_;
};

} // namespace cw
