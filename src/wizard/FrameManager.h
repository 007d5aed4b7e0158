// TFm_Frame_Manager: creates the 22 pages once, keeps them in order by page name, switches
// between them with GOFrame and owns the button strip (Previous, Next, Cancel) below them.
#pragma once

#include "app/AppContext.h"
#include "app/Trace.h"
#include "platform/Ui.h"
#include "wizard/Navigation.h"
#include "wizard/Page.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace cw {

// What the wizard reads of the Wi-Fi side when routing and ending; the Wi-Fi manager and
// the WPS engine answer once they exist.
struct WifiSideState {
    bool wifiManagerExists = false;
    int filteredApCount = 0;
    int adapterCount = 0;
    bool trayAgentNeeded = false;     // the Wi-Fi library drives the adapter itself
    bool progressWindowOpen = false;  // a connection attempt is under way
    int wpsApCount = 0;
    int wpsAdapterCount = 0;
};

class TFm_Frame_Manager {
public:
    static constexpr std::string_view kModuleName = "TFm_Frame_Manager";
    static constexpr std::string_view kWelcome = "Page_Welcome";

    // `mainWindow` is the master form; the strip is made in its "Panel_Frame_Manager" and the
    // pages in its page control "PageC".
    TFm_Frame_Manager(AppContext& app, Window& mainWindow);
    ~TFm_Frame_Manager();
    TFm_Frame_Manager(const TFm_Frame_Manager&) = delete;
    TFm_Frame_Manager& operator=(const TFm_Frame_Manager&) = delete;

    [[nodiscard]] static const WindowDecl& decl();

    // Stores the masters and creates the pages; ends on the Welcome page.
    void Initialize(TraceLog* codeSite, Language* langDispatch);
    void Initialize_Frames();
    void Build_Frame(std::unique_ptr<IFm_ZK> page, std::string pageName);
    void GOFrame(std::string_view name, bool prev, bool next, bool cancel, bool quit, bool forced);
    void GOFrame(std::string_view name, const GoFlags& flags) {
        GOFrame(name, flags.prev, flags.next, flags.cancel, flags.quit, flags.forced);
    }
    void SetTitlePage(std::string_view text);
    void Buttons_Protection(bool on);
    void Release();

    void BNextClick();
    void BPrevClick();
    void BCancelClick();

    // The page on the active sheet and its listed name (empty before the first switch).
    [[nodiscard]] IFm_ZK* currentPage() const;
    [[nodiscard]] std::string currentPageName() const;
    [[nodiscard]] IFm_ZK* page(std::string_view name) const;
    [[nodiscard]] Window& buttons() { return *strip_; }
    [[nodiscard]] const StringTable& strings() const { return *table_; }

    // Set by the Wi-Fi side once it exists.
    std::function<WifiSideState()> wifiSide = [] { return WifiSideState{}; };

private:
    struct Sheet {
        std::string name;
        std::unique_ptr<IFm_ZK> page;
    };
    [[nodiscard]] int indexOf(std::string_view name) const;
    void setActiveSheet(int index);
    void applyRoute(const Route& route);
    [[nodiscard]] RouteInputs routeInputs() const;
    void endWizard(bool fromEndPage);
    void exitLaunches();
    void launchIfPresent(std::string_view enabledKey, std::string_view pathKey,
                         std::string_view exeKey, std::string_view argsKey);

    AppContext& app_;
    Window& masterForm_;
    Trace trace_;
    const StringTable* table_;
    std::unique_ptr<Window> strip_;
    std::vector<Sheet> sheets_;
    int activeSheet_ = -1;
    TraceLog* masterCodeSite_ = nullptr;
    Language* masterLangDispatch_ = nullptr;
    bool initialised_ = false;
};

} // namespace cw
