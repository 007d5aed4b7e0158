// The compiled-in string tables of every module, and the main window's settings that other
// start-up code needs by name.
#pragma once

#include "app/LanguageFile.h"

#include <string_view>

namespace cw {

// The main window's table name.
inline constexpr std::string_view kMainWindowTable = "TFormWZ";

// The 16-character key of the enciphered entries (`__AppBF_Visp...`).
inline constexpr std::string_view kCipherKey = "Qv7#rIR-Wz4rd!K9";

// Every module's compiled-in table, in stored form (line breaks as the pair 25, 26).
[[nodiscard]] LanguageData compiledInTables();

} // namespace cw
