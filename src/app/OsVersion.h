// Windows version detection and the administrator check.
#pragma once

#include <string_view>

namespace cw {

struct AppData;
class OsFacts;
class Trace;

// The SID of the built-in Administrators group.
inline constexpr std::string_view kAdministratorsSid = "S-1-5-32-544";

// Sets the Windows version flags of `appData` (all cleared first) from the extended version
// query; on NT also Is64Bits through IsWOW64. Server 2003 (5.2) counts as XP.
void GetOS(AppData& appData, const OsFacts& os, Trace& trace);
// Queries the version afresh: true when the major version is above 5 (Vista, Windows 7...).
[[nodiscard]] bool IsVistaOrLater(const OsFacts& os);
[[nodiscard]] bool IsWOW64(const OsFacts& os);

// On 9x always true; on NT the result of IsNTAdmin.
[[nodiscard]] bool CheckCurrentUserIsAdmin(const AppData& appData, const OsFacts& os, Trace& trace);
// True when a group of the current token is the Administrators group (attributes are not
// examined); false when the token cannot be opened or read.
[[nodiscard]] bool IsNTAdmin(const OsFacts& os, Trace& trace);

} // namespace cw
