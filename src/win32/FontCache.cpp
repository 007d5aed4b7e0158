#include "win32/FontCache.h"

#include "win32/WinString.h"

namespace cw {

HFONT FontCache::get(const FontSpec& font) {
    auto key = std::make_tuple(font.face, font.pixels, font.bold);
    auto it = fonts_.find(key);
    if (it == fonts_.end()) {
        LOGFONTW lf{};
        lf.lfHeight = -font.pixels;
        lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
        lf.lfCharSet = DEFAULT_CHARSET;
        lf.lfQuality = CLEARTYPE_QUALITY;
        const std::wstring face = win::wide(font.face);
        lstrcpynW(lf.lfFaceName, face.c_str(), LF_FACESIZE);
        it = fonts_.emplace(key, win::GdiObject(CreateFontIndirectW(&lf))).first;
    }
    return static_cast<HFONT>(it->second.get());
}

} // namespace cw
