// Fonts are created once per face, size and weight, shared by every control, and deleted
// when the cache goes.
#pragma once

#include "app/ViewDecl.h"
#include "win32/Handles.h"

#include <windows.h>

#include <map>
#include <tuple>

namespace cw {

class FontCache {
public:
    FontCache() = default;
    FontCache(const FontCache&) = delete;
    FontCache& operator=(const FontCache&) = delete;

    [[nodiscard]] HFONT get(const FontSpec& font);

private:
    std::map<std::tuple<std::string, int, bool>, win::GdiObject> fonts_;
};

} // namespace cw
