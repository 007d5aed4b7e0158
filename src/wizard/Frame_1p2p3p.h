// The cabling pages shown after the PC is connected: "Page_1P" (extra telephones, text by
// player mode), "Page_2P" (the telephone adapter, with an animation of the cabling) and
// "Page_3P" (the TV decoder, with a poster).
#pragma once

#include "wizard/TitledPage.h"

#include <cstdint>

namespace cw {

class TFm_1p : public TitledPage {
  public:
    explicit TFm_1p(AppContext& app);

    // Sets the text of the player mode; other modes keep the design text.
    void DoBeforeDisplay(Window& sender) override;
};

// Loads its animation strip before each display, so the animation plays from the start.
class TFm_2p : public TitledPage {
  public:
    explicit TFm_2p(AppContext& app);
};

class TFm_3p : public TitledPage {
  public:
    explicit TFm_3p(AppContext& app);
};

// The frame strip of the telephone cabling, played by "Page_2P"'s `FlashPlayer`.
inline constexpr AnimationSpec kFlash2pStrip{3, 2, 0, 900};

} // namespace cw
