// The compiled-in string tables of the page manager and the pages.
#pragma once

#include "app/LanguageFile.h"

#include <vector>

namespace cw {

[[nodiscard]] std::vector<ModuleSection> wizardTables();

} // namespace cw
