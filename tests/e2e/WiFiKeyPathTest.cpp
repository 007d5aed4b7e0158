// The real wizard along the Wi-Fi key path on the shipped worlds: the key typed from the box's
// label connects and leaves for the check page, a wrong key ends on the Ethernet offer once the
// progress window is acknowledged, two box networks are offered for a choice, and without any
// Wi-Fi library the wizard takes the no-adapter route.
#include "E2eSupport.h"

#include "app/LanguageFile.h"
#include "app/StringTables.h"
#include "sim/World.h"
#include "win32/WinString.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace cw::uidriver;
using cw::e2e::kActionTimeoutMs;
using cw::e2e::kWindowTimeoutMs;

namespace {

// From Next on the key page to the check page: the progress window's steps, the DHCP wait and
// the check page's own wait for the box.
constexpr int kConnectionTimeoutMs = 90000;

std::string shippedWorld(const std::string& name) {
    return cw::e2e::unixPathToWine(std::string(CONFIGWIFI_SOURCE_DIR) + "/worlds/" + name);
}

EnvironmentAdditions worldEnvironment(const std::string& world) {
    return {{"CONFIGWIFI_WORLD", shippedWorld(world)}};
}

// The key printed on the world's box label: what the user types.
std::string labelKeyOf(const std::string& world) {
    std::ifstream in(std::filesystem::path(cw::win::wide(shippedWorld(world))), std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    const auto loaded = cw::loadWorld(text.str(), error);
    EXPECT_TRUE(loaded) << world << ": " << error;
    return loaded ? loaded->box.labelKey : std::string();
}

// The DHCP wait (60 s by default) lowered for a failing connection, from a language file
// beside a copy of the wizard.
constexpr const char* kShortDhcpWaitSec = "15";

class WiFiKeyPath : public ::testing::Test {
  protected:
    void TearDown() override {
        std::error_code ignored;
        if (!scratch.empty()) std::filesystem::remove_all(scratch, ignored);
    }

    // Starts `exe` with `environment` added and clicks Next on its Welcome page.
    void startAndLeaveWelcome(const std::string& exe, const EnvironmentAdditions& environment) {
        ASSERT_TRUE(wizard.start(exe, {}, environment)) << wizard.lastError();
        window =
            wizard.waitForWindow({"CwMainWindow", "", wizard.processId(), true}, kWindowTimeoutMs);
        ASSERT_NE(window, nullptr) << wizard.lastError();
        ASSERT_TRUE(waitForPage("Page_Welcome", kWindowTimeoutMs)) << wizard.dump(window);
        HWND next = wizard.waitForControl(window, "BNext", kActionTimeoutMs);
        ASSERT_NE(next, nullptr) << wizard.lastError();
        ASSERT_TRUE(wizard.click(next)) << wizard.lastError();
    }

    // A scratch folder holding a copy of the wizard; returns its Windows path.
    std::string wizardCopy() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        scratch =
            std::filesystem::path(temp) / ("cw-keypath-" + std::to_string(GetCurrentProcessId()));
        // Wine reuses process ids: a folder left by an earlier run is cleared first.
        std::filesystem::remove_all(scratch);
        std::filesystem::create_directories(scratch);
        std::filesystem::copy_file(cw::win::wide(cw::e2e::configWiFiExe()),
                                   scratch / "ConfigWiFi.exe");
        return cw::win::narrow((scratch / "ConfigWiFi.exe").wstring());
    }
    // Beside the copy: a language file whose Wi-Fi manager table waits `seconds` for DHCP.
    void setDhcpWait(const char* seconds) {
        cw::LanguageData tables = cw::compiledInTables();
        bool found = false;
        for (auto& module : tables.modules)
            if (module.module == "TDM_WiFi_Mgr_NG")
                for (auto& entry : module.entries)
                    if (entry.key == "DHCPTimer_Sec") {
                        entry.value = seconds;
                        found = true;
                    }
        ASSERT_TRUE(found);
        std::ofstream(scratch / "ConfigWiFi.sil", std::ios::binary) << cw::writeSil(tables);
    }

    // Reaches the key page of `world` and types its label key in both fields.
    void typeLabelKey(const std::string& world, const std::string& exe) {
        ASSERT_NO_FATAL_FAILURE(startAndLeaveWelcome(exe, worldEnvironment(world)));
        ASSERT_TRUE(waitForPage("Page_WiFi_DataWep", kWindowTimeoutMs)) << currentPage();
        ASSERT_FALSE(nextShown()) << "no key typed yet";
        const std::string key = labelKeyOf(world);
        ASSERT_FALSE(key.empty());
        for (const char* field : {"Wep1", "Wep1b"}) {
            HWND edit = wizard.waitForControl(window, field, kActionTimeoutMs);
            ASSERT_NE(edit, nullptr) << wizard.lastError();
            ASSERT_TRUE(wizard.typeText(edit, key)) << wizard.lastError();
        }
        ASSERT_TRUE(waitUntil([&] { return nextShown(); }, kActionTimeoutMs))
            << wizard.dump(window);
    }

    void clickNext() {
        ASSERT_TRUE(wizard.click(wizard.findControl(window, "BNext"))) << wizard.lastError();
    }

    // The page the wizard shows now: its visible child window named "Page_...".
    std::string currentPage() const {
        for (const ControlInfo& c : wizard.controls(window))
            if (c.visible && c.name.rfind("Page_", 0) == 0) return c.name;
        return {};
    }
    bool nextShown() const {
        HWND next = wizard.findControl(window, "BNext");
        return next && UiDriver::isVisible(next);
    }
    template <typename Condition> static bool waitUntil(Condition condition, int timeoutMs) {
        for (int waited = 0; waited < timeoutMs; waited += 100) {
            if (condition()) return true;
            Sleep(100);
        }
        return condition();
    }
    bool waitForPage(const std::string& page, int timeoutMs) const {
        return waitUntil([&] { return currentPage() == page; }, timeoutMs);
    }
    WindowQuery progressWindow() const { return {"CwDialer", "", wizard.processId(), true}; }

    std::filesystem::path scratch;
    UiDriver wizard;
    cw::e2e::ProgramGuard guard{wizard};
    HWND window = nullptr;
};

TEST_F(WiFiKeyPath, LabelKeyConnectsAndLeavesForTheCheckPage) {
    ASSERT_NO_FATAL_FAILURE(typeLabelKey("default.json", cw::e2e::configWiFiExe()));
    ASSERT_NO_FATAL_FAILURE(clickNext());
    EXPECT_NE(wizard.waitForWindow(progressWindow(), kWindowTimeoutMs), nullptr)
        << "the connection shows its progress";
    EXPECT_TRUE(waitForPage("Page_Check", kConnectionTimeoutMs)) << currentPage();
    EXPECT_EQ(wizard.findWindow(progressWindow()), nullptr) << "closed once connected";
}

TEST_F(WiFiKeyPath, WrongKeyWaitsForOkThenOffersEthernet) {
    const std::string exe = wizardCopy();
    ASSERT_NO_FATAL_FAILURE(setDhcpWait(kShortDhcpWaitSec));
    ASSERT_NO_FATAL_FAILURE(typeLabelKey("wrong-key.json", exe));
    ASSERT_NO_FATAL_FAILURE(clickNext());
    HWND progress = wizard.waitForWindow(progressWindow(), kWindowTimeoutMs);
    ASSERT_NE(progress, nullptr) << wizard.lastError();
    HWND ok = wizard.waitForControl(progress, "Dialer_BOK", kActionTimeoutMs);
    ASSERT_NE(ok, nullptr) << wizard.lastError();
    ASSERT_TRUE(waitUntil([&] { return UiDriver::isEnabled(ok); }, kConnectionTimeoutMs))
        << wizard.dump(progress);
    // The failure is shown until acknowledged: the wizard stays on the key page meanwhile.
    EXPECT_TRUE(UiDriver::isVisible(progress));
    EXPECT_EQ(currentPage(), "Page_WiFi_DataWep");

    ASSERT_TRUE(wizard.click(ok)) << wizard.lastError();
    EXPECT_TRUE(wizard.waitForNoWindow(progressWindow(), kActionTimeoutMs));
    EXPECT_TRUE(waitForPage("Page_WiFi2Eth_Error", kActionTimeoutMs)) << currentPage();
}

TEST_F(WiFiKeyPath, TwoBoxNetworksAreListedSortedAndNextWaitsForAChoice) {
    ASSERT_NO_FATAL_FAILURE(
        startAndLeaveWelcome(cw::e2e::configWiFiExe(), worldEnvironment("two-networks.json")));
    ASSERT_TRUE(waitForPage("Page_WiFi_APSelector", kWindowTimeoutMs)) << currentPage();
    HWND list = wizard.waitForControl(window, "LB_AP", kActionTimeoutMs);
    ASSERT_NE(list, nullptr) << wizard.lastError();
    // The world lists Quorvale_91C7 before Quorvale_4F2A.
    EXPECT_EQ(wizard.items(list),
              std::optional<std::vector<std::string>>({"Quorvale_4F2A", "Quorvale_91C7"}));
    EXPECT_EQ(wizard.selectedIndex(list), -1);
    EXPECT_FALSE(nextShown());

    ASSERT_TRUE(wizard.selectItem(list, 1)) << wizard.lastError();
    EXPECT_TRUE(waitUntil([&] { return nextShown(); }, kActionTimeoutMs)) << wizard.dump(window);
}

TEST_F(WiFiKeyPath, WithoutWorldOrWiFiLibraryNextTakesTheNoAdapterRoute) {
    // A copy of the wizard alone in its folder: no "WiFiMan.dll" beside it.
    const std::string exe = wizardCopy();
    ASSERT_FALSE(std::filesystem::exists(scratch / "WiFiMan.dll"));
    // The copy inherits this process's environment: no world may come from it.
    SetEnvironmentVariableW(L"CONFIGWIFI_WORLD", nullptr);

    ASSERT_NO_FATAL_FAILURE(startAndLeaveWelcome(exe, {}));
    EXPECT_TRUE(waitForPage("Page_WiFi2Eth_Error", kWindowTimeoutMs)) << currentPage();
}

} // namespace
