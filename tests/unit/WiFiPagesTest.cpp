// The Wi-Fi device, access point and key pages in the key-entry mode, on a simulated world:
// where each page leads, the sorted network list, the key rules and the connection outcome.
#include "app/AppContext.h"
#include "app/RunMode.h"
#include "app/StringUtil.h"
#include "platform/EventLoop.h"
#include "platform/WindowEffects.h"
#include "sim/FakeHttp.h"
#include "sim/MemoryFileSystem.h"
#include "sim/MemoryRegistry.h"
#include "sim/ModelWindow.h"
#include "sim/SimDeviceInventory.h"
#include "sim/SimOsFacts.h"
#include "sim/SimProcesses.h"
#include "sim/SimServices.h"
#include "sim/SimShell.h"
#include "sim/SimWiFiLibrary.h"
#include "sim/VirtualEventLoop.h"
#include "wifi/Dialer.h"
#include "wifi/WiFiManager.h"
#include "wizard/FrameManager.h"
#include "wizard/Frame_WiFi_DataWep.h"
#include "wizard/Frame_WiFi_DeviceSelector.h"

#include "SimulatedPorts.h"

#include <gtest/gtest.h>

namespace cw {
namespace {

constexpr const char* kBoxKey = "Cle2Box1234";

WorldAdapter adapter(std::string name, std::vector<std::string> ssids = {}) {
    WorldAdapter a;
    a.name = std::move(name);
    a.guid = "{00000000-0000-0000-0000-000000000001}";
    for (std::string& ssid : ssids)
        a.networks.push_back({std::move(ssid), kBoxKey, {}});
    return a;
}

World worldWith(std::vector<WorldAdapter> adapters) {
    World w;
    w.adapters = std::move(adapters);
    return w;
}

class WiFiPagesTest : public ::testing::Test, protected SimulatedPorts {
  protected:
    WiFiPagesTest() {
        app.appData.PathExe = "C:\\Kit\\ConfigWiFi\\";
        setSwitch(BuildSwitch::DongleModeSwitch, true);
        setSwitch(BuildSwitch::EthernetModeSwitch, true);
    }
    ~WiFiPagesTest() override {
        if (app.wifiManager) app.wifiManager->Stop_WiFiAPI();
    }

    void setSwitch(BuildSwitch which, bool on) {
        os.stringResources[static_cast<uint32_t>(which)] = on ? "1" : "0";
    }

    // Builds the wizard on `w` and leaves it on the welcome page.
    void start(World w) {
        if (app.wifiManager) app.wifiManager->Stop_WiFiAPI();
        app.wifiManager.reset();
        manager.reset();
        main.reset();
        world = std::move(w);
        library = std::make_unique<SimWiFiLibrary>(world, loop);
        inventory = SimDeviceInventory(world);
        app.wifiLibrary = library.get();
        app.deviceInventory = &inventory;
        WindowDecl mainDecl;
        mainDecl.controls = {Control("LTitlePage", ControlKind::Label, {}, "", {})};
        main = windows.createWindow(mainDecl, nullptr);
        app.dialogs.setMainWindow(main.get());
        manager = std::make_unique<TFm_Frame_Manager>(app, *main);
        manager->Initialize(&app.traceLog, &app.language);
        // The user acknowledges a failed connection in the progress window.
        okPresser = loop.createTimer();
        okPresser->setInterval(500);
        okPresser->setOnTimer([this] {
            if (TFrmDialer* dialer = app.wifiManager ? app.wifiManager->dialer() : nullptr)
                static_cast<ModelWindow&>(dialer->window()).click("Dialer_BOK");
        });
        okPresser->setEnabled(true);
        windows.onModal = [this](ModelWindow& w) {
            messages.push_back(w.text("HTML_Text"));
            w.click("BOK");
        };
    }

    // From the welcome page through the device page (and whatever it leads to).
    void startWiFi(World w) {
        start(std::move(w));
        strip().click("BNext");
    }

    ModelWindow& strip() { return static_cast<ModelWindow&>(manager->buttons()); }
    ModelWindow& page(const char* name) { return *windows.findNamed(name); }
    std::string buttons() {
        std::string s;
        s += strip().visible("BPrev") ? 'P' : '-';
        s += strip().visible("BNext") ? 'N' : '-';
        s += strip().visible("BCancel") ? 'C' : '-';
        if (strip().text("BCancel") == "Quitter") s += " Q";
        return s;
    }
    TDM_WiFi_Mgr_NG& wifi() { return *app.wifiManager; }

    // On the key page with two box networks in range, the second one chosen.
    ModelWindow& keyPage(bool wepMode) {
        app.appData.WepMode = wepMode;
        const char* a = wepMode ? "Quorvale_A1_WEP" : "Quorvale_A1";
        const char* b = wepMode ? "Quorvale_B2_WEP" : "Quorvale_B2";
        startWiFi(worldWith({adapter("Carte WiFi", {a, b})}));
        page("Page_WiFi_APSelector").select("LB_AP", 1);
        strip().click("BNext");
        EXPECT_EQ(manager->currentPageName(), "Page_WiFi_DataWep");
        return page("Page_WiFi_DataWep");
    }
    void typeKeys(ModelWindow& p, std::string_view key, std::string_view confirm) {
        p.type("Wep1", key);
        p.type("Wep1b", confirm);
    }

    World world;
    std::unique_ptr<SimWiFiLibrary> library;
    SimDeviceInventory inventory;
    AppContext app{ports()};
    std::unique_ptr<Window> main;
    std::unique_ptr<TFm_Frame_Manager> manager;
    std::unique_ptr<Timer> okPresser;
    std::vector<std::string> messages;
};

// --- Device page ---------------------------------------------------------------------------

TEST_F(WiFiPagesTest, DevicePageRoutesByAdapterCount) {
    const std::vector<std::string> twoNetworks = {"Quorvale_A1", "Quorvale_B2"};
    struct Case {
        const char* label;
        std::vector<WorldAdapter> adapters;
        bool dongleSwitch;
        const char* page;
        const char* buttons;
    } cases[] = {
        {"no adapter", {}, true, "Page_WiFi2Eth_Error", "-NC"},
        {"one adapter", {adapter("Carte WiFi", twoNetworks)}, true, "Page_WiFi_APSelector", "P-C"},
        {"default adapter among two",
         {adapter("Carte WiFi", twoNetworks),
          adapter("wi-fi wireless lan usb adapter #2", twoNetworks)},
         true,
         "Page_WiFi_APSelector",
         "P-C"},
        {"two adapters, none the default",
         {adapter("Carte A"), adapter("Carte B")},
         true,
         "Page_WiFi_Device_Selector",
         "P-C"},
        {"default adapter, dongle mode off",
         {adapter("Carte WiFi"), adapter("Wi-Fi Wireless LAN USB Adapter")},
         false,
         "Page_WiFi_Device_Selector",
         "P-C"},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.label);
        setSwitch(BuildSwitch::DongleModeSwitch, c.dongleSwitch);
        startWiFi(worldWith(c.adapters));
        EXPECT_EQ(manager->currentPageName(), c.page);
        EXPECT_EQ(buttons(), c.buttons);
        EXPECT_EQ(app.dialogs.waitForm() != nullptr, false) << "the wait form is closed";
        ASSERT_TRUE(app.wifiManager);
        EXPECT_EQ(wifi().NbWiFiDevice(), static_cast<int32_t>(c.adapters.size()));
    }
}

TEST_F(WiFiPagesTest, TwoAdaptersAreListedAndNextWaitsForAChoice) {
    startWiFi(
        worldWith({adapter("Carte A", {"Quorvale_A1"}), adapter("Carte B", {"Quorvale_B2"})}));
    ModelWindow& p = page("Page_WiFi_Device_Selector");
    EXPECT_EQ(p.items("CBX_NetDevice"), (std::vector<std::string>{"Carte A", "Carte B"}));
    EXPECT_EQ(p.selection("CBX_NetDevice"), -1);
    EXPECT_FALSE(manager->page("Page_WiFi_Device_Selector")->CanExit())
        << "an entry must be chosen";

    p.select("CBX_NetDevice", 1);
    EXPECT_EQ(wifi().CurrWiFiDeviceIndex(), 1);
    EXPECT_TRUE(strip().visible("BNext"));
    strip().click("BNext");
    // The one network heard by adapter B is chosen without showing the list.
    EXPECT_EQ(manager->currentPageName(), "Page_WiFi_DataWep");
    EXPECT_EQ(wifi().SelectedAPName(), "Quorvale_B2");
}

TEST_F(WiFiPagesTest, ReenteringTheDevicePageReplacesTheWiFiManager) {
    startWiFi(worldWith({adapter("Carte A"), adapter("Carte B")}));
    const TDM_WiFi_Mgr_NG* first = app.wifiManager.get();
    strip().click("BPrev");
    ASSERT_EQ(manager->currentPageName(), "Page_Welcome");
    strip().click("BNext");
    EXPECT_NE(app.wifiManager.get(), first);
    EXPECT_EQ(library->callCount("FreeAllResources"), 1) << "the first library start was released";
}

TEST(DriverDateTest, ReadsMonthDayYearWithHyphens) {
    const ShortDateFormat format;
    struct Case {
        const char* text;
        std::optional<CalendarDate> date;
    } cases[] = {
        {"06-01-2004", CalendarDate{2004, 6, 1}},
        {"12-01-2006", CalendarDate{2006, 12, 1}},
        {"6-1-2004", CalendarDate{2004, 6, 1}},
        {" 2-29-2004 ", CalendarDate{2004, 2, 29}},
        {"2-29-2005", std::nullopt},
        {"13-1-2004", std::nullopt},
        {"6/1/2004", std::nullopt},
        {"6-1-04", std::nullopt},
        {"6-1", std::nullopt},
        {"6-1-2004-1", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseShortDate(c.text, format), c.date) << c.text;
}

TEST(DriverDateTest, AcceptsNetworkDriversDatedOnOrAfterTheReference) {
    const std::vector<InstalledDevice> devices = {
        {"Old card", "Net", "5-31-2004"},
        {"Same day card", "Net", "6-1-2004"},
        {"New card", "net", "11-15-2007"},
        {"Undated card", "Net", std::nullopt},
        {"Garbled date card", "Net", "yesterday"},
        {"Virtual JumpStart Adapter", "Net", "1-1-2008"},
        {"Undated jumpstart adapter", "Net", std::nullopt},
        {"Recent sound card", "Media", "1-1-2008"},
    };
    EXPECT_EQ(acceptedDriverNames(devices, {2004, 6, 1}, ShortDateFormat{}),
              (std::vector<std::string>{"Same day card", "New card", "Undated card",
                                        "Garbled date card"}));
    EXPECT_EQ(acceptedDriverNames(devices, {2006, 12, 1}, ShortDateFormat{}),
              (std::vector<std::string>{"New card", "Undated card", "Garbled date card"}));
}

// Without an accepted driver the WPS path is dropped silently and the key path runs; with
// one, the WPS path goes on (to the security warning while no WPS engine exists).
TEST_F(WiFiPagesTest, DriverDatesDecideBetweenTheWpsAndTheKeyPath) {
    struct Case {
        bool vista;
        const char* driverDate;
        const char* page;
    } cases[] = {
        {false, "5-31-2004", "Page_WiFi_APSelector"},
        {false, "11-30-2006", "Page_WiFi_Warning_Secu"},
        {true, "11-30-2006", "Page_WiFi_APSelector"},
        {true, "12-1-2006", "Page_WiFi_Warning_Secu"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.driverDate);
        app.appData.IsXPSP2 = !c.vista;
        app.appData.IsVista = c.vista;
        app.appData.JumpStartMode = true;
        WorldAdapter card = adapter("Carte WiFi", {"Quorvale_A1", "Quorvale_B2"});
        card.driverDate = c.driverDate;
        startWiFi(worldWith({card}));
        EXPECT_EQ(manager->currentPageName(), c.page);
        EXPECT_TRUE(messages.empty()) << "no message";
        EXPECT_FALSE(app.appData.JumpStartMode);
        auto* devicePage =
            static_cast<TFm_WiFi_DeviceSelector*>(manager->page("Page_WiFi_Device_Selector"));
        EXPECT_EQ(devicePage->acceptedDrivers().size(),
                  std::string_view(c.page) == "Page_WiFi_Warning_Secu" ? 1u : 0u);
    }
}

// --- Access point page ---------------------------------------------------------------------

TEST_F(WiFiPagesTest, NetworksAreSortedIgnoringCaseWithDuplicatesKept) {
    startWiFi(worldWith({adapter(
        "Carte WiFi", {"Quorvale_B2", "quorvale_a1", "HOME-1234", "Quorvale_B2", "Quorvale_1C"})}));
    ASSERT_EQ(manager->currentPageName(), "Page_WiFi_APSelector");
    ModelWindow& p = page("Page_WiFi_APSelector");
    EXPECT_EQ(p.items("LB_AP"), (std::vector<std::string>{"Quorvale_1C", "quorvale_a1",
                                                          "Quorvale_B2", "Quorvale_B2"}));
    EXPECT_EQ(p.selection("LB_AP"), -1);
    EXPECT_EQ(p.control("Img_Find_SSID")->picture.resource, "SSID_WEP");
    EXPECT_EQ(main->text("LTitlePage"), "CHOIX DU RÉSEAU WIFI");
    EXPECT_FALSE(strip().visible("BNext"));

    p.select("LB_AP", 1);
    EXPECT_EQ(wifi().SelectedAPName(), "quorvale_a1");
    EXPECT_TRUE(strip().visible("BNext"));
    p.select("LB_AP", 9); // below the last entry: no selection, nothing changes
    EXPECT_EQ(wifi().SelectedAPName(), "quorvale_a1");
}

TEST_F(WiFiPagesTest, ScanOutcomeChoosesTheRoute) {
    struct Case {
        const char* label;
        std::vector<std::string> networks;
        const char* page;
        const char* buttons;
    } cases[] = {
        {"no box network", {"HOME-1234"}, "Page_WiFi_SSID_Error", "--C Q"},
        {"one box network", {"HOME-1234", "Quorvale_A1"}, "Page_WiFi_DataWep", "P-C"},
        {"several", {"Quorvale_A1", "Quorvale_B2"}, "Page_WiFi_APSelector", "P-C"},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.label);
        startWiFi(worldWith({adapter("Carte WiFi", c.networks)}));
        EXPECT_EQ(manager->currentPageName(), c.page);
        EXPECT_EQ(buttons(), c.buttons);
    }
}

TEST_F(WiFiPagesTest, OneNetworkIsChosenAndShownOnTheKeyPage) {
    startWiFi(worldWith({adapter("Carte WiFi", {"HOME-1234", "Quorvale_A1"})}));
    ASSERT_EQ(manager->currentPageName(), "Page_WiFi_DataWep");
    EXPECT_EQ(wifi().SelectedAPName(), "Quorvale_A1");
    EXPECT_EQ(page("Page_WiFi_DataWep").text("LWPS_Info_SSIDData"), "Quorvale_A1");
    EXPECT_EQ(page("Page_WiFi_DataWep").text("LWPS_Info_DeviceData"), "Carte WiFi");
}

TEST_F(WiFiPagesTest, ScanWithoutAdapterLeadsToTheEthernetOffer) {
    startWiFi(worldWith({}));
    manager->GOFrame("Page_Welcome", parseGoFlags("-NC F"));
    manager->GOFrame("Page_WiFi_APSelector", parseGoFlags("PNC"));
    EXPECT_EQ(manager->currentPageName(), "Page_WiFi2Eth_Error");
    EXPECT_EQ(buttons(), "-NC");
}

// --- Key page ------------------------------------------------------------------------------

TEST(WifiKeyRulesTest, WepKeysAreTypedWithAFixedSetOfCharacters) {
    for (char32_t c :
         std::u32string(U" #$&()-<>?@[\\]_09AZaz") + U'\x03' + U'\x16' + U'\x18' + U'\b')
        EXPECT_TRUE(isWepKeyChar(c)) << static_cast<uint32_t>(c);
    for (char32_t c : std::u32string(U"!*%\"'+,./:;=^`{|}~é€") + U'\x01' + U'\x1A' + U'\r')
        EXPECT_FALSE(isWepKeyChar(c)) << static_cast<uint32_t>(c);
}

TEST_F(WiFiPagesTest, KeyFieldsTurnGreenOrRedAsTheyAreTyped) {
    struct Case {
        std::string key, confirm;
        Color keyColor, confirmColor;
        bool next;
    } cases[] = {
        {"1234567", "", kKeyBad, kKeyBad, false},
        {"1234567", "1234567", kKeyBad, kKeyGood, false},
        {"12345678", "1234567", kKeyGood, kKeyBad, false},
        {"12345678", "12345678", kKeyGood, kKeyGood, true},
        {"ABCDEFGH", "abcdefgh", kKeyGood, kKeyGood, true},
        {std::string(63, 'k'), std::string(63, 'K'), kKeyGood, kKeyGood, true},
    };
    ModelWindow& p = keyPage(false);
    EXPECT_EQ(p.focus(), "wep1");
    EXPECT_FALSE(strip().visible("BNext"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        typeKeys(p, c.key, c.confirm);
        EXPECT_EQ(p.control("Wep1")->color, c.keyColor);
        EXPECT_EQ(p.control("Wep1b")->color, c.confirmColor);
        EXPECT_EQ(strip().visible("BNext"), c.next);
    }
    EXPECT_EQ(p.control("Wep1")->maxLength, 63);
}

TEST_F(WiFiPagesTest, WepModeDropsOtherCharactersWithABeep) {
    ModelWindow& p = keyPage(true);
    EXPECT_TRUE(p.press("Wep1", U'_'));
    EXPECT_FALSE(p.press("Wep1", U'!'));
    EXPECT_FALSE(p.press("Wep1", U'*'));
    EXPECT_TRUE(p.press("Wep1", U'A'));
    EXPECT_TRUE(p.press("Wep1", U'\b'));
    EXPECT_EQ(p.text("Wep1"), "_");
    EXPECT_EQ(p.beeps(), 2);
}

TEST_F(WiFiPagesTest, WpaModeTakesEveryCharacter) {
    ModelWindow& p = keyPage(false);
    EXPECT_TRUE(p.press("Wep1", U'!'));
    EXPECT_TRUE(p.press("Wep1", U'é'));
    EXPECT_EQ(p.text("Wep1"), "!é");
    EXPECT_EQ(p.beeps(), 0);
}

// In order: the first row is typed before any check, while the fields still take 63.
TEST_F(WiFiPagesTest, WepKeysAreCheckedOnNext) {
    const std::string lowerBoxKey = str::lower(kBoxKey);
    struct Case {
        std::string key, confirm;
        const char* message; // empty: the check passes and the connection succeeds
    } cases[] = {
        {"ABCDEFGHIJKLMN", "ABCDEFGHIJKLMN", "Veuillez saisir votre Clé WIFI avant de continuer !"},
        {"ABCDE", "ABCDE", "Veuillez saisir votre Clé WIFI avant de continuer !"},
        {"ABCDEFGHIJ", "ABCDEFGHIJK", "Veuillez saisir correctement votre Clé WIFI !"},
        {kBoxKey, lowerBoxKey, ""},
    };
    ModelWindow& p = keyPage(true);
    IFm_ZK& keyPageLogic = *manager->page("Page_WiFi_DataWep");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        messages.clear();
        library->clearCalls();
        const int beeps = p.beeps();
        typeKeys(p, c.key, c.confirm);
        const bool passed = keyPageLogic.CanExit();
        if (*c.message) {
            EXPECT_FALSE(passed);
            EXPECT_EQ(messages, std::vector<std::string>{c.message});
            EXPECT_EQ(p.beeps(), beeps + 1);
            EXPECT_EQ(p.focus(), "wep1");
            EXPECT_EQ(library->callCount("ConnectToNetwork"), 0);
        } else {
            EXPECT_TRUE(passed);
            EXPECT_TRUE(messages.empty());
            EXPECT_EQ(app.profile.key, kBoxKey);
        }
        EXPECT_EQ(manager->currentPageName(), "Page_WiFi_DataWep");
    }
    EXPECT_EQ(p.control("Wep1")->maxLength, 13) << "from the first check on";
    p.type("Wep1", "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(p.text("Wep1"), "ABCDEFGHIJKLM");
}

TEST_F(WiFiPagesTest, BackspaceInTheEmptyConfirmationErasesInTheKey) {
    ModelWindow& p = keyPage(false);
    const std::string key(63, 'k');
    p.type("Wep1", key);
    EXPECT_FALSE(p.press("Wep1b", U'\b')) << "the key press is swallowed";
    EXPECT_EQ(p.text("Wep1"), key.substr(0, 62));
    EXPECT_EQ(p.focus(), "wep1");
    EXPECT_EQ(p.control("Wep1")->caret, 62);
    EXPECT_EQ(p.text("Wep1b"), "");

    p.type("Wep1b", "ab");
    EXPECT_TRUE(p.press("Wep1b", U'\b'));
    EXPECT_EQ(p.text("Wep1b"), "a") << "an ordinary Backspace elsewhere";
    EXPECT_EQ(p.text("Wep1"), key.substr(0, 62));
}

TEST_F(WiFiPagesTest, ShortWpaKeyStaysWithoutMessage) {
    ModelWindow& p = keyPage(false);
    typeKeys(p, "1234567", "1234567");
    EXPECT_FALSE(manager->page("Page_WiFi_DataWep")->CanExit());
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(p.control("Wep1b")->color, kKeyBad) << "the check wants 8 characters in both";
    EXPECT_EQ(library->callCount("ConnectToNetwork"), 0);
}

TEST_F(WiFiPagesTest, ConnectedKeyLeadsOnByPlayerMode) {
    struct Case {
        uint8_t playerMode;
        const char* page;
    } cases[] = {{0, "Page_Check"}, {2, "Page_2P"}, {3, "Page_2P"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.playerMode));
        app.appData.PlayerMode = c.playerMode;
        ModelWindow& p = keyPage(false);
        // The key typed in the first field is the one used, its case kept.
        typeKeys(p, kBoxKey, str::lower(kBoxKey));
        strip().click("BNext");
        EXPECT_EQ(manager->currentPageName(), c.page);
        EXPECT_EQ(app.profile.key, kBoxKey);
    }
}

TEST_F(WiFiPagesTest, FailedConnectionRoutesByEthernetSwitch) {
    struct Case {
        bool ethernetSwitch;
        const char* page;
        const char* buttons;
    } cases[] = {{true, "Page_WiFi2Eth_Error", "-NC"}, {false, "Page_WiFi_Cx_Error", "--C Q"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.page);
        setSwitch(BuildSwitch::EthernetModeSwitch, c.ethernetSwitch);
        ModelWindow& p = keyPage(false);
        typeKeys(p, "WrongKey99", "WrongKey99");
        strip().click("BNext");
        EXPECT_EQ(manager->currentPageName(), c.page);
        EXPECT_EQ(buttons(), c.buttons);
        EXPECT_EQ(app.wifiManager->dialer(), nullptr) << "the progress window was acknowledged";
    }
}

TEST_F(WiFiPagesTest, FailureStatesOtherThanNoAddressGoToTheConnectionErrorWithItsChecks) {
    start(worldWith({}));
    struct Case {
        uint8_t state;
        bool ethernetSwitch;
        const char* page;
    } cases[] = {
        {DHCP_None, true, "Page_WiFi2Eth_Error"},
        {DHCP_Error, true, "Page_WiFi2Eth_Error"},
        {DHCP_Error, false, "Page_WiFi_Cx_Error"},
        {DHCP_OK, true, "Page_WiFi_Cx_Error"},
    };
    for (const Case& c : cases) {
        manager->GOFrame("Page_Welcome", parseGoFlags("-NC F"));
        goAfterConnectionFailure(*manager, c.ethernetSwitch, c.state);
        EXPECT_EQ(manager->currentPageName(), c.page) << static_cast<int>(c.state);
    }
}

} // namespace
} // namespace cw
