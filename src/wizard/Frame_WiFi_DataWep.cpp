#include "wizard/Frame_WiFi_DataWep.h"

#include "app/RunMode.h"
#include "app/StringUtil.h"
#include "wifi/WiFiManager.h"
#include "wizard/FrameManager.h"

namespace cw {
namespace {

const FontSpec kKeyFont{"Tahoma", 11, false, kKeyBad};
constexpr char32_t kBackspace = 8;

// The symbols a WEP key may hold besides digits and ASCII letters.
constexpr std::u32string_view kWepKeySymbols = U" #$&()-<>?@[\\]_";
// Ctrl+C, Ctrl+V, Ctrl+X, Backspace.
constexpr std::u32string_view kWepEditingKeys = U"\x03\x16\x18\x08";

WindowDecl dataWepDecl() {
    auto html = [](const char* name, Rect r) {
        return Control(name, ControlKind::HtmlLabel, r, "", kPageTextFont);
    };
    auto label = [](const char* name, Rect r) {
        return Control(name, ControlKind::Label, r, "", kPageTextFont);
    };
    return pageDecl(
        "Page_WiFi_DataWep",
        {
            html("Html_Text", {8, 8, 457, 36}),
            Control("Img_Stick", ControlKind::Image, {16, 48, 441, 112}, "", kPageTextFont)
                .centre(),
            Control("GroupBox_Key", ControlKind::GroupBox, {8, 166, 457, 96}, "", kPageTextFont),
            html("HTML_Wep", {20, 192, 196, 18}),
            Control("Wep1", ControlKind::Edit, {220, 189, 233, 21}, "", kKeyFont),
            html("HTML_Wep_Confirm", {20, 228, 196, 18}),
            Control("Wep1b", ControlKind::Edit, {220, 225, 233, 21}, "", kKeyFont),
            Control("GroupBox_Details", ControlKind::GroupBox, {8, 272, 457, 92}, "",
                    kPageTextFont),
            label("LWPS_Info_Device", {20, 296, 196, 16}),
            label("LWPS_Info_DeviceData", {220, 296, 233, 16}),
            label("LWPS_Info_SSID", {20, 328, 196, 16}),
            label("LWPS_Info_SSIDData", {220, 328, 233, 16}),
        });
}

// Lengths and cuts count characters, as the edit does, not UTF-8 bytes.
int characterCount(std::string_view text) {
    return static_cast<int>(str::utf8ToUtf16(text).size());
}

std::string firstCharacters(std::string_view text, int count) {
    std::u16string wide = str::utf8ToUtf16(text);
    if (static_cast<int>(wide.size()) <= count) return std::string(text);
    wide.resize(static_cast<size_t>(std::max(count, 0)));
    // Never keep half of a surrogate pair.
    if (!wide.empty() && wide.back() >= 0xD800 && wide.back() <= 0xDBFF) wide.pop_back();
    return str::utf16ToUtf8(wide);
}

} // namespace

bool isWepKeyChar(char32_t key) {
    const bool digit = key >= U'0' && key <= U'9';
    const bool letter = (key >= U'A' && key <= U'Z') || (key >= U'a' && key <= U'z');
    return digit || letter || kWepKeySymbols.find(key) != std::u32string_view::npos ||
           kWepEditingKeys.find(key) != std::u32string_view::npos;
}

void goAfterConnectionFailure(TFm_Frame_Manager& manager, bool ethernetModeSwitch,
                              uint8_t dhcpState) {
    const bool noAddress = dhcpState == DHCP_None || dhcpState == DHCP_Error;
    if (noAddress && ethernetModeSwitch)
        manager.GOFrame("Page_WiFi2Eth_Error", parseGoFlags("-NC F"));
    else if (noAddress)
        manager.GOFrame("Page_WiFi_Cx_Error", parseGoFlags("--C Q F"));
    else
        manager.GOFrame("Page_WiFi_Cx_Error", parseGoFlags("--C Q"));
}

TFm_WiFi_DataWep::TFm_WiFi_DataWep(AppContext& app)
    : TitledPage(app, "Fm_WiFi_DataWep", "TFm_WiFi_DataWep", dataWepDecl(),
                 {{"Img_Stick", "Key_WEP", "Key_WEP"}}) {}

void TFm_WiFi_DataWep::wireFields() {
    if (wired_) return;
    wired_ = true;
    for (std::string_view name : {kKeyField, kConfirmField}) {
        view().setMaxLength(name, field(name).maxLength);
        view().on(name, ControlEvent::Change, [this, name] { WepFieldChange(name); });
        view().setCharFilter(name,
                             [this, name](char32_t key) { return WepFieldKeyPress(name, key); });
    }
}

TFm_WiFi_DataWep::KeyField& TFm_WiFi_DataWep::field(std::string_view name) {
    return str::equalsNoCase(name, kConfirmField) ? confirm_ : key_;
}

void TFm_WiFi_DataWep::setGood(KeyField& f, bool good) {
    f.good = good;
    view().setFontColor(f.name, good ? kKeyGood : kKeyBad);
}

void TFm_WiFi_DataWep::setMaxLength(KeyField& f, int length) {
    f.maxLength = length;
    view().setMaxLength(f.name, length);
}

void TFm_WiFi_DataWep::showNextWhenBothGood() {
    if (manager()) manager()->buttons().setVisible("BNext", key_.good && confirm_.good);
}

int TFm_WiFi_DataWep::length(const KeyField& f) {
    return characterCount(view().text(f.name));
}

bool TFm_WiFi_DataWep::confirmationMatches() {
    return str::equalsNoCase(view().text(kConfirmField), view().text(kKeyField));
}

void TFm_WiFi_DataWep::DoBeforeDisplay(Window& sender) {
    wireFields();
    TitledPage::DoBeforeDisplay(sender);
    const TDM_WiFi_Mgr_NG* wifi = app_.wifiManager.get();
    if (!wifi) return;
    view().setText("LWPS_Info_SSIDData", wifi->SelectedAPName());
    const int32_t device = wifi->CurrWiFiDeviceIndex();
    const auto& devices = wifi->WiFiDeviceList();
    if (device >= 0 && device < static_cast<int32_t>(devices.size()))
        view().setText("LWPS_Info_DeviceData", devices[static_cast<size_t>(device)]);
}

void TFm_WiFi_DataWep::DoAfterDisplay(Window& sender) {
    view().setFocus(kKeyField);
    showNextWhenBothGood();
    TitledPage::DoAfterDisplay(sender);
}

void TFm_WiFi_DataWep::WepFieldChange(std::string_view name) {
    KeyField& f = field(name);
    const int n = length(f);
    if (n < f.minLength || n > f.maxLength) {
        setGood(f, false);
        if (manager()) manager()->buttons().setVisible("BNext", false);
    } else if (&f == &key_) {
        setGood(key_, true);
    }
    // The confirmation follows the comparison alone, whatever its length.
    setGood(confirm_, confirmationMatches());
    showNextWhenBothGood();
}

bool TFm_WiFi_DataWep::WepFieldKeyPress(std::string_view name, char32_t key) {
    if (&field(name) == &confirm_ && key == kBackspace && view().text(kConfirmField).empty()) {
        backToKeyField();
        return false;
    }
    if (!app_.appData.WepMode || isWepKeyChar(key)) return true;
    view().beep();
    return false;
}

// Backspace in the empty confirmation goes on erasing in the key field.
void TFm_WiFi_DataWep::backToKeyField() {
    view().setFocus(kKeyField);
    const std::string kept = firstCharacters(view().text(kKeyField), key_.maxLength - 1);
    view().setText(kKeyField, kept);
    view().setCaret(kKeyField, characterCount(kept));
    // The logic's own change raises no Change event: recheck the key as the edit would.
    WepFieldChange(kKeyField);
}

void TFm_WiFi_DataWep::refuseEntry(std::string_view messageKey) {
    view().beep();
    (void)app_.dialogs.ShowMessageDialog("", table().GetText(messageKey),
                                         static_cast<int>(DialogKind::Warning), true);
    view().setFocus(kKeyField);
}

bool TFm_WiFi_DataWep::wepFieldCheck() {
    setMaxLength(key_, kWepKeyMaxLength);
    setMaxLength(confirm_, kWepKeyMaxLength);
    for (const KeyField* f : {&key_, &confirm_}) {
        const int n = length(*f);
        if (n < f->minLength || n > kWepKeyMaxLength) {
            refuseEntry("Msg_Error_Wep_Empty");
            return false;
        }
    }
    if (!confirmationMatches()) {
        refuseEntry("Msg_Error_Wep_Edit");
        return false;
    }
    return true;
}

bool TFm_WiFi_DataWep::wpaFieldCheck() {
    for (KeyField* f : {&key_, &confirm_}) {
        setMaxLength(*f, kWpaKeyMaxLength);
        f->minLength = kKeyMinLength;
    }
    setGood(key_, length(key_) >= kKeyMinLength);
    setGood(confirm_, length(confirm_) >= kKeyMinLength && confirmationMatches());
    showNextWhenBothGood();
    return key_.good && confirm_.good;
}

bool TFm_WiFi_DataWep::fieldCheck() {
    return app_.appData.WepMode ? wepFieldCheck() : wpaFieldCheck();
}

bool TFm_WiFi_DataWep::CanExit() {
    auto scope = trace().scope("CanExit");
    if (!fieldCheck()) return false;
    app_.profile.key = view().text(kKeyField);
    uint8_t state = DHCP_None;
    TDM_WiFi_Mgr_NG* wifi = app_.wifiManager.get();
    if (wifi && wifi->WiFi_Connection(state)) return true;
    if (!wifi) trace().error("CanExit: no Wi-Fi manager, no connection attempt");
    trace().message("CanExit: connection failed, state " + std::to_string(state));
    if (manager())
        goAfterConnectionFailure(
            *manager(), isBuildSwitchOn(app_.ports.os, BuildSwitch::EthernetModeSwitch), state);
    return false;
}

} // namespace cw
