#include "win32/Win32WindowEffects.h"

#include "win32/Handles.h"
#include "win32/Win32Window.h"

#include <windows.h>

namespace cw {
namespace {

struct Margins {
    int left, right, top, bottom;
};
using DwmIsCompositionEnabledFn = HRESULT(WINAPI*)(BOOL*);
using DwmExtendFrameFn = HRESULT(WINAPI*)(HWND, const Margins*);
using SetLayeredAttributesFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

template <typename Fn> Fn lookUp(HMODULE module, const char* name) {
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                  : nullptr;
}

} // namespace

bool Win32WindowEffects::applyGlass(Window& window, Color color) {
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExW(&version) || version.dwPlatformId != VER_PLATFORM_WIN32_NT ||
        version.dwMajorVersion <= 5)
        return false;
    win::Module dwm(LoadLibraryW(L"dwmapi.dll"));
    const auto isEnabled = lookUp<DwmIsCompositionEnabledFn>(dwm.get(), "DwmIsCompositionEnabled");
    const auto extend = lookUp<DwmExtendFrameFn>(dwm.get(), "DwmExtendFrameIntoClientArea");
    const auto layered = lookUp<SetLayeredAttributesFn>(GetModuleHandleW(L"user32.dll"),
                                                        "SetLayeredWindowAttributes");
    BOOL composing = FALSE;
    if (!isEnabled || !extend || !layered || FAILED(isEnabled(&composing)) || !composing)
        return false;
    HWND hwnd = static_cast<Win32Window&>(window).hwnd();
    const COLORREF key = RGB((color >> 16) & 0xFF, (color >> 8) & 0xFF, color & 0xFF);
    SetWindowLongW(hwnd, GWL_EXSTYLE, GetWindowLongW(hwnd, GWL_EXSTYLE) | WS_EX_LAYERED);
    layered(hwnd, key, 0, LWA_COLORKEY);
    const Margins all{-1, -1, -1, -1};
    return SUCCEEDED(extend(hwnd, &all));
}

void Win32WindowEffects::applySegoeFont(Window& window) {
    HWND hwnd = static_cast<Win32Window&>(window).hwnd();
    LOGFONTW lf{};
    HFONT current = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    if (!current || !GetObjectW(current, sizeof lf, &lf)) return;
    if (lstrcmpiW(lf.lfFaceName, L"Segoe UI") == 0) return;
    lstrcpynW(lf.lfFaceName, L"Segoe UI", LF_FACESIZE);
    // One point larger, at the screen's resolution.
    HDC screen = GetDC(nullptr);
    const int onePoint = MulDiv(1, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    lf.lfHeight = lf.lfHeight < 0 ? lf.lfHeight - onePoint : lf.lfHeight + onePoint;
    HFONT font = CreateFontIndirectW(&lf);
    wchar_t face[LF_FACESIZE] = {};
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, font);
    GetTextFaceW(dc, LF_FACESIZE, face);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    if (lstrcmpiW(face, L"Segoe UI") != 0) {
        DeleteObject(font);
        lstrcpynW(lf.lfFaceName, L"Tahoma", LF_FACESIZE);
        font = CreateFontIndirectW(&lf);
    }
    // The window keeps the font for its whole life, so it is never deleted.
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

Color Win32WindowEffects::buttonFaceColor() const {
    const COLORREF c = GetSysColor(COLOR_BTNFACE);
    return (Color{GetRValue(c)} << 16) | (Color{GetGValue(c)} << 8) | GetBValue(c);
}

} // namespace cw
