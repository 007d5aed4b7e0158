#include "wizard/Frame_1p2p3p.h"

namespace cw {
namespace {

constexpr Rect kPlayerRect{76, 100, 320, 160};

WindowDecl decl1p() {
    return pageDecl(
        "Page_1P",
        {
            Control("HTML_Text", ControlKind::HtmlLabel, {8, 8, 441, 80}, "", kPageTextFont),
            Control("FlashPlayer", ControlKind::Animation, kPlayerRect, "", kPageTextFont).hidden(),
        });
}

WindowDecl decl2p() {
    return pageDecl(
        "Page_2P",
        {
            Control("HTML_Text", ControlKind::HtmlLabel, {4, 8, 467, 80}, "", kPageTextFont),
            Control("FlashPlayer", ControlKind::Animation, kPlayerRect, "", kPageTextFont)
                .frames(kFlash2pStrip),
        });
}

WindowDecl decl3p() {
    return pageDecl(
        "Page_3P",
        {
            Control("HTML_Text", ControlKind::HtmlLabel, {8, 8, 441, 112}, "", kPageTextFont),
            Control("ImgPoster", ControlKind::Image, {56, 130, 360, 200}, "", kPageTextFont)
                .centre(),
        });
}

// The key of "Page_1P"'s text for each player mode, or null to keep the design text.
const char* text1pKey(uint8_t playerMode) {
    switch (playerMode) {
    case 1:
        return "Text_1P";
    case 2:
        return "Text_2P1P";
    case 3:
        return "Text_3P1P";
    default:
        return nullptr;
    }
}

} // namespace

TFm_1p::TFm_1p(AppContext& app) : TitledPage(app, "Fm_1p", "TFm_1p", decl1p()) {}

void TFm_1p::DoBeforeDisplay(Window& sender) {
    TitledPage::DoBeforeDisplay(sender);
    if (const char* key = text1pKey(app_.appData.PlayerMode))
        view().setText("HTML_Text", table().GetText(key));
}

TFm_2p::TFm_2p(AppContext& app)
    : TitledPage(app, "Fm_2p", "TFm_2p", decl2p(), {{"FlashPlayer", "", "Flash_2p"}}) {}

TFm_3p::TFm_3p(AppContext& app)
    : TitledPage(app, "Fm_3p", "TFm_3p", decl3p(), {{"ImgPoster", "", "Poster"}}) {}

} // namespace cw
