// The compiled-in string tables of the network and box modules.
#pragma once

#include "app/LanguageFile.h"

#include <vector>

namespace cw {

[[nodiscard]] std::vector<ModuleSection> networkTables();

} // namespace cw
