#include "app/MainWindow.h"

#include "app/Captions.h"
#include "app/OsVersion.h"
#include "app/RunMode.h"
#include "app/StringUtil.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "platform/OsFacts.h"
#include "platform/WindowEffects.h"

namespace cw {
namespace {

const FontSpec kDefaultFont{"MS Sans Serif", 11, false, kBlack};
const FontSpec kTitleFont{"Tahoma", 13, false, kWhite};
const FontSpec kPageTitleFont{"Tahoma", 13, true, kWhite};
const FontSpec kNoticeFont{"Tahoma", 11, false, kGrey};

WindowDecl makeDecl() {
    WindowDecl d;
    d.className = "CwMainWindow";
    d.title = "Configuration WiFi Quorvale";
    d.width = 537;
    d.height = 597;
    d.shapeMask = "FormShaper";
    d.background = "FormBackground";
    d.font = kDefaultFont;
    d.taskbarButton = true;
    d.controls = {
        Control("LTitleApp", ControlKind::Label, {8, 8, 400, 18}, "Configuration de la connexion",
                kTitleFont),
        Control("LTitlePage", ControlKind::Label, {40, 120, 449, 18}, "", kPageTitleFont),
        Control("PanelMain", ControlKind::Panel, {31, 152, 473, 417}, "", kDefaultFont),
        Control("PanelPageC", ControlKind::Panel, {0, 0, 473, 376}, "", kDefaultFont).in("PanelMain"),
        // The page control: one sheet per page, tabs never shown.
        Control("PageC", ControlKind::Panel, {0, 0, 473, 376}, "", kDefaultFont).in("PanelPageC"),
        Control("Panel_Frame_Manager", ControlKind::Panel, {0, 376, 473, 41}, "", kDefaultFont)
            .in("PanelMain"),
        Control("LCopyRight", ControlKind::Label, {8, 579, 205, 14}, "", kNoticeFont),
        Control("LVersion", ControlKind::Label, {216, 579, 313, 14}, "", kNoticeFont),
    };
    return d;
}

} // namespace

const WindowDecl& TFormWZ::decl() {
    static const WindowDecl d = makeDecl();
    return d;
}

TFormWZ::TFormWZ(AppContext& app)
    : app_(app), trace_(app.traceLog, std::string(kModuleName)),
      table_(app.language.table(kMainWindowTable)),
      initApp_(app.appData, table_, app.ports.os, app.ports.fs, app.ports.registry, trace_),
      window_(app.ports.windows.createWindow(decl(), nullptr)),
      timerReadyToStart_(app.ports.loop.createTimer()),
      traceFile_(std::make_unique<TraceFile>(app.traceLog, app.ports.fs)) {
    app_.dialogs.setMainWindow(window_.get());
    timerReadyToStart_->setInterval(kReadyToStartMs);
    timerReadyToStart_->setOnTimer([this] { TimerReadyToStart(); });
    // Closing the window from the keyboard or the taskbar ends the program.
    window_->setOnCloseRequest([this] { terminate(); });
}

TFormWZ::~TFormWZ() { app_.dialogs.setMainWindow(nullptr); }

void TFormWZ::terminate() { app_.ports.loop.requestTermination(); }

void TFormWZ::InitLanguage() {
    app_.language.InitLanguage(app_.ports.fs, app_.ports.os.exePath(), trace_);
    applyCaptions(table_, *window_);
}

void TFormWZ::FormCreate(const std::vector<std::string>& args) {
    auto scope = trace_.scope("FormCreate");
    AppData& data = app_.appData;
    const OsFacts& os = app_.ports.os;

    // 1. "-Q" anywhere ends the program before anything else happens.
    if (scanStartArguments(args, data, trace_)) {
        firstActivation_ = false;
        terminate();
        return;
    }
    InitLanguage();                              // 2.
    GetOS(data, os, trace_);                     // 3.
    StartMode(args, data, os, trace_);           // 4.
    initApp_.ActivateTracer(app_.traceLog);      // 5.
    initApp_.InitAppVars();                      // 6. InitAppl
    window_->setTitle(data.ProductName);
    if (app_.traceLog.enabled()) traceFile_->open(dataFilePath(data, TraceFile::kFileName));
    (void)initApp_.initReg();
    // InitGraph: the window's outline comes from its declaration's mask.
    initApp_.Init_nP();

    if (IsVistaOrLater(os)) {                    // 7.
        if (str::equalsNoCase(table_.GetText("Param_Vista_UseSegoeFont"), "yes"))
            app_.ports.effects.applySegoeFont(*window_);
        // The window carries its own taskbar button: nothing to move from a hidden one.
        (void)app_.ports.effects.applyGlass(*window_, app_.ports.effects.buttonFaceColor());
    }
    StartMode(args, data, os, trace_);           // 8.

    if (!checkAdministrator()) return;           // 9.

    killer_ = startProcessSerialKiller(table_, app_.ports.processes, app_.ports.loop,  // 10.
                                       app_.traceLog, trace_);
    timerReadyToStart_->setEnabled(true);        // 11.
    data.FormOnTop = false;
}

bool TFormWZ::checkAdministrator() {
    const AppData& data = app_.appData;
    if (CheckCurrentUserIsAdmin(data, app_.ports.os, trace_) || data.ForceAdmin) return true;
    trace_.error("The user is not an administrator");
    (void)app_.dialogs.ShowMessageDialog("", table_.GetText("UserNT_NotAdminMsg"),
                                         static_cast<int>(DialogKind::Warning), true);
    terminate();
    return false;
}

void TFormWZ::TimerReadyToStart() {
    auto scope = trace_.scope("TimerReadyToStart");
    timerReadyToStart_->setEnabled(false);
    manager_ = std::make_unique<TFm_Frame_Manager>(app_, *window_);
    manager_->wifiSide = [this] {
        WifiSideState state;
        describeWifiSide(app_.wifiManager.get(), state);
        return state;
    };
    manager_->Initialize(&app_.traceLog, &app_.language);
    InitLanguage();
    InitStrings();
    confirmJumpStartMode(app_.appData, app_.ports.os);
    manager_->GOFrame(TFm_Frame_Manager::kWelcome, false, true, true, false, false);
    window_->show();
    FormActivate();
}

void TFormWZ::InitStrings() {
    window_->setTitle(app_.appData.ProductName);
    window_->setText("LVersion", initApp_.versionLabel(window_->text("LVersion")));
}

void TFormWZ::FormActivate() {
    if (!firstActivation_) {
        window_->repaint();
        return;
    }
    if (app_.appData.FormOnTop) window_->setTopmost(true);
    firstActivation_ = false;
}

void TFormWZ::commandLineForwarded(const std::vector<std::string>& args) {
    for (const std::string& arg : args) trace_.message("Forwarded argument: " + arg);
    if (hasQuitSwitch(args)) terminate();
}

void TFormWZ::FormDestroy() {
    auto scope = trace_.scope("FormDestroy");
    timerReadyToStart_->setEnabled(false);
    if (manager_) manager_->Release();
    killer_.reset();
    if (app_.wifiManager) {
        app_.wifiManager->Stop_WiFiAPI();
        app_.wifiManager.reset();
    }
}

} // namespace cw
