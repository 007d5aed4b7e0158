#include "wizard/Frame_End.h"

#include "app/StringUtil.h"
#include "platform/FileSystem.h"
#include "wizard/FrameManager.h"

namespace cw {
namespace {

WindowDecl endDecl() {
    return pageDecl("Page_End_OK", {Control("HTML_Text", ControlKind::HtmlLabel, {8, 8, 385, 289},
                                            "", kPageTextFont)});
}

struct EndTexts {
    const char* title;
    const char* withAssistant;
    const char* withoutAssistant;
};
constexpr EndTexts kJumpStart{"Title_JumpStart", "Text_JumpStart", "Text_JumpStart_NoAQV"};
constexpr EndTexts kEthernet{"Title_Ethernet", "Text_Ethernet", "Text_Ethernet_NoAQV"};
constexpr EndTexts kWep{"Title_Wep", "Text_Wep", "Text_Wep_NoAQV"};

// The first path that holds: WPS, then Ethernet, else Wi-Fi with the key.
const EndTexts& endTextsFor(const AppData& appData) {
    if (appData.JumpStartMode) return kJumpStart;
    if (appData.EthernetPath) return kEthernet;
    return kWep;
}

} // namespace

TFm_End_OK::TFm_End_OK(AppContext& app) : TitledPage(app, "Fm_End_OK", "TFm_End_OK", endDecl()) {}

bool TFm_End_OK::boxAssistantWillStart() const {
    if (!manager()) return false;
    const StringTable& settings = manager()->strings();
    const std::string path = app_.appData.PathExe + settings.GetText("Param_AQV_Path") +
                             settings.GetText("Param_AQV_EXE");
    return app_.ports.fs.fileExists(path) &&
           str::isFlagOn(settings.GetText("Param_Launch_AQV"), "True");
}

void TFm_End_OK::DoBeforeDisplay(Window& sender) {
    TitledPage::DoBeforeDisplay(sender);
    const EndTexts& texts = endTextsFor(app_.appData);
    setTitle(table().GetText(texts.title));
    view().setText("HTML_Text", table().GetText(boxAssistantWillStart() ? texts.withAssistant
                                                                        : texts.withoutAssistant));
}

} // namespace cw
