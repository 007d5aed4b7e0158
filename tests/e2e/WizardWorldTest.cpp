// The real wizard on a simulated world named by CONFIGWIFI_WORLD: a world that cannot be used
// is refused with its faulty field before any window of the wizard, and a good world's Wi-Fi
// library is the one the wizard drives.
#include "E2eSupport.h"

#include "win32/WinString.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace cw::uidriver;
using cw::e2e::kWindowTimeoutMs;

namespace {

std::string shippedWorld(const std::string& name) {
    return cw::e2e::unixPathToWine(std::string(CONFIGWIFI_SOURCE_DIR) + "/worlds/" + name);
}

class WizardWorld : public ::testing::Test {
protected:
    void TearDown() override {
        std::error_code ignored;
        if (!scratch.empty()) std::filesystem::remove(scratch, ignored);
    }
    // Waits until a control of that name is visible in the main window.
    bool waitForVisible(HWND window, std::string_view name, int timeoutMs) {
        for (int waited = 0; waited < timeoutMs; waited += 100) {
            HWND control = wizard.findControl(window, name);
            if (control && UiDriver::isVisible(control)) return true;
            Sleep(100);
        }
        return false;
    }

    std::filesystem::path scratch;
    UiDriver wizard;
    cw::e2e::ProgramGuard guard{wizard};
};

TEST_F(WizardWorld, UnusableWorldIsRefusedWithItsFieldAndEndsTheProgram) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    scratch = std::filesystem::path(temp) / ("cw-world-" + std::to_string(GetCurrentProcessId()) + ".json");
    std::ofstream(scratch) << R"({"adapters": [{"name": "A", "guid": "{6B29FC40-CA47-1067-B31D-00DD010662DA}",
                                  "networks": [{"ssid": "Quorvale_1", "key": 1234}]}]})";

    ASSERT_TRUE(wizard.start(cw::e2e::configWiFiExe(), {},
                             {{"CONFIGWIFI_WORLD", cw::win::narrow(scratch.wstring())}}))
        << wizard.lastError();
    HWND box = wizard.waitForWindow({"#32770", "ConfigWiFi", wizard.processId(), true}, kWindowTimeoutMs);
    ASSERT_NE(box, nullptr) << "a message says why the world is refused";
    std::string message;
    HWND ok = nullptr;
    for (const ControlInfo& control : wizard.controls(box)) {
        if (control.className == "Static") message += control.text;
        if (control.className == "Button") ok = control.hwnd;
    }
    EXPECT_NE(message.find("adapters[0].networks[0].key: expected a string"), std::string::npos) << message;
    EXPECT_EQ(wizard.findWindow({"CwMainWindow", "", wizard.processId(), false}), nullptr);

    ASSERT_NE(ok, nullptr);
    ASSERT_TRUE(wizard.click(ok)) << wizard.lastError();
    ASSERT_TRUE(wizard.waitForExit(20000));
    EXPECT_EQ(wizard.exitCode(), std::optional<DWORD>(3));
}

TEST_F(WizardWorld, WorldsAdapterAndBoxNetworkLeadStraightToTheKeyPage) {
    // Without the world's library no adapter would be found; with its one adapter and one box
    // network the device and network pages pass by themselves.
    ASSERT_TRUE(wizard.start(cw::e2e::configWiFiExe(), {}, {{"CONFIGWIFI_WORLD", shippedWorld("default.json")}}))
        << wizard.lastError();
    HWND window = wizard.waitForWindow({"CwMainWindow", "", wizard.processId(), true}, kWindowTimeoutMs);
    ASSERT_NE(window, nullptr) << wizard.lastError();
    HWND next = wizard.waitForControl(window, "BNext", kWindowTimeoutMs);
    ASSERT_NE(next, nullptr) << wizard.lastError();
    ASSERT_TRUE(waitForVisible(window, "Page_Welcome", kWindowTimeoutMs));

    ASSERT_TRUE(wizard.click(next)) << wizard.lastError();
    EXPECT_TRUE(waitForVisible(window, "Page_WiFi_DataWep", kWindowTimeoutMs)) << wizard.dump(window);
}

} // namespace
