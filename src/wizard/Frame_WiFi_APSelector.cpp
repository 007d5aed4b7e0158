#include "wizard/Frame_WiFi_APSelector.h"

#include "app/Graph.h"
#include "app/StringUtil.h"
#include "wifi/WiFiManager.h"
#include "wizard/FrameManager.h"

#include <algorithm>

namespace cw {
namespace {

const FontSpec kHeadingFont{"Tahoma", 13, true, kBlack};

WindowDecl apSelectorDecl() {
    return pageDecl(
        "Page_WiFi_APSelector",
        {
            Control("HTML_Text", ControlKind::HtmlLabel, {8, 8, 457, 20}, "", kHeadingFont),
            Control("HTMDetail", ControlKind::HtmlLabel, {8, 32, 457, 56}, "", kPageTextFont),
            Control("Img_Find_SSID", ControlKind::Image, {16, 92, 441, 130}, "", kPageTextFont)
                .centre(),
            Control("HTMLabel1", ControlKind::HtmlLabel, {8, 228, 457, 32}, "", kPageTextFont),
            Control("LB_AP", ControlKind::ListBox, {8, 264, 457, 100}, "", kPageTextFont),
        });
}

} // namespace

std::vector<std::string> sortedNetworkNames(std::vector<std::string> names) {
    std::stable_sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return str::lower(a) < str::lower(b);
    });
    return names;
}

TFm_WiFi_APSelector::TFm_WiFi_APSelector(AppContext& app)
    : TitledPage(app, "Fm_WiFi_APSelector", "TFm_WiFi_APSelector", apSelectorDecl()) {}

void TFm_WiFi_APSelector::wireList() {
    if (wired_) return;
    wired_ = true;
    view().on(kList, ControlEvent::Select, [this] { LB_APClick(); });
}

void TFm_WiFi_APSelector::go(std::string_view page, std::string_view flags) {
    if (manager()) manager()->GOFrame(page, parseGoFlags(flags));
}

bool TFm_WiFi_APSelector::CanEnter() {
    auto scope = trace().scope("CanEnter");
    wireList();
    app_.dialogs.Show_FormWait(table().GetText("Msg_Wait_EnumAP"));
    return app_.appData.JumpStartMode ? enterWps() : enterKeyEntry();
}

bool TFm_WiFi_APSelector::enterKeyEntry() {
    TDM_WiFi_Mgr_NG* wifi = app_.wifiManager.get();
    // Without a Wi-Fi manager there is no adapter to scan with.
    const int code = wifi ? wifi->WiFi_Initialize() : kInitNoAdapter;
    app_.dialogs.Close_FormWait();
    trace().message("WiFi_Initialize: " + std::to_string(code));
    switch (code) {
    case kInitNoAdapter:
        go("Page_WiFi2Eth_Error", "-NC");
        return false;
    case kInitOneAccessPoint:
        go("Page_WiFi_DataWep", "P-C F");
        return false;
    case kInitNoAccessPoint:
        go("Page_WiFi_SSID_Error", "--C Q F");
        return false;
    case kInitSeveralAccessPoints:
        view().setItems(kList, sortedNetworkNames(wifi->APListFiltered()));
        view().setSelection(kList, -1);
        return true;
    default:
        // Any other outcome is a failed scan.
        go("Page_WiFi_Cx_Error", "--C Q F");
        return false;
    }
}

bool TFm_WiFi_APSelector::enterWps() {
    trace().error("WPS engine not available: no WPS network can be listed");
    app_.dialogs.Close_FormWait();
    app_.appData.JumpStartMode = false;
    go("Page_WiFi_Warning_Secu", "-NC");
    return false;
}

bool TFm_WiFi_APSelector::wpsApSelect(const std::string&) {
    return false;
}

void TFm_WiFi_APSelector::DoBeforeDisplay(Window& sender) {
    TitledPage::DoBeforeDisplay(sender);
    const bool wps = app_.appData.JumpStartMode;
    view().setVisible("Img_Find_SSID", true);
    view().setText("HTML_Text", table().GetText(wps ? "Title_JumpStart" : "Title_Wep"));
    view().setText("HTMDetail", table().GetText(wps ? "Text_JumpStart" : "Text_Wep"));
    const char* picture = wps ? "SSID_WPS" : "SSID_WEP";
    view().setPicture("Img_Find_SSID", LoadGraph(app_, picture, picture));
}

void TFm_WiFi_APSelector::LB_APClick() {
    const int index = view().selection(kList);
    if (index < 0) return;
    const std::string name = view().items(kList)[static_cast<size_t>(index)];
    bool nextShown = false;
    if (app_.appData.JumpStartMode) {
        nextShown = wpsApSelect(name);
    } else if (TDM_WiFi_Mgr_NG* wifi = app_.wifiManager.get()) {
        wifi->setSelectedAPName(name);
        nextShown = !name.empty();
    }
    if (manager()) manager()->buttons().setVisible("BNext", nextShown);
}

} // namespace cw
