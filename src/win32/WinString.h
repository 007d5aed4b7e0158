// UTF-8 <-> UTF-16 at the W API calls (wchar_t is 16 bits with mingw-w64).
#pragma once

#include "app/StringUtil.h"

#include <string>
#include <string_view>

namespace cw::win {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

[[nodiscard]] inline std::wstring wide(std::string_view utf8) {
    const std::u16string w = str::utf8ToUtf16(utf8);
    return std::wstring(reinterpret_cast<const wchar_t*>(w.data()), w.size());
}

[[nodiscard]] inline std::string narrow(std::wstring_view utf16) {
    return str::utf16ToUtf8(
        std::u16string_view(reinterpret_cast<const char16_t*>(utf16.data()), utf16.size()));
}

} // namespace cw::win
