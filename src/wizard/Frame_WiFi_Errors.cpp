#include "wizard/Frame_WiFi_Errors.h"

#include "app/RunMode.h"
#include "wizard/FrameManager.h"

namespace cw {
namespace {

const FontSpec kHeadingFont{"Tahoma", 13, true, kBlack};
constexpr Rect kWarningIcon{4, 8, 32, 32};

ControlDecl warningIcon() {
    return Control("ImgWarning", ControlKind::Image, kWarningIcon, "", kPageTextFont);
}

ControlDecl text(const char* name, Rect rect) {
    return Control(name, ControlKind::HtmlLabel, rect, "", kPageTextFont);
}

const PagePicture kWarningPicture{"ImgWarning", "", "WARNING"};

} // namespace

TFm_WiFi_Warning_Svc::TFm_WiFi_Warning_Svc(AppContext& app)
    : TitledPage(app, "Fm_WiFi_Warning_Svc", "TFm_WiFi_Warning_Svc",
                 pageDecl("Page_WiFi_Svc_Error",
                          {warningIcon(), text("Html_TextSvcError", {40, 8, 425, 160})}),
                 {kWarningPicture}) {}

void TFm_WiFi_Warning_Svc::DoAfterDisplay(Window& sender) {
    TitledPage::DoAfterDisplay(sender);
    if (displayedBefore_)
        (void)app_.dialogs.ShowMessageDialog("", table().GetText("MsgWarning_Text"),
                                             static_cast<int>(DialogKind::Warning), true);
    displayedBefore_ = true;
}

TFm_WiFi_Device_Error::TFm_WiFi_Device_Error(AppContext& app)
    : TitledPage(
          app, "Fm_WiFi_Device_Error", "TFm_WiFi_Device_Error",
          pageDecl("Page_WiFi_Device_Error", {warningIcon(), text("HTML_Text", {40, 8, 425, 160})}),
          {{"ImgWarning", "", "Warning"}}) {}

void TFm_WiFi_Device_Error::DoBeforeDisplay(Window& sender) {
    TitledPage::DoBeforeDisplay(sender);
    const std::string dongleText = table().GetText("HTML_Text_Dongle");
    if (isBuildSwitchOn(app_.ports.os, BuildSwitch::DongleModeSwitch) && !dongleText.empty())
        view().setText("HTML_Text", dongleText);
}

TFm_WiFi_SSID_Error::TFm_WiFi_SSID_Error(AppContext& app)
    : TitledPage(
          app, "Fm_WiFi_SSID_Error", "TFm_WiFi_SSID_Error",
          pageDecl("Page_WiFi_SSID_Error", {warningIcon(), text("HTML_Text", {40, 8, 431, 352})}),
          {{"ImgWarning", "", "Warning"}}) {}

// The warning picture of this page stays hidden; its heading says it all.
TFm_WiFi_Cx_Error::TFm_WiFi_Cx_Error(AppContext& app)
    : TitledPage(app, "Fm_WiFi_Cx_Error", "TFm_WiFi_Cx_Error",
                 pageDecl("Page_WiFi_Cx_Error",
                          {warningIcon().hidden(), text("HTML_Title", {40, 8, 425, 28}),
                           text("HTML_Text", {40, 44, 425, 200})})) {}

TFm_WiFi_Warning_Secu::TFm_WiFi_Warning_Secu(AppContext& app)
    : TitledPage(app, "Fm_WiFi_Warning_Secu", "TFm_WiFi_Warning_Secu",
                 pageDecl("Page_WiFi_Warning_Secu",
                          {warningIcon(), text("Html_TextEasyWiFi", {40, 8, 425, 180}),
                           Control("BRestartEasyWiFi", ControlKind::Button, {164, 318, 145, 31}, "",
                                   kPageButtonFont)}),
                 {kWarningPicture}) {}

void TFm_WiFi_Warning_Secu::DoBeforeDisplay(Window& sender) {
    // The page's view exists from the build on; the button is wired before it can be seen.
    view().onClick("BRestartEasyWiFi", [this] { BRestartEasyWiFiClick(); });
    TitledPage::DoBeforeDisplay(sender);
}

void TFm_WiFi_Warning_Secu::BRestartEasyWiFiClick() {
    auto scope = trace().scope("BRestartEasyWiFiClick");
    app_.appData.JumpStartMode = true;
    app_.dialogs.Show_FormWait(table().GetText("Msg_Wait_RefreshDevice"));
    if (refreshWpsAdapterConfig)
        refreshWpsAdapterConfig("");
    else
        trace().message("BRestartEasyWiFiClick: no WPS engine, nothing to refresh");
    app_.dialogs.Close_FormWait();
    if (manager()) manager()->GOFrame(TFm_Frame_Manager::kWelcome, parseGoFlags("-NC"));
}

TFm_WiFi_Warning_1::TFm_WiFi_Warning_1(AppContext& app)
    : TitledPage(app, "Fm_WiFi_Warning_1", "TFm_WiFi_Warning_1",
                 pageDecl("Page_WiFi_Warning_1", {warningIcon(),
                                                  Control("HTML_sTItle", ControlKind::HtmlLabel,
                                                          {40, 14, 425, 20}, "", kHeadingFont),
                                                  text("Html_Text", {40, 40, 425, 40}),
                                                  Control("Img_Main", ControlKind::Image,
                                                          {24, 88, 400, 200}, "", kPageTextFont)
                                                      .centre()}),
                 {{"ImgWarning", "", "Warning_Assos"}, {"Img_Main", "Assos_Process", "WiFiOn"}}) {}

} // namespace cw
