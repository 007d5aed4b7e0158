// The compiled-in string tables of the Wi-Fi connection modules.
#pragma once

#include "app/LanguageFile.h"

#include <vector>

namespace cw {

[[nodiscard]] std::vector<ModuleSection> wifiTables();

} // namespace cw
