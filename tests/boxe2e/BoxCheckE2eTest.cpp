// The real ConfigWiFi.exe under Wine checks a real box simulator (boxsim, started by the
// ctest fixture in cmake/targets/boxe2e.cmake): walked from the Welcome page to the check
// page, each state of the box gives its steps' results and its error sheet.
#include "E2eSupport.h"

#include "app/LanguageFile.h"
#include "app/StringTables.h"
#include "app/StringUtil.h"
#include "win32/WinString.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>

using namespace cw::uidriver;
using cw::e2e::kWindowTimeoutMs;

namespace {

constexpr int kPageTimeoutMs = 60000;
// Beyond the 5 s limit of a request, with room for a slow Wine.
constexpr int kChecksTimeoutMs = 60000;
constexpr int kRetryActionMs = 10000;

// The check page's three lines, in their order, with the table keys of their outcomes.
struct StepLine {
    const char* text;
    const char* passed;
    const char* failed;
    const char* sheet;
};
constexpr std::array kSteps{
    StepLine{"HTML_Text_CheckBox", "CheckBox_OK", "CheckBox_Error", "TS_BoxError"},
    StepLine{"HTML_Text_CheckDDSvc", "CheckADSL_Ok", "CheckADSL_Error", "TS_ADSLError"},
    StepLine{"HTML_Text_CheckDD", "CheckWeb_Ok", "CheckWeb_Error", "TS_WebError"},
};
constexpr std::array kSheets{"TS_None", "TS_BoxError", "TS_ADSLError", "TS_WebError"};
constexpr size_t kAllPass = kSteps.size();

struct BoxCase {
    const char* state; // the simulator's state, or "absent": nothing listens
    size_t failedStep; // index in kSteps, kAllPass when every step passes
};

// Names the case in test output.
void PrintTo(const BoxCase& c, std::ostream* out) {
    *out << c.state;
}

std::string fixtureFile(const std::string& name) {
    return cw::e2e::unixPathToWine(std::string(BOXE2E_FIXTURE_DIR) + "/" + name);
}

std::string checkText(const std::string& key) {
    for (const auto& module : cw::compiledInTables().modules)
        if (module.module == "TFm_Check")
            for (const auto& entry : module.entries)
                if (entry.key == key) return entry.value;
    return "<no " + key + ">";
}

std::string readKey() {
    std::ifstream in(std::filesystem::path(cw::win::wide(fixtureFile("key"))));
    std::string key;
    std::getline(in, key);
    return key;
}

// A scratch copy of the wizard whose language file drops the link wait before the check
// page: the checks themselves are what these tests look at.
class WizardWithoutLinkWait {
  public:
    WizardWithoutLinkWait() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        dir_ = std::filesystem::path(temp) / ("cw-boxe2e-" + std::to_string(GetCurrentProcessId()));
        std::filesystem::remove_all(dir_); // Wine reuses process ids
        std::filesystem::create_directories(dir_ / "ConfigWiFi");
        std::filesystem::copy_file(cw::win::wide(cw::e2e::configWiFiExe()), exePath());
        cw::LanguageData tables = cw::compiledInTables();
        for (auto& module : tables.modules)
            if (module.module == "TFm_Check")
                for (auto& entry : module.entries)
                    if (entry.key.starts_with("Param_Delay_Wait4WiFi_")) entry.value = "0";
        std::ofstream(dir_ / "ConfigWiFi" / "ConfigWiFi.sil", std::ios::binary)
            << cw::writeSil(tables);
    }
    ~WizardWithoutLinkWait() {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    WizardWithoutLinkWait(const WizardWithoutLinkWait&) = delete;
    WizardWithoutLinkWait& operator=(const WizardWithoutLinkWait&) = delete;
    [[nodiscard]] std::filesystem::path exePath() const {
        return dir_ / "ConfigWiFi" / "ConfigWiFi.exe";
    }
    [[nodiscard]] std::string exe() const { return cw::win::narrow(exePath().wstring()); }

  private:
    std::filesystem::path dir_;
};

class BoxCheck : public ::testing::TestWithParam<BoxCase> {
  protected:
    void TearDown() override {
        if (wizard.isRunning() && wizard.terminate(1)) (void)wizard.waitForExit(10000);
    }

    // The page the wizard shows now: its visible child window named "Page_...".
    std::string currentPage() const {
        for (const ControlInfo& c : wizard.controls(window))
            if (c.visible && c.name.starts_with("Page_")) return c.name;
        return {};
    }
    bool visible(std::string_view name) const {
        HWND control = wizard.findControl(window, name);
        return control && UiDriver::isVisible(control);
    }
    bool waitForVisible(std::string_view name, int timeoutMs) const {
        for (int waited = 0; waited < timeoutMs; waited += 100) {
            if (visible(name)) return true;
            Sleep(100);
        }
        return false;
    }
    std::string textOf(std::string_view name) const {
        return wizard.text(wizard.findControl(window, name)).value_or("<none>");
    }
    HWND control(std::string_view name) const { return wizard.waitForControl(window, name, 10000); }

    // Acts on a page of the Wi-Fi key path as a user would.
    void act(const std::string& page, const std::string& key) {
        if (page == "Page_WiFi_APSelector") {
            (void)wizard.selectItem(control("LB_AP"), 0);
        } else if (page == "Page_WiFi_Device_Selector") {
            (void)wizard.selectItem(control("CBX_NetDevice"), 0);
        } else if (page == "Page_WiFi_DataWep") {
            (void)wizard.setText(control("Wep1"), key);
            (void)wizard.setText(control("Wep1b"), key);
        }
        (void)wizard.click(control("BNext"));
    }

    // Walks from the Welcome page to the check page; false (with the page it stopped on in
    // `stuck`) when it does not get there.
    bool walkToCheckPage(std::string& stuck) {
        const std::string key = readKey();
        std::string page;
        int sincePageChange = 0;
        int sinceAction = 0;
        while (wizard.isRunning() && sincePageChange < kPageTimeoutMs) {
            const std::string now = currentPage();
            if (now == "Page_Check") return true;
            if (!now.empty() && now != page) {
                page = now;
                sincePageChange = sinceAction = 0;
                Sleep(300); // let the page finish its display
                act(page, key);
            } else if (!page.empty() && sinceAction >= kRetryActionMs) {
                sinceAction = 0; // a click lost while the page was still settling
                act(page, key);
            }
            Sleep(100);
            sincePageChange += 100;
            sinceAction += 100;
        }
        stuck = page.empty() ? "<no page>" : page;
        return false;
    }

    WizardWithoutLinkWait copy;
    UiDriver wizard;
    cw::e2e::ProgramGuard guard{wizard};
    HWND window = nullptr;
};

TEST_P(BoxCheck, StepsAndErrorSheetFollowTheBoxState) {
    const BoxCase& c = GetParam();
    ASSERT_TRUE(wizard.start(copy.exe(), {},
                             {{"CONFIGWIFI_WORLD", fixtureFile(std::string(c.state) + ".json")}}))
        << wizard.lastError();
    window = wizard.waitForWindow({"CwMainWindow", "", wizard.processId(), true}, kWindowTimeoutMs);
    ASSERT_NE(window, nullptr) << wizard.lastError();
    std::string stuck;
    ASSERT_TRUE(walkToCheckPage(stuck)) << "stopped on " << stuck << "\n" << wizard.dump(window);

    if (c.failedStep == kAllPass) {
        // Only a pass of all three steps moves on to the end page.
        EXPECT_TRUE(waitForVisible("Page_End_OK", kChecksTimeoutMs)) << wizard.dump(window);
        return;
    }
    ASSERT_TRUE(waitForVisible("BRestart_Test", kChecksTimeoutMs)) << wizard.dump(window);
    EXPECT_EQ(currentPage(), "Page_Check");
    for (size_t i = 0; i < kSteps.size(); ++i) {
        const StepLine& step = kSteps[i];
        if (i < c.failedStep) {
            EXPECT_EQ(textOf(step.text), checkText(step.passed)) << step.text;
        } else if (i == c.failedStep) {
            EXPECT_EQ(textOf(step.text), checkText(step.failed)) << step.text;
        } else {
            EXPECT_FALSE(visible(step.text)) << step.text << " is not reached";
        }
    }
    EXPECT_TRUE(visible("PageC"));
    for (const char* sheet : kSheets)
        EXPECT_EQ(visible(sheet), std::string_view(sheet) == kSteps[c.failedStep].sheet) << sheet;
    // Only without Internet access may the user go on anyway.
    EXPECT_EQ(visible("BNext"), c.failedStep == 2);
    EXPECT_TRUE(visible("BCancel"));
}

std::string caseName(const ::testing::TestParamInfo<BoxCase>& info) {
    return cw::str::replaceAllNoCase(info.param.state, "-", "");
}

INSTANTIATE_TEST_SUITE_P(States, BoxCheck,
                         ::testing::Values(BoxCase{"ok", kAllPass}, BoxCase{"cable-down", 1},
                                           BoxCase{"no-internet", 2},
                                           BoxCase{"not-found", 1}, // a 404 still counts as reached
                                           BoxCase{"slow", 0},      // gives up after 5 s
                                           BoxCase{"absent", 0}),   // connection refused
                         caseName);

} // namespace
