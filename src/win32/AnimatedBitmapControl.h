// `TAnimatedBitmap` on screen: a window that shows one frame of a bitmap strip, stretched
// to its client area, and steps the frames with its own window timer.
#pragma once

#include <windows.h>

#include <cstdint>

namespace cw {

inline constexpr wchar_t kAnimatedBitmapClass[] = L"CwAnimatedBitmap";

// Registers the window class once per process; true when it is available.
[[nodiscard]] bool registerAnimatedBitmapClass(HINSTANCE instance);

// Each function returns false when `control` is not an animated bitmap.
// The control owns the bitmap from then on (null clears it); the previous one is deleted.
bool setAnimatedBitmap(HWND control, HBITMAP bitmap);
bool setAnimatedBitmapColumns(HWND control, int columns);
bool setAnimatedBitmapRows(HWND control, int rows);
// Milliseconds per frame; 0 stops the animation.
bool setAnimatedBitmapInterval(HWND control, uint32_t ms);
bool setAnimatedBitmapActivePicture(HWND control, int index);
bool setAnimatedBitmapReversePlay(HWND control, bool reverse);
// The current frame index, or -1 when `control` is not an animated bitmap.
[[nodiscard]] int animatedBitmapActivePicture(HWND control);

} // namespace cw
