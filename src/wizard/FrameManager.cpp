#include "wizard/FrameManager.h"

#include "app/Captions.h"
#include "app/StringUtil.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "wizard/PageTable.h"
#include "wizard/WizardExit.h"

namespace cw {
namespace {

const FontSpec kButtonFont{"Tahoma", 11, true, kBlack};

WindowDecl makeDecl() {
    WindowDecl d;
    d.className = "CwButtonStrip";
    d.name = "Fm_Frame_Manager";
    d.width = 473;
    d.height = 41;
    d.font = kButtonFont;
    d.controls = {
        Control("BSupport", ControlKind::Button, {8, 1, 100, 32}, "Support Technique", kButtonFont).hidden(),
        Control("BPrev", ControlKind::Button, {120, 1, 100, 32}, "< Précédent", kButtonFont).hidden(),
        Control("BNext", ControlKind::Button, {221, 1, 100, 32}, "Suivant >", kButtonFont),
        Control("BCancel", ControlKind::Button, {365, 1, 100, 32}, "Annuler", kButtonFont),
    };
    return d;
}

} // namespace

const WindowDecl& TFm_Frame_Manager::decl() {
    static const WindowDecl d = makeDecl();
    return d;
}

TFm_Frame_Manager::TFm_Frame_Manager(AppContext& app, Window& mainWindow)
    : app_(app), masterForm_(mainWindow), trace_(app.traceLog, std::string(kModuleName)),
      table_(&app.language.table(kModuleName)),
      strip_(app.ports.windows.createChildWindow(decl(), mainWindow, "Panel_Frame_Manager")) {
    strip_->onClick("BNext", [this] { BNextClick(); });
    strip_->onClick("BPrev", [this] { BPrevClick(); });
    strip_->onClick("BCancel", [this] { BCancelClick(); });
}

TFm_Frame_Manager::~TFm_Frame_Manager() { Release(); }

void TFm_Frame_Manager::Initialize(TraceLog* codeSite, Language* langDispatch) {
    auto scope = trace_.scope("Initialize");
    masterCodeSite_ = codeSite;
    masterLangDispatch_ = langDispatch;
    if (langDispatch) {
        table_ = &langDispatch->table(kModuleName);
        applyCaptions(*table_, *strip_);
    }
    initialised_ = true;
    strip_->show();
    Initialize_Frames();
}

void TFm_Frame_Manager::Initialize_Frames() {
    auto scope = trace_.scope("Initialize_Frames");
    for (const PageEntry& entry : wizardPages()) {
        std::unique_ptr<IFm_ZK> page = entry.create(app_);
        page->InitFrame(masterCodeSite_, masterLangDispatch_, this);
        page->AssignEvents();
        Build_Frame(std::move(page), std::string(entry.pageName));
    }
    if (sheets_.empty()) return;
    setActiveSheet(0);
    GOFrame(kWelcome, false, true, true, false, false);
}

void TFm_Frame_Manager::Build_Frame(std::unique_ptr<IFm_ZK> page, std::string pageName) {
    if (!initialised_) return;
    page->attachView(app_.ports.windows.createChildWindow(page->decl(), masterForm_, "PageC"));
    if (masterLangDispatch_) applyCaptions(page->strings(), page->view());
    sheets_.push_back({std::move(pageName), std::move(page)});
}

int TFm_Frame_Manager::indexOf(std::string_view name) const {
    for (size_t i = 0; i < sheets_.size(); ++i)
        if (str::equalsNoCase(sheets_[i].name, name)) return static_cast<int>(i);
    return -1;
}

IFm_ZK* TFm_Frame_Manager::page(std::string_view name) const {
    const int i = indexOf(name);
    return i < 0 ? nullptr : sheets_[static_cast<size_t>(i)].page.get();
}

IFm_ZK* TFm_Frame_Manager::currentPage() const {
    return activeSheet_ >= 0 && activeSheet_ < static_cast<int>(sheets_.size())
               ? sheets_[static_cast<size_t>(activeSheet_)].page.get()
               : nullptr;
}

std::string TFm_Frame_Manager::currentPageName() const {
    return currentPage() ? sheets_[static_cast<size_t>(activeSheet_)].name : std::string();
}

void TFm_Frame_Manager::setActiveSheet(int index) {
    if (index == activeSheet_) return;
    IFm_ZK* previous = currentPage();
    activeSheet_ = index;
    if (IFm_ZK* shown = currentPage()) shown->view().show();
    if (previous && previous != currentPage()) previous->view().hide();
}

void TFm_Frame_Manager::GOFrame(std::string_view name, bool prev, bool next, bool cancel, bool quit,
                                bool forced) {
    trace_.message("GOFrame " + std::string(name) + (forced ? " (forced)" : ""));
    if (sheets_.empty()) {                                               // 1.
        trace_.error("GOFrame: no page");
        return;
    }
    const int target = indexOf(name);                                    // 2.
    if (target < 0) {
        trace_.error("GOFrame: unknown page " + std::string(name));
        return;
    }
    if (activeSheet_ >= static_cast<int>(sheets_.size())) return;         // 3.
    IFm_ZK& page = *sheets_[static_cast<size_t>(target)].page;           // 4. always a page
    Window& sender = masterForm_;
    auto setButtons = [&] {
        strip_->setVisible("BPrev", prev);
        strip_->setVisible("BNext", next);
        strip_->setVisible("BCancel", cancel);
    };
    auto setCancelCaption = [&] {
        strip_->setText("BCancel", table_->GetText(quit ? "Button_Quit" : "Button_Cancel"));
    };

    IFm_ZK* current = currentPage();
    if (!current) {                                                      // 5.
        if (!forced && !page.CanEnter()) return;
        if (!forced && page.OnEnter) page.OnEnter(sender);
        if (!forced && page.OnBeforeDisplay) page.OnBeforeDisplay(sender);
        setButtons();
        setCancelCaption();
        setActiveSheet(target);
        if (page.OnAfterDisplay) page.OnAfterDisplay(sender);
        return;
    }
    if (current->Frame_Name() == page.Frame_Name()) {                    // 6.
        setButtons();
        if (page.OnBeforeDisplay) page.OnBeforeDisplay(sender);
        if (page.OnAfterDisplay) page.OnAfterDisplay(sender);
        return;
    }
    if (!forced && !current->CanExit()) {                                // 7.
        current->view().repaint();
        trace_.message("GOFrame: " + current->Frame_Name() + " refused to be left");
        return;
    }
    if (!forced && !page.CanEnter()) {                                   // 8.
        trace_.message("GOFrame: " + page.Frame_Name() + " refused to be entered");
        return;
    }
    if (!forced) {                                                       // 9.
        if (current->OnExit) current->OnExit(sender);
        if (page.OnEnter) page.OnEnter(sender);
    }
    if (page.OnBeforeDisplay) page.OnBeforeDisplay(sender);              // 10.
    setButtons();                                                        // 11.
    setCancelCaption();                                                  // 12.
    setActiveSheet(target);                                              // 13.
    if (page.OnAfterDisplay) page.OnAfterDisplay(sender);                // 14.
    page.view().repaint();
}

void TFm_Frame_Manager::SetTitlePage(std::string_view text) { masterForm_.setText("LTitlePage", text); }

void TFm_Frame_Manager::Buttons_Protection(bool on) {
    for (const char* button : {"BNext", "BPrev", "BSupport", "BCancel"}) strip_->setEnabled(button, !on);
    strip_->repaint();
}

void TFm_Frame_Manager::Release() {
    for (Sheet& sheet : sheets_) sheet.page->ReleaseFrame();
    sheets_.clear();
    activeSheet_ = -1;
}

RouteInputs TFm_Frame_Manager::routeInputs() const {
    const WifiSideState wifi = wifiSide();
    RouteInputs in;
    in.playerMode = app_.appData.PlayerMode;
    in.jumpStartMode = app_.appData.JumpStartMode;
    in.wifiFilteredApCount = wifi.filteredApCount;
    in.wifiAdapterCount = wifi.adapterCount;
    in.wpsApCount = wifi.wpsApCount;
    in.wpsAdapterCount = wifi.wpsAdapterCount;
    return in;
}

void TFm_Frame_Manager::applyRoute(const Route& route) {
    if (route.kind == Route::Kind::EndOfWizard) {
        endWizard(true);
        return;
    }
    if (route.clearJumpStart) app_.appData.JumpStartMode = false;
    GOFrame(route.target, route.flags);
}

void TFm_Frame_Manager::BNextClick() {
    auto scope = trace_.scope("BNextClick");
    strip_->setEnabled("BNext", false);
    if (auto route = nextRoute(currentPageName(), routeInputs())) applyRoute(*route);
    strip_->setEnabled("BNext", true);
}

void TFm_Frame_Manager::BPrevClick() {
    auto scope = trace_.scope("BPrevClick");
    strip_->setEnabled("BPrev", false);
    if (auto route = previousRoute(currentPageName(), routeInputs())) applyRoute(*route);
    // The TV page is never the way back: Previous from it lands on the phone page.
    if (str::equalsNoCase(currentPageName(), "Page_3P")) GOFrame("Page_2P", parseGoFlags("-NC"));
    strip_->setEnabled("BPrev", true);
}

void TFm_Frame_Manager::BCancelClick() {
    auto scope = trace_.scope("BCancelClick");
    const std::string caption = strip_->text("BCancel");
    const bool quits = caption == table_->GetText("Button_Quit") ||
                       caption == table_->GetText("Button_Config") ||
                       str::equalsNoCase(currentPageName(), kWelcome);
    if (!quits) {
        if (wifiSide().progressWindowOpen) {
            trace_.message("Cancel ignored: a connection attempt is under way");
            return;
        }
        const int answer = app_.dialogs.ShowMessageDialog("", table_->GetText("MsgQuit_Text"),
                                                          static_cast<int>(DialogKind::Warning), false);
        if (answer != kResultYes) return;
        (void)DeleteDesktopShortcut(app_.ports.registry, app_.ports.fs, app_.appData.IsVista,
                                    table_->GetText("Param_IconName_FL"));
        exitLaunches();
        return;
    }
    if (IFm_ZK* current = currentPage(); current && current->OnExit) current->OnExit(masterForm_);
    endWizard(str::equalsNoCase(currentPageName(), "Page_End_OK"));
}

void TFm_Frame_Manager::endWizard(bool fromEndPage) {
    if (fromEndPage && str::equalsNoCase(table_->GetText("Param_IE_HomePage_Active"), "True"))
        SetIEStartPage(app_.ports.registry, table_->GetText("Param_IE_HomePage"));
    (void)DeleteDesktopShortcut(app_.ports.registry, app_.ports.fs, app_.appData.IsVista,
                                table_->GetText("Param_IconName_FL"));
    exitLaunches();
}

void TFm_Frame_Manager::launchIfPresent(std::string_view enabledKey, std::string_view pathKey,
                                        std::string_view exeKey, std::string_view argsKey) {
    if (!str::equalsNoCase(table_->GetText(enabledKey), "True")) return;
    const std::string path = app_.appData.PathExe + table_->GetText(pathKey) + table_->GetText(exeKey);
    if (!app_.ports.fs.fileExists(path)) {
        trace_.error("Program not found: " + path);
        return;
    }
    (void)LaunchProgram(app_.ports.shell, app_.ports.fs, path, table_->GetText(argsKey), trace_);
}

void TFm_Frame_Manager::exitLaunches() {
    launchIfPresent("Param_Launch_AQV", "Param_AQV_Path", "Param_AQV_EXE", "Param_AQV_CL");
    const WifiSideState wifi = wifiSide();
    if (wifi.wifiManagerExists && wifi.trayAgentNeeded)
        launchIfPresent("Param_Launch_AW", "Param_AW_Path", "Param_AW_EXE", "Param_AW_CL");
    app_.ports.loop.requestTermination();
}

} // namespace cw
