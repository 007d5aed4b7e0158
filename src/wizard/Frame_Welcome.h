// "Page_Welcome": asks the user to switch the computer's Wi-Fi on and to check that the box's
// Wi-Fi light is green, with a picture of the box.
#pragma once

#include "wizard/TitledPage.h"

namespace cw {

class TFm_Welcome : public TitledPage {
  public:
    explicit TFm_Welcome(AppContext& app);

    void DoBeforeDisplay(Window& sender) override;
};

} // namespace cw
