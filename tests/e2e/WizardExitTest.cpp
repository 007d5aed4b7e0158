// The real wizard's first page and its way out: Cancel on the Welcome page ends at once,
// removes the desktop shortcut and starts the box assistant with its arguments.
#include "E2eSupport.h"

#include "win32/WinString.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace cw::uidriver;
using cw::e2e::kWindowTimeoutMs;

namespace {

std::filesystem::path scratchKit() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    return std::filesystem::path(temp) / ("cw-exit-" + std::to_string(GetCurrentProcessId()));
}

// The current user's desktop folder, as the shell folders key names it.
std::filesystem::path desktopFolder() {
    wchar_t value[MAX_PATH] = {};
    DWORD size = sizeof value;
    RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                 L"Desktop", RRF_RT_REG_SZ, nullptr, value, &size);
    return value;
}

class WizardExit : public ::testing::Test {
protected:
    void SetUp() override {
        kit = scratchKit();
        std::filesystem::remove_all(kit);
        std::filesystem::create_directories(kit / "ConfigWiFi");
        std::filesystem::create_directories(kit / "AssistantQV");
        std::filesystem::copy_file(cw::win::wide(cw::e2e::configWiFiExe()), kit / "ConfigWiFi" / "ConfigWiFi.exe");
        assistant = kit / "AssistantQV" / "AssistantQV_Zuzuzad.exe";
        std::filesystem::copy_file(cw::win::wide(cw::e2e::unixPathToWine(CONFIGWIFI_RECORDER_EXE)), assistant);
        shortcut = desktopFolder() / L"Reprendre l'installation de la Quorvale RIR.lnk";
        std::filesystem::create_directories(shortcut.parent_path());
        std::ofstream(shortcut) << "shortcut";
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(kit, ignored);
        std::filesystem::remove(shortcut, ignored);
    }
    std::string recordedArguments() {
        std::ifstream in(std::filesystem::path(assistant.wstring() + L".args"), std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        const std::string raw = bytes.str();
        return cw::win::narrow(std::wstring(reinterpret_cast<const wchar_t*>(raw.data()), raw.size() / 2));
    }

    std::filesystem::path kit, assistant, shortcut;
    UiDriver wizard;
    cw::e2e::ProgramGuard guard{wizard};
};

TEST_F(WizardExit, WelcomePageThenCancelEndsWithTheBoxAssistant) {
    ASSERT_TRUE(wizard.start(cw::win::narrow((kit / "ConfigWiFi" / "ConfigWiFi.exe").wstring()), {}))
        << wizard.lastError();
    HWND window = wizard.waitForWindow({"CwMainWindow", "", wizard.processId(), true}, kWindowTimeoutMs);
    ASSERT_NE(window, nullptr) << wizard.lastError();

    HWND cancel = wizard.waitForControl(window, "BCancel", kWindowTimeoutMs);
    ASSERT_NE(cancel, nullptr) << wizard.lastError();
    EXPECT_EQ(wizard.text(cancel).value_or(""), "Annuler");
    EXPECT_TRUE(UiDriver::isVisible(wizard.findControl(window, "BNext")));
    EXPECT_FALSE(UiDriver::isVisible(wizard.findControl(window, "BPrev")));
    EXPECT_TRUE(UiDriver::isVisible(wizard.findControl(window, "Page_Welcome")));

    ASSERT_TRUE(wizard.click(cancel)) << wizard.lastError();
    ASSERT_TRUE(wizard.waitForExit(20000)) << "Cancel on the Welcome page ends at once";
    EXPECT_FALSE(std::filesystem::exists(shortcut));
    for (int i = 0; i < 100 && recordedArguments().empty(); ++i) Sleep(100);
    EXPECT_EQ(recordedArguments(), "-r");
}

} // namespace
