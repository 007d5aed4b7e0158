// Desktop effects of the main window that only some Windows versions offer.
#pragma once

#include "app/ViewDecl.h"

namespace cw {

class Window;

class WindowEffects {
public:
    virtual ~WindowEffects() = default;
    // Glass over the whole window where the desktop composes windows (Vista and later):
    // `color` becomes the transparent key. False when not available.
    virtual bool applyGlass(Window& window, Color color) = 0;
    // The Vista font for the window's texts ("Segoe UI", one point larger; else "Tahoma").
    virtual void applySegoeFont(Window& window) = 0;
    // The system's button-face colour.
    [[nodiscard]] virtual Color buttonFaceColor() const = 0;
};

} // namespace cw
