// The box's quick-status page as a box writes it, for the box simulator and the tests: the
// record a box reports in each of its simulated states, and the page that reads back as a
// given record.
#pragma once

#include "network/BoxData.h"

#include <optional>
#include <string>
#include <string_view>

namespace cw {

// The path of the quick-status page on the box.
inline constexpr std::string_view kQuickStatusPath = "/quickstatus.htm";

enum class BoxState {
    Ok,         // cable line operational, Internet allowed
    CableDown,  // cable modem not operational (so no Internet either)
    NoInternet, // cable line operational, Internet not allowed
    NotFound,   // the box answers 404 for the page
    Slow,       // the box answers with the page of Ok, too late
};

// "ok", "cable-down", "no-internet", "not-found", "slow".
[[nodiscard]] std::string_view boxStateName(BoxState state);
[[nodiscard]] std::optional<BoxState> boxStateFromName(std::string_view name);

// What a box in `state` reports on its page (NotFound and Slow report as Ok).
[[nodiscard]] TQVTHD_Data boxRecordFor(BoxState state);

// The page that the box data module reads back as `data`. The page format has no escapes:
// apostrophes and line breaks are left out of the values, and a value that begins with ";"
// or ends with a blank does not read back as written. A channel writes its items up to the
// last one that is not empty, so its items should be non-blank and 6 or 8 (or fewer).
[[nodiscard]] std::string quickStatusPage(const TQVTHD_Data& data);

} // namespace cw
