// What every painted, static-like control of ours answers the same way: it paints itself in
// one go (no separate erase), draws into a given DC on request, repaints when resized, takes
// no keyboard focus and lets the mouse through to its parent.
#pragma once

#include <windows.h>

#include <optional>

namespace cw::win {

// The answer to `msg`, or nullopt when the control handles it itself.
template <typename Paint>
std::optional<LRESULT> handleStaticControlMessage(HWND hwnd, UINT msg, WPARAM wp, Paint&& paint) {
    switch (msg) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        if (HDC dc = BeginPaint(hwnd, &ps)) {
            paint(dc);
            EndPaint(hwnd, &ps);
        }
        return 0;
    }
    case WM_PRINTCLIENT:
        paint(reinterpret_cast<HDC>(wp));
        return 0;
    case WM_SIZE:
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_NCHITTEST:
        return HTTRANSPARENT;
    default:
        return std::nullopt;
    }
}

} // namespace cw::win
