// The UI driver against a small window of its own (fixture_window.exe), in another process
// under Wine, as the wizard's end-to-end tests will use it.
#include "E2eSupport.h"

#include "app/StringUtil.h"
#include "win32/WinString.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>

using namespace cw::uidriver;
using cw::e2e::kActionTimeoutMs;
using cw::e2e::kWindowTimeoutMs;

TEST(UiDriverText, StripsMarkupTagsKeepingLineBreaks) {
    struct Case {
        const char* markup;
        const char* plain;
    } cases[] = {
        {"<B>Bienvenue</B><BR>Réseau", "Bienvenue\nRéseau"},
        {"a<br>b<BR>c", "a\nb\nc"},
        {"<FONT size=2 color=#FF0000>rouge</FONT> et <U>souligné</U>", "rouge et souligné"},
        {"1 < 2 et <3", "1 < 2 et <3"}, // not tags
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(stripMarkup(c.markup), c.plain) << c.markup;
}

TEST(UiDriverText, QuotesArgumentsSoTheyParseBackUnchanged) {
    for (const std::string argument :
         {"simple", "deux mots", "", "guillemet\"dedans", "C:\\dossier avec espace\\", "a\\\\\"b",
          "tab\tici", "clé été"}) {
        const std::wstring commandLine = cw::win::wide("prog.exe " + quoteArgument(argument));
        int count = 0;
        LPWSTR* argv = CommandLineToArgvW(commandLine.c_str(), &count);
        ASSERT_NE(argv, nullptr);
        ASSERT_EQ(count, 2) << quoteArgument(argument);
        EXPECT_EQ(cw::win::narrow(argv[1]), argument);
        LocalFree(argv);
    }
}

TEST(UiDriverText, MapsUnixPathsToWineDriveZ) {
    EXPECT_EQ(cw::e2e::unixPathToWine("/work/build/a.exe"), "Z:\\work\\build\\a.exe");
    EXPECT_EQ(cw::e2e::unixPathToWine("C:\\windows\\notepad.exe"), "C:\\windows\\notepad.exe");
    EXPECT_EQ(cw::e2e::unixPathToWine("relatif/a.exe"), "relatif/a.exe");
}

class UiDriverFixture : public ::testing::Test {
  protected:
    void SetUp() override { startFixture({}, {}); }

    void startFixture(const std::vector<std::string>& args, const EnvironmentAdditions& env) {
        if (driver.isRunning()) {
            ASSERT_TRUE(driver.terminate(1)) << driver.lastError();
        }
        ASSERT_TRUE(driver.start(cw::e2e::fixtureWindowExe(), args, env)) << driver.lastError();
        window =
            driver.waitForWindow({"CwFixtureWindow", "", driver.processId()}, kWindowTimeoutMs);
        ASSERT_NE(window, nullptr) << driver.lastError();
    }

    HWND control(std::string_view name) {
        HWND hwnd = driver.findControl(window, name);
        EXPECT_NE(hwnd, nullptr) << driver.lastError();
        return hwnd;
    }

    std::string textOf(std::string_view name, TextForm form = TextForm::Plain) {
        return driver.text(control(name), form).value_or("<unreadable>");
    }

    UiDriver driver;
    cw::e2e::ProgramGuard guard{driver};
    HWND window = nullptr;
};

TEST_F(UiDriverFixture, StartsTheProgramWithItsArgumentsAndEnvironment) {
    // The addition replaces the variable this process already has.
    ASSERT_TRUE(SetEnvironmentVariableW(L"CW_FIXTURE_GREETING", L"ancienne valeur"));
    startFixture({"deux mots", "guillemet\"", "C:\\dossier\\", "été"},
                 {{"cw_fixture_greeting", "Bonjour à tous"}});
    SetEnvironmentVariableW(L"CW_FIXTURE_GREETING", nullptr);
    EXPECT_EQ(textOf("LArgs"), "deux mots|guillemet\"|C:\\dossier\\|été");
    EXPECT_EQ(textOf("LEnv"), "Bonjour à tous");
    EXPECT_TRUE(driver.isRunning());
    EXPECT_FALSE(driver.exitCode().has_value());
}

TEST_F(UiDriverFixture, FindsOnlyTheWindowsOfTheGivenClassAndProcess) {
    EXPECT_EQ(driver.findWindow({"CwFixtureWindow", "Fenêtre de test", driver.processId()}),
              window);
    EXPECT_EQ(driver.findWindow({"CwFixtureWindow", "Autre titre", 0}), nullptr);
    EXPECT_EQ(driver.findWindow({"CwFixtureWindow", "", driver.processId() + 4}), nullptr);
    EXPECT_EQ(driver.findWindow({"CwNoSuchClass", "", 0}), nullptr);
}

TEST_F(UiDriverFixture, ListsControlsWithTheirDeclaredNamesClassesAndStates) {
    const std::vector<ControlInfo> all = driver.controls(window);
    auto find = [&all](std::string_view name, bool visible) -> const ControlInfo* {
        for (const ControlInfo& info : all)
            if (info.name == name && info.visible == visible) return &info;
        return nullptr;
    };
    struct Expected {
        const char* name;
        const char* className;
        bool visible;
        bool enabled;
    } expected[] = {
        {"BNext", "Button", true, true},           {"BPrevious", "Button", true, false},
        {"EditKey", "Edit", true, true},           {"ListAP", "ListBox", true, true},
        {"LTitlePage", "Static", true, true},      {"Page_Hidden", "CwFixturePanel", false, true},
        {"HTML_Text", "CwHtmlLabel", false, true}, {"HTML_Text", "CwHtmlLabel", true, true},
    };
    for (const Expected& e : expected) {
        const ControlInfo* info = find(e.name, e.visible);
        ASSERT_NE(info, nullptr) << e.name;
        EXPECT_TRUE(cw::str::equalsNoCase(info->className, e.className)) << info->className;
        EXPECT_EQ(info->enabled, e.enabled) << e.name;
    }
    EXPECT_EQ(find("BNext", true)->text, "Suivant");
}

TEST_F(UiDriverFixture, PrefersTheVisibleControlAmongSameNamedOnes) {
    EXPECT_EQ(textOf("HTML_Text"), "Bienvenue\nRéseau Quorvale");
    EXPECT_EQ(textOf("HTML_Text", TextForm::Raw),
              "<B>Bienvenue</B><BR>Réseau <FONT size=2 color=#FF0000>Quorvale</FONT>");
    EXPECT_EQ(textOf("Page_Hidden/HTML_Text"), "Page cachée");
    EXPECT_EQ(driver.findControl(window, "BAbsent"), nullptr);
    EXPECT_NE(driver.lastError().find("BAbsent"), std::string::npos);
}

TEST_F(UiDriverFixture, ClickingNextChangesTheTitleAndDisabledButtonsRefuseClicks) {
    ASSERT_EQ(textOf("LTitlePage"), "Page 1");
    ASSERT_TRUE(driver.click(control("BNext"))) << driver.lastError();
    EXPECT_TRUE(driver.waitForText(control("LTitlePage"), "Page 2", kActionTimeoutMs))
        << driver.lastError();
    ASSERT_TRUE(driver.click(control("BNext"))) << driver.lastError();
    EXPECT_TRUE(driver.waitForText(control("LTitlePage"), "Page 3", kActionTimeoutMs))
        << driver.lastError();

    EXPECT_FALSE(driver.click(control("BPrevious")));
    EXPECT_NE(driver.lastError().find("disabled"), std::string::npos) << driver.lastError();
    EXPECT_FALSE(driver.click(control("Page_Hidden/HTML_Text")));
}

TEST_F(UiDriverFixture, SetsAndTypesEditTextWhichTheProgramSees) {
    HWND edit = control("EditKey");
    ASSERT_TRUE(driver.setText(edit, "clé 1234")) << driver.lastError();
    EXPECT_EQ(driver.text(edit), "clé 1234");
    EXPECT_TRUE(driver.waitForText(control("LKeyEcho"), "clé 1234", kActionTimeoutMs))
        << driver.lastError();

    ASSERT_TRUE(driver.setText(edit, "clé"));
    ASSERT_TRUE(driver.typeText(edit, " Été-42")) << driver.lastError();
    EXPECT_TRUE(driver.waitForText(edit, "clé Été-42", kActionTimeoutMs)) << driver.lastError();
    EXPECT_TRUE(driver.waitForText(control("LKeyEcho"), "clé Été-42", kActionTimeoutMs))
        << driver.lastError();
    EXPECT_EQ(driver.text(edit), "clé Été-42");
}

TEST_F(UiDriverFixture, ReadsAndSelectsListItemsAndNotifiesTheParent) {
    HWND list = control("ListAP");
    EXPECT_EQ(driver.items(list),
              (std::vector<std::string>{"Quorvale-1A2B", "Voisin", "Quorvale-9F3C été"}));
    EXPECT_EQ(driver.selectedIndex(list), LB_ERR);

    ASSERT_TRUE(driver.selectItem(list, 2)) << driver.lastError();
    EXPECT_EQ(driver.selectedIndex(list), 2);
    EXPECT_TRUE(driver.waitForText(control("LSelection"), "Quorvale-9F3C été", kActionTimeoutMs))
        << driver.lastError();

    EXPECT_FALSE(driver.selectItem(list, 7));
    EXPECT_EQ(driver.selectedIndex(list), 2);
    EXPECT_FALSE(driver.items(control("BNext")).has_value()); // a button holds no items
}

TEST_F(UiDriverFixture, CancelEndsTheProgramWithItsExitCode) {
    ASSERT_TRUE(driver.click(control("BCancel"))) << driver.lastError();
    ASSERT_TRUE(driver.waitForExit(kActionTimeoutMs)) << driver.lastError();
    EXPECT_EQ(driver.exitCode(), 3u);
    EXPECT_FALSE(driver.isRunning());
    EXPECT_TRUE(driver.waitForNoWindow({"CwFixtureWindow", "", 0}, kActionTimeoutMs));
}

TEST_F(UiDriverFixture, DumpsOneLinePerControlWithItsState) {
    std::istringstream dump(driver.dump(window));
    std::string header;
    std::getline(dump, header);
    EXPECT_NE(header.find("class=CwFixtureWindow"), std::string::npos) << header;
    std::map<std::string, std::string> lines;
    for (std::string line; std::getline(dump, line);)
        lines[cw::str::trim(line.substr(0, line.find(' ', line.find_first_not_of(' '))))] += line;
    ASSERT_TRUE(lines.count("BPrevious")) << driver.dump(window);
    EXPECT_NE(lines["BPrevious"].find("visible disabled"), std::string::npos);
    EXPECT_NE(lines["BPrevious"].find("\"Précédent\""), std::string::npos);
    EXPECT_NE(lines["Page_Hidden"].find("hidden  enabled"), std::string::npos);
    EXPECT_NE(lines["HTML_Text"].find("<B>Bienvenue</B><BR>"), std::string::npos);
    EXPECT_NE(lines["ListAP"].find("items=[Quorvale-1A2B; Voisin; Quorvale-9F3C été] selected=-1"),
              std::string::npos)
        << lines["ListAP"];
}

namespace {

struct Bmp {
    int32_t width = 0;
    int32_t height = 0;
    std::string pixels;
};

std::optional<Bmp> readBmp(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    const std::string data{std::istreambuf_iterator<char>(file), {}};
    if (data.size() < 54 || data.compare(0, 2, "BM") != 0) return std::nullopt;
    Bmp bmp;
    std::memcpy(&bmp.width, data.data() + 18, 4);
    std::memcpy(&bmp.height, data.data() + 22, 4);
    uint32_t offset = 0;
    std::memcpy(&offset, data.data() + 10, 4);
    bmp.pixels = data.substr(offset);
    return bmp;
}

} // namespace

TEST_F(UiDriverFixture, ScreenshotShowsTheWindowAsItIsNow) {
    const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                      ("cw-shot-" + std::to_string(GetCurrentProcessId()));
    std::filesystem::create_directories(dir);
    const std::string before = cw::win::narrow((dir / "before.bmp").wstring());
    const std::string after = cw::win::narrow((dir / "after.bmp").wstring());
    auto shoot = [&](const std::string& path) {
        EXPECT_TRUE(driver.saveScreenshot(window, path)) << driver.lastError();
        return readBmp(cw::win::wide(path)).value_or(Bmp{});
    };

    const Bmp first = shoot(before);
    RECT rect{};
    ASSERT_TRUE(GetWindowRect(window, &rect));
    EXPECT_EQ(first.width, rect.right - rect.left);
    EXPECT_EQ(first.height, rect.bottom - rect.top);
    ASSERT_EQ(first.pixels.size(),
              ((first.width * 3 + 3) & ~3) * static_cast<size_t>(first.height));

    ASSERT_TRUE(driver.click(control("BNext")));
    ASSERT_TRUE(driver.waitForText(control("LTitlePage"), "Page 2", kActionTimeoutMs));
    // The new title is painted a moment after the text changes.
    Bmp second;
    for (int tries = 0; tries < 100; ++tries) {
        second = shoot(after);
        if (second.pixels != first.pixels) break;
        Sleep(50);
    }
    EXPECT_NE(second.pixels, first.pixels);
    EXPECT_EQ(second.width, first.width);

    const size_t stride = (second.width * 3 + 3) & ~3;
    std::set<std::string> colours;
    for (size_t y = 0; y < static_cast<size_t>(second.height) && colours.size() < 3; ++y)
        for (size_t x = 0; x < static_cast<size_t>(second.width); ++x)
            colours.insert(second.pixels.substr(y * stride + x * 3, 3));
    EXPECT_GE(colours.size(), 3u); // frame, background, text: not a blank capture
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}
