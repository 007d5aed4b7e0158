#include "wifi/Dialer.h"

#include "app/Captions.h"
#include "platform/Ui.h"

#include <iterator>

namespace cw {
namespace {

constexpr Color kSilver = 0xC0C0C0;
const FontSpec kTitleFont{"Tahoma", 13, true, kWhite};
const FontSpec kTextFont{"Tahoma", 11, false, kBlack};
const FontSpec kValueFont{"Tahoma", 11, true, kBlack};
const FontSpec kStepFont{"Tahoma", 11, false, kSilver};
const FontSpec kButtonFont{"Tahoma", 11, true, kBlack};

// Green tick, grey tick, red cross, grey cross.
constexpr const char* kMarkResources[] = {"DialerMarkDone", "DialerMarkDoneGrey",
                                          "DialerMarkFailed", "DialerMarkFailedGrey"};

WindowDecl makeDialerDecl() {
    WindowDecl d;
    d.className = "CwDialer";
    d.title = "Assistant de connexion WiFi";
    d.width = 383;
    d.height = 331;
    d.shapeMask = "DialerShaper";
    d.background = "DialerBackground";
    d.font = kTextFont;
    d.topmost = true;
    const ControlKind label = ControlKind::Label;
    const ControlKind image = ControlKind::Image;
    d.controls = {
        Control("LTitleWindow", label, {8, 8, 367, 16}, "Assistant de connexion WiFi", kTitleFont),

        Control("Dialer_GBInfo", ControlKind::GroupBox, {8, 40, 367, 72}, " Détails : ", kTextFont),
        Control("Dialer_LDeviceName", label, {20, 62, 150, 14}, "Périphérique WiFi utilisé :",
                kTextFont),
        Control("Dialer_EDeviceName", label, {172, 62, 195, 14}, "?", kValueFont),
        Control("Dialer_LAPName", label, {20, 86, 150, 14}, "Identifiant du réseau WiFi :",
                kTextFont),
        Control("Dialer_EAPName", label, {172, 86, 195, 14}, "?", kValueFont),

        Control("Dialer_GBProcessus", ControlKind::GroupBox, {8, 120, 367, 160}, " Etapes : ",
                kTextFont),
        Control("Dialer_IMg_InitDevice", image, {24, 142, 16, 16}, "", kTextFont),
        Control("Dialer_LInitDevice", label, {48, 143, 310, 14},
                "Initialisation du périphérique WiFi", kStepFont),
        Control("Dialer_Img_Wep", image, {24, 166, 16, 16}, "", kTextFont).hidden(),
        Control("Dialer_LConfigWep", label, {48, 167, 310, 14}, "Configuration de la clé WiFi",
                kStepFont)
            .hidden(),
        Control("Dialer_Img_SSID", image, {24, 190, 16, 16}, "", kTextFont),
        Control("Dialer_LSSID", label, {48, 191, 310, 14}, "Liaison avec la borne", kStepFont),
        Control("Dialer_Img_DHCP", image, {24, 214, 16, 16}, "", kTextFont),
        Control("Dialer_LDHCP", label, {48, 215, 310, 14}, "Obtention de l'adresse IP",
                kStepFont),
        Control("Dialer_LDHCP_ProgressBar", label, {48, 247, 100, 14}, "Délai restant :",
                kStepFont),
        Control("PB_DHCP", ControlKind::ProgressBar, {150, 245, 210, 18}, "", kTextFont),

        Control("Dialer_BOK", ControlKind::Button, {80, 291, 108, 30}, "OK", kButtonFont),
        Control("Dialer_BCancel", ControlKind::Button, {196, 291, 108, 30}, "Arrêter...",
                kButtonFont),
    };
    return d;
}

} // namespace

const WindowDecl& TFrmDialer::decl() {
    static const WindowDecl decl = makeDialerDecl();
    return decl;
}

std::string_view TFrmDialer::markResource(int mark) {
    if (mark < 0 || mark >= static_cast<int>(std::size(kMarkResources))) return {};
    return kMarkResources[mark];
}

TFrmDialer::TFrmDialer(WindowFactory& factory, Window* owner, const StringTable* captions)
    : window_(factory.createWindow(decl(), owner)) {
    if (captions) applyCaptions(*captions, *window_);
    FormCreate();
}

TFrmDialer::~TFrmDialer() = default;

void TFrmDialer::FormCreate() {
    processRunning_ = true;
    allowClose_ = false;
    window_->setProgress("PB_DHCP", 0, 100);
    window_->setEnabled("Dialer_BOK", false);
    window_->setEnabled("Dialer_BCancel", false);
    window_->onClick("Dialer_BCancel", [this] { Dialer_BCancelClick(); });
    window_->onClick("Dialer_BOK", [this] { Dialer_BOKClick(); });
    window_->setOnCloseRequest([this] { Close(); });
}

void TFrmDialer::setStepMark(std::string_view imageControl, int mark) {
    const std::string_view resource = markResource(mark);
    if (!resource.empty()) window_->setPicture(imageControl, {"", std::string(resource)});
}

void TFrmDialer::Dialer_BCancelClick() {
    allowClose_ = true;
    processRunning_ = false;
    window_->setEnabled("Dialer_BCancel", false);
}

void TFrmDialer::Dialer_BOKClick() {
    allowClose_ = true;
    Close();
}

void TFrmDialer::Close() {
    if (closed_ || !FormCloseQuery()) return;
    FormClose();
}

// The window disappears at once; its owner frees it once the click that closed it is over.
void TFrmDialer::FormClose() {
    window_->hide();
    closed_ = true;
}

} // namespace cw
