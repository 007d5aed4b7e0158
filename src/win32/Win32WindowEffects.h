// Glass and the Vista font for the main window; dwmapi.dll is loaded only when asked for.
#pragma once

#include "platform/WindowEffects.h"

namespace cw {

class Win32WindowEffects : public WindowEffects {
public:
    bool applyGlass(Window& window, Color color) override;
    void applySegoeFont(Window& window) override;
    [[nodiscard]] Color buttonFaceColor() const override;
};

} // namespace cw
