// The real ConfigWiFi.exe under Wine: start-up, the quit switch, single instance and the
// conflicting-utility killer, driven through its windows as a user would see them.
#include "E2eSupport.h"

#include "app/LanguageFile.h"
#include "app/StringTables.h"
#include "win32/WinString.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

using namespace cw::uidriver;
using cw::e2e::kWindowTimeoutMs;

namespace {

const WindowQuery kMainWindow{"CwMainWindow", "", 0, true};

WindowQuery mainWindowOf(const UiDriver& driver) {
    WindowQuery q = kMainWindow;
    q.processId = driver.processId();
    return q;
}

// A scratch folder (Windows path) holding a copy of the wizard and, when asked, a language
// file that changes main-window settings.
class WizardCopy {
public:
    explicit WizardCopy(const std::map<std::string, std::string>& settings = {}) {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        dir_ = std::filesystem::path(temp) /
               ("cw-e2e-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++count_));
        // Wine reuses process ids: a folder left by an earlier run is cleared first.
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_ / "ConfigWiFi");
        std::filesystem::copy_file(cw::win::wide(cw::e2e::configWiFiExe()), exePath());
        if (settings.empty()) return;
        cw::LanguageData tables = cw::compiledInTables();
        for (auto& module : tables.modules)
            if (module.module == cw::kMainWindowTable)
                for (auto& entry : module.entries)
                    if (auto it = settings.find(entry.key); it != settings.end()) entry.value = it->second;
        std::ofstream(dir_ / "ConfigWiFi" / "ConfigWiFi.sil", std::ios::binary) << cw::writeSil(tables);
    }
    ~WizardCopy() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    [[nodiscard]] std::filesystem::path exePath() const { return dir_ / "ConfigWiFi" / "ConfigWiFi.exe"; }
    [[nodiscard]] std::string exe() const { return cw::win::narrow(exePath().wstring()); }
    // The kit's folder: the wizard is in its "ConfigWiFi" sub-folder.
    [[nodiscard]] std::filesystem::path dir() const { return dir_; }

private:
    static inline int count_ = 0;
    std::filesystem::path dir_;
};

std::string dummyExe() {
    return cw::win::narrow(
        (std::filesystem::path(cw::win::wide(cw::e2e::configWiFiExe())).parent_path() / "killer_dummy.exe")
            .wstring());
}

class WizardStart : public ::testing::Test {
protected:
    HWND startWizard(const std::string& exe, const std::vector<std::string>& args = {}) {
        EXPECT_TRUE(wizard.start(exe, args)) << wizard.lastError();
        return wizard.waitForWindow(mainWindowOf(wizard), kWindowTimeoutMs);
    }
    std::string textOf(HWND window, std::string_view control) {
        return wizard.text(wizard.findControl(window, control), TextForm::Plain).value_or("<none>");
    }

    UiDriver wizard;
    cw::e2e::ProgramGuard guard{wizard};
};

TEST_F(WizardStart, MainWindowShowsTitleAndVersion) {
    HWND window = startWizard(cw::e2e::configWiFiExe());
    ASSERT_NE(window, nullptr) << wizard.lastError();
    EXPECT_EQ(textOf(window, "LTitleApp"), "Configuration de la connexion");
    EXPECT_EQ(textOf(window, "LVersion"), "Version :  1.0.0 [1]");
    wchar_t title[128] = {};
    GetWindowTextW(window, title, 128);
    EXPECT_EQ(cw::win::narrow(title), "Configuration WiFi Quorvale");
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 537);
    EXPECT_EQ(client.bottom, 597);
}

TEST_F(WizardStart, QuitSwitchInAnyArgumentEndsBeforeAnyWindowShows) {
    for (const char* arg : {"-q", "/a-Qb"}) {
        ASSERT_TRUE(wizard.start(cw::e2e::configWiFiExe(), {"-ForceAdmin", arg})) << wizard.lastError();
        bool windowSeen = false;
        while (wizard.isRunning())
            windowSeen = windowSeen || wizard.findWindow(mainWindowOf(wizard)) != nullptr;
        EXPECT_FALSE(windowSeen) << arg;
        EXPECT_EQ(wizard.exitCode().value_or(-1), 0u) << arg;
    }
}

TEST_F(WizardStart, SecondStartWithQuitClosesTheFirst) {
    ASSERT_NE(startWizard(cw::e2e::configWiFiExe()), nullptr) << wizard.lastError();
    UiDriver second;
    ASSERT_TRUE(second.start(cw::e2e::configWiFiExe(), {"-Q"})) << second.lastError();
    EXPECT_TRUE(second.waitForExit(20000));
    EXPECT_TRUE(wizard.waitForExit(20000)) << "the first instance should have quit";
}

TEST_F(WizardStart, SecondStartWithoutQuitLeavesOneWizard) {
    ASSERT_NE(startWizard(cw::e2e::configWiFiExe()), nullptr) << wizard.lastError();
    UiDriver second;
    ASSERT_TRUE(second.start(cw::e2e::configWiFiExe(), {"-t"})) << second.lastError();
    EXPECT_TRUE(second.waitForExit(20000));
    EXPECT_TRUE(wizard.isRunning());
    EXPECT_EQ(wizard.findWindows(kMainWindow).size(), 1u);
}

TEST_F(WizardStart, ConflictingUtilityEndedAtStartAndWhenStartedLater) {
    WizardCopy copy(std::map<std::string, std::string>{{"SerialKiller_Interval_Sec", "2"}});
    const auto utility = copy.dir() / "wlancfg.EXE";
    const auto bystander = copy.dir() / "mywlancfg.exe";
    std::filesystem::copy_file(cw::win::wide(dummyExe()), utility);
    std::filesystem::copy_file(cw::win::wide(dummyExe()), bystander);

    UiDriver early, innocent, late;
    cw::e2e::ProgramGuard g1{early}, g2{innocent}, g3{late};
    ASSERT_TRUE(early.start(cw::win::narrow(utility.wstring()), {})) << early.lastError();
    ASSERT_TRUE(innocent.start(cw::win::narrow(bystander.wstring()), {})) << innocent.lastError();

    ASSERT_NE(startWizard(copy.exe()), nullptr) << wizard.lastError();
    EXPECT_TRUE(early.waitForExit(5000)) << "ended at start-up";

    ASSERT_TRUE(late.start(cw::win::narrow(utility.wstring()), {})) << late.lastError();
    EXPECT_TRUE(late.waitForExit(10000)) << "ended within one interval (2 s here)";
    EXPECT_TRUE(innocent.isRunning()) << "only whole names match";
}

} // namespace
