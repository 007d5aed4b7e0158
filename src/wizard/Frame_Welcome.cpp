#include "wizard/Frame_Welcome.h"

#include "app/RunMode.h"

namespace cw {
namespace {

WindowDecl welcomeDecl() {
    return pageDecl(
        "Page_Welcome",
        {
            Control("HTML_Text", ControlKind::HtmlLabel, {8, 8, 409, 65}, "", kPageTextFont),
            Control("Img_Main", ControlKind::Image, {24, 88, 400, 200}, "", kPageTextFont).centre(),
            Control("HTML_Text2", ControlKind::HtmlLabel, {8, 312, 409, 41}, "", kPageTextFont),
        });
}

} // namespace

TFm_Welcome::TFm_Welcome(AppContext& app)
    : TitledPage(app, "Fm_Welcome", "TFm_Welcome", welcomeDecl(),
                 {{"Img_Main", "Assos_Process", "WiFiOn"}}) {}

void TFm_Welcome::DoBeforeDisplay(Window& sender) {
    TitledPage::DoBeforeDisplay(sender);
    if (isBuildSwitchOn(app_.ports.os, BuildSwitch::DongleModeSwitch))
        view().setText("HTML_Text", table().GetText("HTMLText_DongleText"));
}

} // namespace cw
