// The HTML label: a static-like window that draws the wizard's markup (<B>, <BR>, <FONT>,
// <LI>, <IND>...) with GDI, word-wrapped to its width.
//   - The window text is the markup (WM_SETTEXT / WM_GETTEXT).
//   - WM_SETFONT sets the base font; bold, italic, underlined and sized variants are made
//     from it once and kept until the font changes or the window goes.
//   - kHtmlLabelSetColor: wParam = COLORREF, the text colour where the markup sets none.
//   - kHtmlLabelSetBackground: wParam = COLORREF, lParam = 1 to let the parent paint behind
//     the text (the parent's WM_ERASEBKGND is asked to draw into the label's picture).
// No tab stop; WM_GETDLGCODE answers DLGC_STATIC. WM_PRINTCLIENT draws into the given DC.
#pragma once

#include <windows.h>

namespace cw {

inline constexpr wchar_t kHtmlLabelClass[] = L"CwHtmlLabel";
inline constexpr UINT kHtmlLabelSetColor = WM_USER + 100;
inline constexpr UINT kHtmlLabelSetBackground = WM_USER + 101;

// Registers the window class once per process; true when it is available.
[[nodiscard]] bool registerHtmlLabelClass(HINSTANCE instance);

} // namespace cw
