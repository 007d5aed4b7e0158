// demo_walk.exe: walks ConfigWiFi.exe through the Wi-Fi key path as a user would, printing
// "page: <name>" for every page it reaches and saving a picture of each (as BMP; the demo
// script turns them into PNG).
//   demo_walk.exe <ConfigWiFi.exe> <world.json> <Wi-Fi key> <out folder>
// Exit status: 0 when the wizard ended from its end page, 1 otherwise.
#include "uidriver/UiDriver.h"
#include "win32/WinString.h"

#include <cstdio>
#include <string>

using namespace cw::uidriver;

namespace {

constexpr int kWindowTimeoutMs = 60000;
constexpr int kPageTimeoutMs = 120000;

void say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// The name of the page the wizard shows now: its visible child window named "Page_...".
std::string currentPage(const UiDriver& driver, HWND window) {
    for (const ControlInfo& c : driver.controls(window))
        if (c.visible && c.name.rfind("Page_", 0) == 0) return c.name;
    return {};
}

class Walk {
public:
    Walk(std::string key, std::string outDir) : key_(std::move(key)), outDir_(std::move(outDir)) {}

    int run(const std::string& exe, const std::string& world) {
        if (!driver_.start(exe, {}, {{"CONFIGWIFI_WORLD", world}})) return fail("cannot start: " + driver_.lastError());
        window_ = driver_.waitForWindow({"CwMainWindow", "", driver_.processId(), true}, kWindowTimeoutMs);
        if (!window_) return fail("no main window: " + driver_.lastError());
        std::string page;
        DWORD lastChange = GetTickCount();
        while (driver_.isRunning()) {
            const std::string now = currentPage(driver_, window_);
            if (!now.empty() && now != page) {
                page = now;
                lastChange = GetTickCount();
                arrive(page);
            }
            if (GetTickCount() - lastChange > kPageTimeoutMs) return fail("stuck on " + page);
            Sleep(100);
        }
        if (!driver_.waitForExit(20000)) return fail("the wizard did not end");
        return endedFromEndPage_ ? 0 : fail("the wizard ended on " + page);
    }

private:
    int fail(const std::string& why) {
        std::fprintf(stderr, "demo: %s\n", why.c_str());
        if (driver_.isRunning()) (void)driver_.terminate(1);
        return 1;
    }

    HWND control(const std::string& name) { return driver_.waitForControl(window_, name, 10000); }

    void arrive(const std::string& page) {
        say("page: " + page);
        Sleep(600);  // let the page finish painting
        char file[64];
        std::snprintf(file, sizeof file, "%02d-", ++count_);
        (void)driver_.saveScreenshot(window_, outDir_ + "\\" + file + page + ".bmp");
        act(page);
    }

    void act(const std::string& page) {
        if (page == "Page_WiFi_APSelector") {
            (void)driver_.selectItem(control("LB_AP"), 0);
        } else if (page == "Page_WiFi_Device_Selector") {
            (void)driver_.selectItem(control("CBX_NetDevice"), 0);
        } else if (page == "Page_WiFi_DataWep") {
            (void)driver_.setText(control("Wep1"), key_);
            (void)driver_.setText(control("Wep1b"), key_);
            Sleep(300);
        } else if (page == "Page_Check") {
            return;  // the checks move on to the end page by themselves
        } else if (page == "Page_End_OK") {
            endedFromEndPage_ = true;
            (void)driver_.click(control("BCancel"));  // "Quitter"
            return;
        } else if (page.find("Error") != std::string::npos || page.find("Warning") != std::string::npos) {
            say("demo: the wizard reports a problem on " + page);
            (void)driver_.click(control("BCancel"));
            return;
        }
        (void)driver_.click(control("BNext"));
    }

    UiDriver driver_;
    HWND window_ = nullptr;
    std::string key_;
    std::string outDir_;
    int count_ = 0;
    bool endedFromEndPage_ = false;
};

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: demo_walk <ConfigWiFi.exe> <world.json> <key> <out folder>\n");
        return 2;
    }
    using cw::win::narrow;
    Walk walk(narrow(argv[3]), narrow(argv[4]));
    return walk.run(narrow(argv[1]), narrow(argv[2]));
}
