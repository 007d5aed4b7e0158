// CPU time of the whole Wi-Fi key path on the simulated PC of worlds/default.json, with the
// virtual clock: from Next on the Welcome page, past the device and network pages, the key
// typed from the box's label, the connection and its DHCP wait, until the wizard has left
// the key page. Every run builds the wizard afresh, as a start of the program would.
#include "app/AppContext.h"
#include "app/RunMode.h"
#include "sim/SimDeviceInventory.h"
#include "sim/SimWiFiLibrary.h"
#include "sim/World.h"
#include "wifi/WiFiManager.h"
#include "wizard/FrameManager.h"

#include "SimulatedPorts.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>

namespace cw {
namespace {

World defaultWorld() {
    std::ifstream in(CONFIGWIFI_SOURCE_DIR "/worlds/default.json", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    std::optional<World> world = loadWorld(text.str(), error);
    if (!world) throw std::runtime_error("worlds/default.json: " + error);
    return *world;
}

// One wizard on its own simulated PC, on the Welcome page.
struct Wizard : SimulatedPorts {
    explicit Wizard(const World& w) : world(w), library(world, loop), inventory(world) {
        app.appData.PathExe = "C:\\Kit\\ConfigWiFi\\";
        app.wifiLibrary = &library;
        app.deviceInventory = &inventory;
        WindowDecl mainDecl;
        mainDecl.controls = {Control("LTitlePage", ControlKind::Label, {}, "", {})};
        main = windows.createWindow(mainDecl, nullptr);
        app.dialogs.setMainWindow(main.get());
        manager = std::make_unique<TFm_Frame_Manager>(app, *main);
        manager->Initialize(&app.traceLog, &app.language);
    }
    ~Wizard() {
        if (app.wifiManager) app.wifiManager->Stop_WiFiAPI();
    }
    Wizard(const Wizard&) = delete;
    Wizard& operator=(const Wizard&) = delete;

    ModelWindow& strip() { return static_cast<ModelWindow&>(manager->buttons()); }

    // Returns the page the wizard went to from the key page.
    std::string walkKeyPath() {
        strip().click("BNext");
        if (manager->currentPageName() != "Page_WiFi_DataWep")
            throw std::runtime_error("expected the key page, got " + manager->currentPageName());
        ModelWindow& keyPage = *windows.findNamed("Page_WiFi_DataWep");
        keyPage.type("Wep1", world.box.labelKey);
        keyPage.type("Wep1b", world.box.labelKey);
        strip().click("BNext");
        return manager->currentPageName();
    }

    World world;
    SimWiFiLibrary library;
    SimDeviceInventory inventory;
    AppContext app{ports()};
    std::unique_ptr<Window> main;
    std::unique_ptr<TFm_Frame_Manager> manager;
};

void BM_KeyPathWelcomeToCheckPage(benchmark::State& state) {
    const World world = defaultWorld();
    for (auto _ : state) {
        Wizard wizard(world);
        const std::string left = wizard.walkKeyPath();
        if (left != "Page_Check") {
            state.SkipWithError(("the key page led to " + left).c_str());
            break;
        }
        benchmark::DoNotOptimize(left.data());
    }
}

} // namespace
} // namespace cw

BENCHMARK(cw::BM_KeyPathWelcomeToCheckPage)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
