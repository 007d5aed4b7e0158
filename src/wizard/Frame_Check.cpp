#include "wizard/Frame_Check.h"

#include "app/Graph.h"
#include "app/StringUtil.h"
#include "network/BoxTools.h"
#include "platform/EventLoop.h"
#include "wizard/FrameManager.h"

#include <array>

namespace cw {

// One check's line: its icon, its text and the texts it shows.
struct TFm_Check::Step {
    const char* icon;
    const char* text;
    const char* processing;
    const char* passed;
    const char* failed;
};

namespace {

using Step = TFm_Check::Step;
constexpr Step kBoxStep{"Img_CheckBox", "HTML_Text_CheckBox", "CheckBox_Processing", "CheckBox_OK",
                        "CheckBox_Error"};
constexpr Step kLineStep{"Img_CheckDDSvc", "HTML_Text_CheckDDSvc", "CheckADSL_Processing",
                         "CheckADSL_Ok", "CheckADSL_Error"};
constexpr Step kWebStep{"Img_CheckDD", "HTML_Text_CheckDD", "CheckWeb_Processing", "CheckWeb_Ok",
                        "CheckWeb_Error"};
constexpr std::array kSteps{&kBoxStep, &kLineStep, &kWebStep};

constexpr std::string_view kNoSheet = "TS_None";
constexpr std::string_view kBoxSheet = "TS_BoxError";
constexpr std::string_view kLineSheet = "TS_ADSLError";
constexpr std::string_view kWebSheet = "TS_WebError";
constexpr std::array kSheets{kNoSheet, kBoxSheet, kLineSheet, kWebSheet};

constexpr const char* kPassedIcon = "Check_OK";
constexpr const char* kFailedIcon = "Warning";

constexpr Rect kErrorArea{8, 144, 441, 169};
constexpr Rect kSheetArea{0, 0, kErrorArea.width, kErrorArea.height};

ControlDecl icon(const char* name, int y) {
    return Control(name, ControlKind::Image, {48, y, 32, 32}, "", kPageTextFont).hidden();
}
ControlDecl stepText(const char* name, int y) {
    return Control(name, ControlKind::HtmlLabel, {88, y, 353, 33}, "", kPageTextFont).hidden();
}
ControlDecl sheet(std::string_view name) {
    return Control(std::string(name), ControlKind::Panel, kSheetArea, "", kPageTextFont).in("PageC");
}
ControlDecl sheetText(const char* name, std::string_view sheetName) {
    return Control(name, ControlKind::HtmlLabel, kSheetArea, "", kPageTextFont)
        .in(std::string(sheetName));
}

WindowDecl checkDecl() {
    return pageDecl(
        "Page_Check",
        {icon("Img_CheckBox", 8), stepText("HTML_Text_CheckBox", 8), icon("Img_CheckDDSvc", 48),
         stepText("HTML_Text_CheckDDSvc", 48), icon("Img_CheckDD", 88),
         stepText("HTML_Text_CheckDD", 88),
         Control("Bevel1", ControlKind::Bevel, {24, 136, 409, 2}, "", kPageTextFont),
         Control("PageC", ControlKind::Panel, kErrorArea, "", kPageTextFont).hidden(),
         sheet(kNoSheet), sheet(kBoxSheet).hidden(), sheet(kLineSheet).hidden(),
         sheet(kWebSheet).hidden(), sheetText("HTML_BoxError", kBoxSheet),
         sheetText("HTML_ADSLError", kLineSheet), sheetText("HTML_WebError", kWebSheet),
         Control("BRestart_Test", ControlKind::Button, {144, 318, 145, 31}, "Relancer le test",
                 kPageButtonFont)
             .hidden()});
}

} // namespace

TFm_Check::TFm_Check(AppContext& app) : TitledPage(app, "Fm_Check", "TFm_Check", checkDecl()) {}

uint32_t TFm_Check::linkWaitMs() const {
    const char* key = app_.appData.IsVista ? "Param_Delay_Wait4WiFi_Vista_Sec"
                                           : "Param_Delay_Wait4WiFi_XP_Sec";
    const std::optional<int32_t> seconds = str::toInt(table().GetText(key));
    // Beyond a day the text is a mistake, not a delay.
    if (!seconds || *seconds < 0 || *seconds > 86400) return kDefaultLinkWaitMs;
    return static_cast<uint32_t>(*seconds) * 1000;
}

bool TFm_Check::boxAnswers() {
    if (!app_.boxTools) {
        trace().error("Fm_Check: no box checks");
        return false;
    }
    return app_.boxTools->Process_QS_HTTP();
}

bool TFm_Check::CanEnter() {
    traceOnly("CanEnter");
    if (app_.appData.EthernetPath) return true;                          // 1.
    EventLoop& loop = app_.ports.loop;
    app_.dialogs.Show_FormWait(table().GetText("Msg_Wait4WiFi"));        // 2.
    const uint32_t delay = linkWaitMs();
    const uint64_t start = loop.tickCount();
    bool answered = false;
    while (loop.tickCount() - start < delay && !answered && !loop.terminated()) {  // 3.
        answered = boxAnswers();
        loop.pumpedWait(kLinkPollMs);
    }
    trace().message(std::string("Fm_Check: link wait over, the box ") +
                    (answered ? "answered" : "did not answer"));
    app_.dialogs.Close_FormWait();                                       // 4.
    return true;
}

void TFm_Check::selectSheet(std::string_view selected) {
    for (std::string_view name : kSheets) view().setVisible(name, name == selected);
}

void TFm_Check::setButtons(bool prev, bool next, bool cancel) {
    if (!manager()) return;
    Window& strip = manager()->buttons();
    strip.setVisible("BPrev", prev);
    strip.setVisible("BNext", next);
    strip.setVisible("BCancel", cancel);
}

void TFm_Check::showCancel() {
    if (manager()) manager()->buttons().setVisible("BCancel", true);
}

void TFm_Check::DoBeforeDisplay(Window& sender) {
    // The page's view exists from the build on; the button is wired before it can be seen.
    view().onClick("BRestart_Test", [this] { BRestart_TestClick(); });
    for (const Step* step : kSteps) {                                    // 1.
        view().setVisible(step->text, false);
        view().setVisible(step->icon, false);
        view().setPicture(step->icon, Picture{});
    }
    selectSheet(kNoSheet);
    if (manager()) {                                                     // 2.
        Window& strip = manager()->buttons();
        strip.setVisible("BNext", false);
        strip.setVisible("BCancel", true);
        strip.setText("BCancel", manager()->strings().GetText("Button_Cancel"));
    }
    view().setVisible("PageC", false);                                   // 3.
    view().setVisible("BRestart_Test", false);
    TitledPage::DoBeforeDisplay(sender);                                 // 4.
}

void TFm_Check::showStep(const Step& step) {
    view().setVisible(step.text, true);
    view().setVisible(step.icon, true);
    view().setText(step.text, table().GetText(step.processing));
}

void TFm_Check::stepPassed(const Step& step) {
    view().setText(step.text, table().GetText(step.passed));
    view().setPicture(step.icon, LoadGraph(app_, "", kPassedIcon));
}

void TFm_Check::stepFailed(const Step& step, std::string_view sheetName) {
    view().setText(step.text, table().GetText(step.failed));
    view().setPicture(step.icon, LoadGraph(app_, "", kFailedIcon));
    view().setVisible("PageC", true);
    selectSheet(sheetName);
    view().setVisible("BRestart_Test", true);
    trace().message("Fm_Check: " + std::string(step.failed));
}

void TFm_Check::DoAfterDisplay(Window&) {
    traceOnly("DoAfterDisplay");
    // The buttons stay hidden while a check waits, so no navigation starts meanwhile.
    view().repaint();                                                    // 1.
    showStep(kBoxStep);
    selectSheet(kNoSheet);
    setButtons(false, false, false);

    if (!boxAnswers()) {                                                 // 2.
        stepFailed(kBoxStep, kBoxSheet);
        showCancel();
        return;
    }
    stepPassed(kBoxStep);
    showStep(kLineStep);

    if (!app_.boxTools->CheckADSL()) {                                   // 3.
        stepFailed(kLineStep, kLineSheet);
        showCancel();
        return;
    }
    stepPassed(kLineStep);
    showStep(kWebStep);

    if (!app_.boxTools->CheckWeb()) {                                    // 4.
        stepFailed(kWebStep, kWebSheet);
        setButtons(false, true, true);
        return;
    }
    stepPassed(kWebStep);
    app_.ports.loop.pumpedWait(kAllPassedPauseMs);
    if (!manager() || app_.ports.loop.terminated()) return;
    manager()->buttons().setVisible("BNext", true);
    manager()->BNextClick();
}

// The link wait of CanEnter is not repeated.
void TFm_Check::BRestart_TestClick() {
    auto scope = trace().scope("BRestart_TestClick");
    DoBeforeDisplay(view());
    DoAfterDisplay(view());
}

} // namespace cw
