// "Page_End_OK": the last page. Its title and text tell which path was taken (WPS, Ethernet
// or Wi-Fi with the key) and whether the box assistant will start on leaving.
#pragma once

#include "wizard/TitledPage.h"

namespace cw {

class TFm_End_OK : public TitledPage {
  public:
    explicit TFm_End_OK(AppContext& app);

    void DoBeforeDisplay(Window& sender) override;

  private:
    // The box assistant is enabled in the page manager's settings and its program is there.
    [[nodiscard]] bool boxAssistantWillStart() const;
};

} // namespace cw
