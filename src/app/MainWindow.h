// TFormWZ: the main window. Its creation handler does everything start-up needs without a
// page; a one-shot 500 ms timer does the rest once the message loop runs and shows it.
#pragma once

#include "app/AppContext.h"
#include "app/InitApp.h"
#include "app/ProcessSerialKiller.h"
#include "app/Trace.h"
#include "platform/Ui.h"
#include "wizard/FrameManager.h"

#include <memory>
#include <string>
#include <vector>

namespace cw {

class TFormWZ {
public:
    static constexpr std::string_view kModuleName = "TFormWZ";
    static constexpr uint32_t kReadyToStartMs = 500;

    // Creates the (hidden) window; FormCreate fills it.
    explicit TFormWZ(AppContext& app);
    ~TFormWZ();
    TFormWZ(const TFormWZ&) = delete;
    TFormWZ& operator=(const TFormWZ&) = delete;

    [[nodiscard]] static const WindowDecl& decl();

    // The creation handler; `args` are the command line, the program path first.
    void FormCreate(const std::vector<std::string>& args);
    // First activation: topmost when FormOnTop is set; later activations repaint.
    void FormActivate();
    // A command line forwarded by a second start of the program.
    void commandLineForwarded(const std::vector<std::string>& args);
    // Releases what the window owns (the pages, the process killer), stops and frees the
    // Wi-Fi manager.
    void FormDestroy();

    [[nodiscard]] Window& window() { return *window_; }
    [[nodiscard]] TDM_ProcessSerialKiller* processKiller() { return killer_.get(); }
    [[nodiscard]] Timer& timerReadyToStart() { return *timerReadyToStart_; }
    [[nodiscard]] const InitApp& initApp() const { return initApp_; }
    // The page manager, once the start-up timer has made it.
    [[nodiscard]] TFm_Frame_Manager* frameManager() { return manager_.get(); }

private:
    void TimerReadyToStart();
    void InitStrings();
    void InitLanguage();
    [[nodiscard]] bool checkAdministrator();
    void terminate();

    AppContext& app_;
    Trace trace_;
    StringTable& table_;
    InitApp initApp_;
    std::unique_ptr<Window> window_;
    std::unique_ptr<Timer> timerReadyToStart_;
    std::unique_ptr<TDM_ProcessSerialKiller> killer_;
    std::unique_ptr<TFm_Frame_Manager> manager_;
    std::unique_ptr<TraceFile> traceFile_;
    bool firstActivation_ = true;
};

} // namespace cw
