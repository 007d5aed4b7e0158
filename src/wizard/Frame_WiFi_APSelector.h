// "Page_WiFi_APSelector": the choice of the box's Wi-Fi network. CanEnter scans first: one
// network of the box is chosen without showing the page, none leads to an error page, and
// only several are listed for the user, sorted ignoring case.
#pragma once

#include "wizard/TitledPage.h"

#include <string>
#include <string_view>
#include <vector>

namespace cw {

// The network names in the list's order: alphabetical ignoring case, duplicates kept.
[[nodiscard]] std::vector<std::string> sortedNetworkNames(std::vector<std::string> names);

class TFm_WiFi_APSelector : public TitledPage {
  public:
    static constexpr std::string_view kList = "LB_AP";

    explicit TFm_WiFi_APSelector(AppContext& app);

    [[nodiscard]] bool CanEnter() override;
    void DoBeforeDisplay(Window& sender) override;

    void LB_APClick();

  protected:
    // The WPS path. Until the WPS engine exists it takes the route of an engine that finds
    // no network, so the wizard falls back to the key-entry path.
    [[nodiscard]] virtual bool enterWps();
    [[nodiscard]] virtual bool wpsApSelect(const std::string& networkName);

  private:
    void wireList();
    [[nodiscard]] bool enterKeyEntry();
    void go(std::string_view page, std::string_view flags);

    bool wired_ = false;
};

} // namespace cw
