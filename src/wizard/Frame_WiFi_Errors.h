// The pages that tell the user why the Wi-Fi path cannot go on: conflicting Wi-Fi manager,
// no Wi-Fi adapter, box network not found, connection failure, WPS failure, and the Wi-Fi
// light warning. Each shows a text, a warning picture and its title; the page that leads
// here chooses the buttons.
#pragma once

#include "wizard/TitledPage.h"

#include <functional>
#include <string_view>

namespace cw {

// "Page_WiFi_Svc_Error": from its second display on, a warning dialog follows the page.
class TFm_WiFi_Warning_Svc : public TitledPage {
  public:
    explicit TFm_WiFi_Warning_Svc(AppContext& app);
    void DoAfterDisplay(Window& sender) override;

  private:
    bool displayedBefore_ = false;
};

// "Page_WiFi_Device_Error": a build for Wi-Fi adapters shows the adapter text instead.
class TFm_WiFi_Device_Error : public TitledPage {
  public:
    explicit TFm_WiFi_Device_Error(AppContext& app);
    void DoBeforeDisplay(Window& sender) override;
};

class TFm_WiFi_SSID_Error : public TitledPage {
  public:
    explicit TFm_WiFi_SSID_Error(AppContext& app);
};

class TFm_WiFi_Cx_Error : public TitledPage {
  public:
    explicit TFm_WiFi_Cx_Error(AppContext& app);
};

// "Page_WiFi_Warning_Secu": "Recommencer" turns the WPS path back on and starts again from
// the welcome page.
class TFm_WiFi_Warning_Secu : public TitledPage {
  public:
    explicit TFm_WiFi_Warning_Secu(AppContext& app);
    void DoBeforeDisplay(Window& sender) override;
    void BRestartEasyWiFiClick();

    // The WPS engine's Refresh_Adapter_Config, set once the engine exists; until then
    // "Recommencer" has no adapter list to refresh.
    std::function<void(std::string_view adapterName)> refreshWpsAdapterConfig;
};

class TFm_WiFi_Warning_1 : public TitledPage {
  public:
    explicit TFm_WiFi_Warning_1(AppContext& app);
};

} // namespace cw
