#include "app/OsVersion.h"

#include "app/AppData.h"
#include "app/StringUtil.h"
#include "app/Trace.h"
#include "platform/OsFacts.h"

#include <string>

namespace cw {
namespace {

constexpr uint32_t kPlatformNT = 2;

void clearVersionFlags(AppData& a) {
    a.IsNT = a.Is9x = a.IsNT4 = a.Is2000 = a.IsXP = a.IsVista = a.IsSeven = false;
    a.Is95 = a.Is98 = a.Is98SE = a.IsMe = false;
    a.IsXPSP2 = a.IsXPSP2Plus = a.IsXPSP3 = a.Is64Bits = false;
    a.HasSP1 = a.HasSP2 = a.HasSP3 = a.HasSP4 = false;
}

void setNtVersion(AppData& a, const OsVersionInfo& v) {
    a.IsNT = true;
    if (v.major < 5)
        a.IsNT4 = true;
    else if (v.major == 5 && v.minor == 0)
        a.Is2000 = true;
    else if (v.major == 5)
        a.IsXP = true;
    else if (v.minor == 0)
        a.IsVista = true;
    else
        a.IsSeven = true;
}

void set9xVersion(AppData& a, const OsVersionInfo& v) {
    a.Is9x = true;
    // The high byte of the build number's low word tells 95, 98 and 98 SE apart.
    const uint32_t buildHighByte = (v.buildNumber & 0xFFFF) >> 8;
    if (v.major <= 4 && v.minor == 0 && buildHighByte < 4)
        a.Is95 = true;
    else if (v.major == 4 && v.minor < 90 && buildHighByte == 7)
        a.Is98 = true;
    else if (v.major == 4 && v.minor < 90)
        a.Is98SE = true;
    else
        a.IsMe = true;
}

void setServicePacks(AppData& a, std::string_view servicePack) {
    const auto names = [servicePack](char n) {
        return str::containsNoCase(servicePack, std::string("Service Pack ") + n);
    };
    a.HasSP1 = names('1');
    a.HasSP2 = names('2');
    a.HasSP3 = names('3');
    a.HasSP4 = names('4');
    if (a.IsXP) {
        a.IsXPSP2 = a.HasSP2;
        a.IsXPSP3 = a.HasSP3;
        a.IsXPSP2Plus = a.IsXPSP2 || a.IsXPSP3;
    }
}

std::string describe(const OsVersionInfo& v) {
    return "Platform " + std::to_string(v.platformId) + ", version " + std::to_string(v.major) +
           "." + std::to_string(v.minor) + "." + std::to_string(v.buildNumber) + " \"" +
           v.servicePack + "\"";
}

} // namespace

void GetOS(AppData& appData, const OsFacts& os, Trace& trace) {
    auto scope = trace.scope("GetOS");
    clearVersionFlags(appData);
    const std::optional<OsVersionInfo> version = os.versionInfo();
    if (!version) {
        trace.error("The Windows version could not be read");
        return;
    }
    trace.message(describe(*version));
    if (version->platformId == kPlatformNT)
        setNtVersion(appData, *version);
    else
        set9xVersion(appData, *version);
    setServicePacks(appData, version->servicePack);
    if (appData.IsNT) appData.Is64Bits = IsWOW64(os);
}

bool IsVistaOrLater(const OsFacts& os) {
    const std::optional<OsVersionInfo> version = os.versionInfo();
    return version && version->major > 5;
}

bool IsWOW64(const OsFacts& os) {
    return os.isWow64Process();
}

bool CheckCurrentUserIsAdmin(const AppData& appData, const OsFacts& os, Trace& trace) {
    if (appData.Is9x) return true;
    return IsNTAdmin(os, trace);
}

bool IsNTAdmin(const OsFacts& os, Trace& trace) {
    auto scope = trace.scope("IsNTAdmin");
    const TokenGroups groups = os.tokenGroups();
    if (groups.status == TokenGroups::Status::NotOpened) {
        trace.error("The access token could not be opened");
        return false;
    }
    if (groups.status == TokenGroups::Status::NotRead) {
        trace.error("The token's groups could not be read");
        return false;
    }
    for (const std::string& sid : groups.sids)
        if (str::equalsNoCase(sid, kAdministratorsSid)) {
            trace.message("The user belongs to the Administrators group");
            return true;
        }
    trace.message("The user is not an administrator (" + std::to_string(groups.sids.size()) +
                  " groups)");
    return false;
}

} // namespace cw
