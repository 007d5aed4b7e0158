// LoadGraph for the pages: a page picture from the skin directory when the main window's
// settings name a file there that exists, else from the program's bitmap resources.
#pragma once

#include "platform/Ui.h"

#include <string_view>

namespace cw {

class AppContext;

// `settingKey` names the override file in the main window's table (empty: resource only).
[[nodiscard]] Picture LoadGraph(AppContext& app, std::string_view settingKey,
                                std::string_view resourceName);

} // namespace cw
