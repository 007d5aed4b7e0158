// The OS facts port: what the program asks Windows about itself and its host: the version,
// WOW64, the groups of the user's token, environment variables, its own path, a file's
// version and the program's string resources (the build switches).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cw {

// The extended version query.
struct OsVersionInfo {
    uint32_t platformId = 0; // 2 for the NT family, 1 for 95/98/Me
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t buildNumber = 0; // on 9x the low word is the build, the high word major/minor
    std::string servicePack;  // e.g. "Service Pack 3", empty when none
};

// The four 16-bit parts of a file's fixed version information.
struct FileVersion {
    uint16_t major = 0;
    uint16_t minor = 0;
    uint16_t release = 0;
    uint16_t build = 0;
    bool operator==(const FileVersion&) const = default;
};

// The group SIDs of the current thread's token (the process token when the thread has none).
struct TokenGroups {
    enum class Status { Read, NotOpened, NotRead };
    Status status = Status::NotOpened;
    std::vector<std::string> sids; // as text, e.g. "S-1-5-32-544"
    [[nodiscard]] bool ok() const { return status == Status::Read; }
};

class OsFacts {
  public:
    virtual ~OsFacts() = default;

    // The extended version query, or nullopt when it fails.
    [[nodiscard]] virtual std::optional<OsVersionInfo> versionInfo() const = 0;
    // True when this process is a 32-bit process on 64-bit Windows. An absent or failing
    // IsWow64Process gives false.
    [[nodiscard]] virtual bool isWow64Process() const = 0;
    [[nodiscard]] virtual TokenGroups tokenGroups() const = 0;
    // The variable's value, or nullopt when it is not set.
    [[nodiscard]] virtual std::optional<std::string>
    environmentVariable(std::string_view name) const = 0;
    // The running program's full path.
    [[nodiscard]] virtual std::string exePath() const = 0;
    // The file's fixed version, or nullopt when it has none (or cannot be read).
    [[nodiscard]] virtual std::optional<FileVersion> fileVersion(std::string_view path) const = 0;
    // The program's string resource `id`, or an empty text when it has none.
    [[nodiscard]] virtual std::string stringResource(uint32_t id) const = 0;
};

} // namespace cw
