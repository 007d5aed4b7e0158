// The Wi-Fi manager and its connection progress window on a scripted Wi-Fi library, the
// virtual clock and model windows.
#include "app/AppContext.h"
#include "app/RunMode.h"
#include "app/StringUtil.h"
#include "platform/WiFiLibrary.h"
#include "platform/WindowEffects.h"
#include "sim/FakeHttp.h"
#include "sim/MemoryFileSystem.h"
#include "sim/MemoryRegistry.h"
#include "sim/ModelWindow.h"
#include "sim/SimOsFacts.h"
#include "sim/SimProcesses.h"
#include "sim/SimServices.h"
#include "sim/SimShell.h"
#include "sim/VirtualEventLoop.h"
#include "wifi/Dialer.h"
#include "wifi/WiFiManager.h"
#include "wizard/FrameManager.h"

#include "SimulatedPorts.h"

#include <gtest/gtest.h>

namespace cw {
namespace {

constexpr uint32_t kError = 0x70000001;

// A Wi-Fi library whose answers the test scripts; it records the calls that change things.
class ScriptedWiFi : public WiFiLibrary {
public:
    explicit ScriptedWiFi(const EventLoop& loop) : loop_(loop) {}

    struct Adapter {
        std::string name;
        uint32_t dhcp = 1;
        bool nameFails = false;
    };
    std::vector<Adapter> adapters;
    uint32_t enumerateAdaptersResult = 0;  // 0: the adapter count
    std::vector<std::string> networks;
    std::vector<std::string> profiles;
    uint32_t direct = 0;
    uint32_t service = 1;
    uint32_t installResult = 0;
    uint32_t applyResult = 0;
    uint32_t connectResult = 0;
    bool joins = true;  // a successful ConnectToNetwork associates with the network
    // The address of every read after connecting, by milliseconds since the connection.
    std::function<std::string(uint64_t sinceConnect)> address = [](uint64_t) {
        return std::string("0.0.0.0");
    };

    std::vector<std::string> calls;
    std::string loadedProfile;
    std::string currentSsid;
    uint64_t connectedAt = 0;
    uint64_t lastDisconnectAt = 0;
    // UpdateIteration when adapters and networks were enumerated (read through `iteration`).
    const int32_t* iteration = nullptr;
    std::vector<int32_t> adapterRefreshes, networkRefreshes;

    [[nodiscard]] int count(std::string_view call) const {
        return static_cast<int>(std::count(calls.begin(), calls.end(), call));
    }

    uint32_t InstallDriver(uint32_t) override {
        calls.push_back("InstallDriver");
        return installResult;
    }
    uint32_t SetLibraryOption(uint32_t option, uint32_t value) override {
        calls.push_back("SetLibraryOption(" + std::to_string(option) + "," +
                        std::to_string(value) + ")");
        return 0;
    }
    uint32_t GetLibraryOption(uint32_t) override { return 0; }
    uint32_t IsNativeWIFI() override { return 0; }
    uint32_t IsDirectWIFI() override { return direct; }
    uint32_t GetWIFIManagerVersion() override { return 123; }
    uint32_t GetWIFIServiceStatus() override { return service; }
    uint32_t SetWIFIServiceStatus(uint32_t start) override {
        calls.push_back("SetWIFIServiceStatus(" + std::to_string(start) + ")");
        service = start;
        return 0;
    }
    uint32_t SetStorageOptions(std::string_view path, uint32_t) override {
        calls.push_back("SetStorageOptions(" + std::string(path) + ")");
        return 0;
    }
    uint32_t EnumerateAdapters() override {
        if (iteration) adapterRefreshes.push_back(*iteration);
        return enumerateAdaptersResult ? enumerateAdaptersResult
                                       : static_cast<uint32_t>(adapters.size());
    }
    uint32_t GetAdapterName(uint32_t adapter, std::string& name, uint32_t) override {
        if (adapter >= adapters.size() || adapters[adapter].nameFails) return kError;
        name = adapters[adapter].name;
        return 0;
    }
    uint32_t GetAdapterGUID(uint32_t adapter, std::string& guid, uint32_t) override {
        guid = "{GUID-" + std::to_string(adapter) + "}";
        return 0;
    }
    uint32_t GetAdapterIPInfo(uint32_t adapter, std::string& address, std::string& mask,
                              std::string& gateway, uint32_t& dhcp, uint32_t) override {
        address = "10.0.0.5", mask = "255.0.0.0", gateway = "10.0.0.1";
        dhcp = adapters.at(adapter).dhcp;
        return 0;
    }
    uint32_t SetAdapterIPInfo(uint32_t adapter, std::string_view address, std::string_view,
                              std::string_view, uint32_t dhcp) override {
        calls.push_back("SetAdapterIPInfo(" + std::to_string(adapter) + "," +
                        std::string(address) + "," + std::to_string(dhcp) + ")");
        adapters.at(adapter).dhcp = dhcp;
        return 0;
    }
    uint32_t GetAdapterCurrentIPInfo(uint32_t, std::string& address, std::string& mask,
                                     std::string& gateway, uint32_t) override {
        address = currentSsid.empty() ? "0.0.0.0" : this->address(loop_.tickCount() - connectedAt);
        mask = "255.255.255.0";
        gateway = "0.0.0.0";
        return 0;
    }
    uint32_t EnumerateAvailableNetworks(uint32_t, uint32_t scanNow) override {
        calls.push_back("EnumerateAvailableNetworks(" + std::to_string(scanNow) + ")");
        if (iteration) networkRefreshes.push_back(*iteration);
        return static_cast<uint32_t>(networks.size());
    }
    uint32_t GetAvailableNetworkName(uint32_t, uint32_t network, std::string& ssid,
                                     uint32_t) override {
        ssid = networks.at(network);
        return ssid == "<unreadable>" ? kError : 0;
    }
    uint32_t GetCurrentNetworkName(uint32_t, std::string& ssid, uint32_t) override {
        ssid = currentSsid;
        return 0;
    }
    uint32_t EnumerateProfiles(uint32_t) override { return static_cast<uint32_t>(profiles.size()); }
    uint32_t GetProfileName(uint32_t, uint32_t profile, std::string& name, uint32_t) override {
        name = profiles.at(profile);
        return 0;
    }
    uint32_t DeleteProfile(uint32_t, uint32_t profile) override {
        calls.push_back("DeleteProfile(" + std::to_string(profile) + ")");
        return 0;
    }
    uint32_t LoadTmpProfileFromString(std::string_view xml) override {
        loadedProfile = xml;
        return 7;
    }
    uint32_t SetTmpProfileOption(uint32_t, std::string_view, std::string_view) override { return 0; }
    uint32_t SetTmpProfileToAdapter(uint32_t, uint32_t) override {
        calls.push_back("SetTmpProfileToAdapter");
        return applyResult;
    }
    uint32_t FreeTmpProfile(uint32_t) override { return 0; }
    uint32_t ConnectToNetwork(uint32_t, std::string_view ssid) override {
        calls.push_back("ConnectToNetwork(" + std::string(ssid) + ")");
        if (isWiFiError(connectResult)) return connectResult;
        if (joins) currentSsid = ssid;
        connectedAt = loop_.tickCount();
        return 0;
    }
    uint32_t DisconnectFromNetwork(uint32_t) override {
        calls.push_back("DisconnectFromNetwork");
        currentSsid.clear();
        lastDisconnectAt = loop_.tickCount();
        return 0;
    }
    uint32_t FreeAllResources() override {
        calls.push_back("FreeAllResources");
        return 0;
    }

private:
    const EventLoop& loop_;
};

class WiFiManagerTest : public ::testing::Test, protected SimulatedPorts {
protected:
    WiFiManagerTest() {
        app.appData.PathExe = "C:\\Prog\\";
        app.appData.AppDataDir = "C:\\Users\\u\\AppData\\Quorvale";
        app.appData.IsSeven = true;
        app.traceLog.setSink([this](std::string_view line) { traceLines.emplace_back(line); });
        app.traceLog.setEnabled(true);
        wifi.adapters = {{"Intel Wireless"}};
        wifi.networks = {"Quorvale_1A2B"};
    }

    TDM_WiFi_Mgr_NG& make() {
        manager = std::make_unique<TDM_WiFi_Mgr_NG>(app, wifi);
        manager->buttonsProtection = [this](bool on) { protection.push_back(on); };
        return *manager;
    }
    // A manager with its adapter listed and selected and one network chosen.
    TDM_WiFi_Mgr_NG& ready() {
        TDM_WiFi_Mgr_NG& m = make();
        m.RefreshDeviceList();
        m.setSelectedAPName("Quorvale_1A2B");
        app.profile.key = "secret-key";
        return m;
    }

    void setSetting(std::string_view module, std::string_view key, std::string value) {
        StringTable& table = app.language.table(module);
        std::vector<TableEntry> entries = table.storedEntries();
        for (TableEntry& e : entries)
            if (str::equalsNoCase(e.key, key)) e.value = value;
        table.replace(entries);
    }

    [[nodiscard]] ModelWindow* dialerWindow() const { return windows.find("CwDialer"); }

    // Plays the user at the progress window every 100 ms: `act` sees it while it is shown.
    void whileDialerShown(std::function<void(ModelWindow&)> act) {
        userTimer = loop.createTimer();
        userTimer->setInterval(100);
        userTimer->setOnTimer([this, act] {
            if (ModelWindow* w = dialerWindow(); w && w->isShown()) act(*w);
        });
        userTimer->setEnabled(true);
    }
    // Presses "OK" once it is enabled, keeping what the window showed then.
    void acknowledgeFailure() {
        whileDialerShown([this](ModelWindow& w) {
            if (!w.enabled("Dialer_BOK")) return;
            failureSeen = {true, w.enabled("Dialer_BCancel"), w.control("PB_DHCP")->maximum,
                           w.control("Dialer_Img_DHCP")->picture.resource};
            w.click("Dialer_BOK");
        });
    }

    [[nodiscard]] int traced(std::string_view text) const {
        int n = 0;
        for (const std::string& line : traceLines) n += str::containsNoCase(line, text) ? 1 : 0;
        return n;
    }

    AppContext app{ports()};
    ScriptedWiFi wifi{loop};
    std::unique_ptr<TDM_WiFi_Mgr_NG> manager;
    std::unique_ptr<Timer> userTimer;
    std::vector<bool> protection;
    std::vector<std::string> traceLines;
    struct FailureSeen {
        bool seen = false;
        bool cancelEnabled = true;
        int barMaximum = 0;
        std::string dhcpMark;
    } failureSeen;
};

// --- SSID filter ---------------------------------------------------------------------------

TEST(SsidFilter, DefaultSettingsPerMode) {
    const SsidFilter wpa{"Quorvale_", "", "_WEP"};
    const SsidFilter wep{"Quorvale_", "_WEP", ""};
    struct Case {
        const char* ssid;
        bool wpaAccepted;
        bool wepAccepted;
    } cases[] = {
        {"Quorvale_1A2B", true, false},     {"xQuorvale_1A2B", true, false},
        {"quorvale_1a2b", true, false},     {"Quorvale_1A2B_WEP", false, true},
        {"HOME-1234", false, false},        {"quorvale_1a2b_wep", false, true},
        {"_WEP Quorvale_x", false, true},  // neither part is anchored
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ssidAccepted(c.ssid, wpa, false), c.wpaAccepted) << c.ssid;
        EXPECT_EQ(ssidAccepted(c.ssid, wep, false), c.wepAccepted) << c.ssid;
    }
}

TEST(SsidFilter, EmptyPartsAndTestMode) {
    struct Case {
        SsidFilter filter;
        const char* ssid;
        bool testMode;
        bool accepted;
    } cases[] = {
        {{"", "_WEP", ""}, "Quorvale_1A2B_WEP", false, false},  // an empty prefix matches no name
        {{"", "", ""}, "HOME-1234", false, true},
        {{"", "", "HOME"}, "HOME-1234", false, true},
        {{"Quorvale_", "", "_WEP"}, "HOME-1234", true, true},
        {{"Quorvale_", "", "_WEP"}, "Quorvale_1A2B_WEP", true, true},
        {{"Quorvale_", "", "_WEP"}, "", true, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ssidAccepted(c.ssid, c.filter, c.testMode), c.accepted)
            << c.ssid << " prefix '" << c.filter.prefix << "' test " << c.testMode;
}

TEST_F(WiFiManagerTest, ScanKeepsDuplicatesAndFollowsTheMode) {
    wifi.networks = {"Quorvale_1A2B", "", "HOME-1234", "<unreadable>", "Quorvale_1A2B",
                     "Quorvale_1A2B_WEP"};
    struct Case {
        bool wepMode;
        bool testMode;
        std::vector<std::string> filtered;
    } cases[] = {
        {false, false, {"Quorvale_1A2B", "Quorvale_1A2B"}},
        {true, false, {"Quorvale_1A2B_WEP"}},
        {false, true, {"Quorvale_1A2B", "HOME-1234", "Quorvale_1A2B", "Quorvale_1A2B_WEP"}},
    };
    TDM_WiFi_Mgr_NG& m = make();
    m.RefreshDeviceList();
    for (const Case& c : cases) {
        app.appData.WepMode = c.wepMode;
        app.appData.TestMode = c.testMode;
        m.RefreshAP(false);
        EXPECT_EQ(m.APListAll(), (std::vector<std::string>{"Quorvale_1A2B", "HOME-1234",
                                                           "Quorvale_1A2B", "Quorvale_1A2B_WEP"}));
        EXPECT_EQ(m.APListFiltered(), c.filtered) << "wep " << c.wepMode << " test " << c.testMode;
    }
}

TEST_F(WiFiManagerTest, ActiveScanInDirectModeSetsTheScanTime) {
    TDM_WiFi_Mgr_NG& m = make();
    m.RefreshDeviceList();
    wifi.direct = 1;
    wifi.calls.clear();
    m.RefreshAP(true);
    EXPECT_EQ(wifi.calls, (std::vector<std::string>{"SetLibraryOption(3,3000)",
                                                    "EnumerateAvailableNetworks(1)"}));
    wifi.direct = 0;
    wifi.calls.clear();
    m.RefreshAP(true);
    EXPECT_EQ(wifi.calls, (std::vector<std::string>{"EnumerateAvailableNetworks(1)"}));
}

TEST_F(WiFiManagerTest, NoScanWithoutAnAdapter) {
    wifi.adapters.clear();
    TDM_WiFi_Mgr_NG& m = make();
    m.RefreshDeviceList();
    m.RefreshAP(true);
    EXPECT_EQ(wifi.count("EnumerateAvailableNetworks(1)"), 0);
    EXPECT_TRUE(m.APListAll().empty());
}

// --- Adapters ------------------------------------------------------------------------------

TEST_F(WiFiManagerTest, AdapterSelection) {
    struct Case {
        std::vector<std::string> names;
        bool dongleSwitch;
        bool vista;
        int selected;
        bool dongle;
    } cases[] = {
        {{"Intel Wireless"}, false, false, 0, false},
        {{"Intel Wireless", "Broadcom 802.11"}, true, false, 0, false},
        {{"Intel Wireless", "my wi-fi wireless lan usb adapter #2"}, true, false, 1, true},
        {{"Intel Wireless", "DEVUR Wi-Fi 11g"}, true, false, 0, false},
        {{"Intel Wireless", "DEVUR Wi-Fi 11g"}, true, true, 1, true},
        {{"Intel Wireless", "Wi-Fi Wireless LAN USB Adapter"}, false, false, -1, false},
        {{}, true, false, -1, false},
    };
    for (const Case& c : cases) {
        wifi.adapters.clear();
        for (const std::string& name : c.names) wifi.adapters.push_back({name});
        os.stringResources[static_cast<uint32_t>(BuildSwitch::DongleModeSwitch)] =
            c.dongleSwitch ? "1" : "0";
        app.appData.IsVista = c.vista;
        TDM_WiFi_Mgr_NG& m = make();
        m.RefreshDeviceList();
        EXPECT_EQ(m.CurrWiFiDeviceIndex(), c.selected) << testing::PrintToString(c.names);
        EXPECT_EQ(m.ModeUSBDongle(), c.dongle) << testing::PrintToString(c.names);
        EXPECT_EQ(m.NbWiFiDevice(), static_cast<int>(c.names.size()));
        if (c.selected >= 0) {
            EXPECT_EQ(m.CurrDeviceName(), c.names[static_cast<size_t>(c.selected)]);
            EXPECT_EQ(m.CurrGUID(), "{GUID-" + std::to_string(c.selected) + "}");
        }
    }
}

TEST_F(WiFiManagerTest, UnreadableAdapterAndEnumerationErrorAreNotListed) {
    wifi.adapters = {{"A", 1, true}, {"B"}};
    TDM_WiFi_Mgr_NG& m = make();
    m.RefreshDeviceList();
    EXPECT_EQ(m.WiFiDeviceList(), std::vector<std::string>{"B"});
    EXPECT_EQ(m.CurrWiFiDeviceIndex(), 0);

    wifi.enumerateAdaptersResult = kError;
    m.RefreshDeviceList();
    EXPECT_TRUE(m.WiFiDeviceList().empty());
    EXPECT_EQ(m.CurrWiFiDeviceIndex(), 0) << "the selection stays";
}

TEST_F(WiFiManagerTest, InvalidIndexesLeaveTheSelection) {
    wifi.adapters = {{"A"}, {"B"}};
    TDM_WiFi_Mgr_NG& m = make();
    m.RefreshDeviceList();
    m.Set_CurrWiFiDeviceIndex(1);
    for (int index : {-1, -2, 2}) {
        m.Set_CurrWiFiDeviceIndex(index);
        EXPECT_EQ(m.CurrWiFiDeviceIndex(), 1) << index;
        EXPECT_EQ(m.CurrDeviceName(), "B") << index;
    }
}

TEST_F(WiFiManagerTest, SelectionSwitchesTheAdapterToDhcp) {
    wifi.adapters = {{"A", 1}, {"B", 0}};
    TDM_WiFi_Mgr_NG& m = make();
    m.RefreshDeviceList();
    m.Set_CurrWiFiDeviceIndex(0);
    m.Set_CurrWiFiDeviceIndex(1);
    EXPECT_EQ(wifi.calls.back(), "SetAdapterIPInfo(1,10.0.0.5,1)");
    EXPECT_EQ(wifi.adapters[1].dhcp, 1u);
    EXPECT_EQ(wifi.count("SetAdapterIPInfo(0,10.0.0.5,1)"), 0);
}

// --- Start, general update, stop -----------------------------------------------------------

TEST_F(WiFiManagerTest, CreationStartsTheAgentToQuitAndStopStartsItWhenNeeded) {
    ASSERT_TRUE(fs.createDirectory("C:\\Prog"));
    ASSERT_TRUE(fs.writeFile("C:\\Prog\\Agent_WiFi.exe", "MZ"));
    wifi.direct = 1;
    TDM_WiFi_Mgr_NG& m = make();
    EXPECT_EQ(shell.started, std::vector<std::string>{"C:\\Prog\\Agent_WiFi.exe -q"});
    EXPECT_TRUE(m.WiFiAPIClosed());
    EXPECT_EQ(wifi.calls.front(), "SetLibraryOption(0,0)");

    m.Start_WiFiAPI();
    EXPECT_TRUE(m.AgentWiFiNeeded());
    m.Stop_WiFiAPI();
    m.Stop_WiFiAPI();
    EXPECT_EQ(shell.started, (std::vector<std::string>{"C:\\Prog\\Agent_WiFi.exe -q",
                                                       "C:\\Prog\\Agent_WiFi.exe"}));
    EXPECT_EQ(wifi.count("FreeAllResources"), 1);
    EXPECT_EQ(traced("WiFi API Already Closed"), 1);
    EXPECT_FALSE(m.timerGeneralUpdate().enabled());
}

TEST_F(WiFiManagerTest, NoAgentWithoutItsFileOrOutsideDirectMode) {
    wifi.direct = 0;
    TDM_WiFi_Mgr_NG& m = make();
    m.Start_WiFiAPI();
    m.Stop_WiFiAPI();
    EXPECT_TRUE(shell.started.empty());
    EXPECT_FALSE(m.AgentWiFiNeeded());
}

TEST_F(WiFiManagerTest, ReadyStepInDirectModeStopsTheServiceAndGivesTheProfileStore) {
    wifi.direct = 1;
    wifi.service = 1;
    TDM_WiFi_Mgr_NG& m = make();
    m.Start_WiFiAPI();
    EXPECT_EQ(wifi.count("SetWIFIServiceStatus(0)"), 1);
    EXPECT_EQ(wifi.count("SetStorageOptions(C:\\Users\\u\\AppData\\Quorvale\\Profiles.dat)"), 1);
    EXPECT_EQ(m.CurrWiFiDeviceIndex(), 0);
    EXPECT_EQ(m.APListFiltered(), std::vector<std::string>{"Quorvale_1A2B"});
    EXPECT_TRUE(m.timerGeneralUpdate().enabled());
    EXPECT_FALSE(m.timerAppReady().enabled());
    EXPECT_EQ(app.dialogs.waitForm(), nullptr) << "the wait form is closed again";
    EXPECT_EQ(windows.created("CwWaitForm"), 1);
}

TEST_F(WiFiManagerTest, ReadyStepThroughTheServiceStartsIt) {
    wifi.direct = 0;
    wifi.service = 0;
    make().Start_WiFiAPI();
    EXPECT_EQ(wifi.count("SetWIFIServiceStatus(1)"), 1);
    EXPECT_EQ(wifi.count("SetWIFIServiceStatus(0)"), 0);
}

TEST_F(WiFiManagerTest, DriverInstallation) {
    struct Case {
        bool knownSystem;
        bool ndis;
        uint32_t installResult;
        int installs;
        bool ready;
    } cases[] = {
        {true, false, 0, 0, true},
        {false, false, 0, 1, true},
        {true, true, 0, 1, true},
        {false, false, kError, 1, false},
    };
    for (const Case& c : cases) {
        wifi.calls.clear();
        wifi.installResult = c.installResult;
        app.appData.IsSeven = c.knownSystem;
        app.appData.NdisMode = c.ndis;
        app.ForcedNDISDriver = false;
        TDM_WiFi_Mgr_NG& m = make();
        m.Start_WiFiAPI();
        EXPECT_EQ(wifi.count("InstallDriver"), c.installs);
        EXPECT_EQ(m.CurrWiFiDeviceIndex() == 0, c.ready) << "the ready step ran";
        EXPECT_EQ(wifi.count("SetLibraryOption(0,1)"), c.ndis ? 1 : 0);
    }
    // The forced driver stays for the program's later managers.
    app.appData.NdisMode = true;
    make().Start_WiFiAPI();
    app.appData.NdisMode = false;
    make();
    EXPECT_EQ(wifi.calls.back(), "SetLibraryOption(0,1)");
}

TEST_F(WiFiManagerTest, GeneralUpdateRefreshesAdaptersAndNetworksOnItsCycle) {
    wifi.direct = 1;
    TDM_WiFi_Mgr_NG& m = make();
    m.RefreshDeviceList();
    wifi.iteration = &app.appData.UpdateIteration;
    m.timerGeneralUpdate().setEnabled(true);
    loop.advance(121 * 1000);
    EXPECT_EQ(wifi.adapterRefreshes, (std::vector<int32_t>{23, 46, 23, 46}));
    EXPECT_EQ(wifi.networkRefreshes, (std::vector<int32_t>{27, 54, 27, 54}));
    EXPECT_EQ(wifi.count("EnumerateAvailableNetworks(1)"), 4) << "active scans in direct mode";
    EXPECT_EQ(app.appData.UpdateIteration, 1);
}

// --- Initialisation and connection ---------------------------------------------------------

TEST_F(WiFiManagerTest, InitializeCodes) {
    struct Case {
        std::vector<std::string> adapters;
        std::vector<std::string> networks;
        int code;
        const char* selected;
    } cases[] = {
        {{}, {"Quorvale_1A2B"}, kInitNoAdapter, ""},
        {{"A"}, {"HOME-1234"}, kInitNoAccessPoint, ""},
        {{"A"}, {"HOME-1234", "Quorvale_1A2B"}, kInitOneAccessPoint, "Quorvale_1A2B"},
        {{"A"}, {"Quorvale_1", "Quorvale_2"}, kInitSeveralAccessPoints, ""},
    };
    for (const Case& c : cases) {
        wifi.adapters.clear();
        for (const std::string& name : c.adapters) wifi.adapters.push_back({name});
        wifi.networks = c.networks;
        TDM_WiFi_Mgr_NG& m = make();
        m.RefreshDeviceList();
        m.setSelectedAPName("old");
        EXPECT_EQ(m.WiFi_Initialize(), c.code) << testing::PrintToString(c.networks);
        EXPECT_EQ(m.SelectedAPName(), c.selected);
    }
}

TEST_F(WiFiManagerTest, ProfileTextFillsPlaceholdersInAnyCaseAndEscapesXml) {
    struct Case {
        const char* templ;
        const char* ssid;
        const char* key;
        const char* text;
    } cases[] = {
        {"<n>%profilename%</n><s>%SSID%</s><k>%key%</k>", "Quorvale_1A2B", "abc",
         "<n>Quorvale_1A2B</n><s>Quorvale_1A2B</s><k>abc</k>"},
        {"<s>%ssid%</s><k>%KEY%</k><n>%ProfileName%</n>", "Q", "k", "<s>Q</s><k>k</k><n>Q</n>"},
        {"<s>%SSID%</s><k>%key%</k>", "R&D <5>", "a&b<c>\"d'e",
         "<s>R&amp;D &lt;5&gt;</s><k>a&amp;b&lt;c&gt;&quot;d&apos;e</k>"},
    };
    for (const Case& c : cases) EXPECT_EQ(buildProfileText(c.templ, c.ssid, c.key), c.text);
}

TEST_F(WiFiManagerTest, DefaultTemplateIsAVersionOneWpaPskProfile) {
    const std::string text = buildProfileText(
        app.language.table("TDM_WiFi_Mgr_NG").GetText("Param_WiFI_XML_WPAPSK"), "Net", "K&<ey");
    EXPECT_EQ(text.find('\n'), std::string::npos);
    for (const char* part :
         {"<WLANProfile xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\">",
          "<name>Net</name>\t<SSIDConfig>\t<SSID>\t<name>Net</name>",
          "<connectionType>ESS</connectionType>", "<connectionMode>manual</connectionMode>",
          "<authentication>WPAPSK</authentication>", "<encryption>TKIP</encryption>",
          "<useOneX>false</useOneX>", "<keyType>passPhrase</keyType>",
          "<protected>false</protected>", "<keyMaterial>K&amp;&lt;ey</keyMaterial>"})
        EXPECT_NE(text.find(part), std::string::npos) << part;
    EXPECT_EQ(text.find('%'), std::string::npos) << "every placeholder is filled";
}

TEST_F(WiFiManagerTest, SuccessfulConnection) {
    wifi.profiles = {"Other", "quorvale_1a2b"};
    wifi.address = [](uint64_t since) { return since >= 3000 ? "192.168.1.10" : "0.0.0.0"; };
    TDM_WiFi_Mgr_NG& m = ready();
    app.profile.key = "a&b";
    std::string deviceShown, networkShown;
    whileDialerShown([&](ModelWindow& w) {
        deviceShown = w.text("Dialer_EDeviceName");
        networkShown = w.text("Dialer_EAPName");
    });
    uint8_t state = 0;
    EXPECT_TRUE(m.WiFi_Connection(state));
    EXPECT_EQ(state, DHCP_OK);
    EXPECT_EQ(wifi.count("DeleteProfile(1)"), 1) << "the old profile of that name is removed";
    EXPECT_NE(wifi.loadedProfile.find("<keyMaterial>a&amp;b</keyMaterial>"), std::string::npos);
    EXPECT_EQ(deviceShown, "Intel Wireless");
    EXPECT_EQ(networkShown, "Quorvale_1A2B");
    EXPECT_EQ(protection, (std::vector<bool>{true, false}));
    EXPECT_EQ(dialerWindow(), nullptr) << "the window closes by itself";
    EXPECT_FALSE(m.progressWindowOpen());
    EXPECT_EQ(wifi.count("DisconnectFromNetwork"), 0);
}

TEST_F(WiFiManagerTest, ApplyErrorFailsWithoutTheWindow) {
    wifi.applyResult = kError;
    TDM_WiFi_Mgr_NG& m = ready();
    uint8_t state = 0;
    EXPECT_FALSE(m.WiFi_Connection(state));
    EXPECT_EQ(state, DHCP_Error);
    EXPECT_EQ(windows.created("CwDialer"), 0);
    EXPECT_EQ(protection, (std::vector<bool>{true, false}));
    EXPECT_EQ(wifi.count("ConnectToNetwork(Quorvale_1A2B)"), 0);
}

TEST_F(WiFiManagerTest, NoAdapterSelectedFailsAtOnce) {
    wifi.adapters.clear();
    TDM_WiFi_Mgr_NG& m = ready();
    uint8_t state = 0;
    EXPECT_FALSE(m.WiFi_Connection(state));
    EXPECT_EQ(state, DHCP_None);
    EXPECT_TRUE(protection.empty());
}

TEST_F(WiFiManagerTest, ConnectErrorShowsTheFailure) {
    wifi.connectResult = kError;
    TDM_WiFi_Mgr_NG& m = ready();
    acknowledgeFailure();
    uint8_t state = 0;
    EXPECT_FALSE(m.WiFi_Connection(state));
    EXPECT_EQ(state, DHCP_Error);
    EXPECT_TRUE(failureSeen.seen);
    EXPECT_EQ(failureSeen.dhcpMark, TFrmDialer::markResource(TFrmDialer::kMarkFailed));
}

// The wait's length: from the connection to the failure's disconnect.
TEST_F(WiFiManagerTest, DhcpWaitLengthAndBarMaximum) {
    struct Case {
        const char* setting;
        uint64_t waitMs;
    } cases[] = {{"60", 60000}, {"abc", 30000}, {"", 30000}, {"0", 30000}, {"-5", 30000},
                 {"9999999", 30000}, {"5", 5000}};
    for (const Case& c : cases) {
        setSetting("TDM_WiFi_Mgr_NG", "DHCPTimer_Sec", c.setting);
        wifi.calls.clear();
        TDM_WiFi_Mgr_NG& m = ready();
        failureSeen = {};
        acknowledgeFailure();
        uint8_t state = 9;
        EXPECT_FALSE(m.WiFi_Connection(state));
        EXPECT_EQ(state, DHCP_None) << c.setting;
        EXPECT_EQ(wifi.lastDisconnectAt - wifi.connectedAt, c.waitMs) << c.setting;
        EXPECT_EQ(failureSeen.barMaximum, static_cast<int>(c.waitMs)) << c.setting;
        EXPECT_FALSE(failureSeen.cancelEnabled) << "OK enabled, Arrêter... disabled";
        EXPECT_EQ(dialerWindow(), nullptr) << "OK closed the window";
    }
}

TEST_F(WiFiManagerTest, LinkLocalAddresses) {
    struct Case {
        const char* name;
        // The address of the first and of the second read of each status check.
        std::function<std::string(uint64_t since, bool secondRead)> address;
        uint8_t state;
        uint64_t waitMs;
    } cases[] = {
        {"steady link-local", [](uint64_t, bool) { return "169.254.1.1"; }, DHCP_None, 60000},
        {"changes at 4 s",
         [](uint64_t since, bool second) {
             return since == 4000 ? (second ? "169.254.1.1" : "192.168.1.10") : "0.0.0.0";
         },
         DHCP_None, 60000},
        {"changes at 12 s",
         [](uint64_t since, bool second) {
             return since == 12000 ? (second ? "169.254.1.1" : "192.168.1.10") : "0.0.0.0";
         },
         DHCP_Error, 12000},
    };
    for (const Case& c : cases) {
        // The second read of a status check comes at the same time as the first.
        uint64_t lastRead = ~0ull;
        wifi.address = [&lastRead, &c](uint64_t since) {
            const bool second = since == lastRead;
            lastRead = since;
            return c.address(since, second);
        };
        TDM_WiFi_Mgr_NG& m = ready();
        acknowledgeFailure();
        uint8_t state = 9;
        EXPECT_FALSE(m.WiFi_Connection(state)) << c.name;
        EXPECT_EQ(state, c.state) << c.name;
        EXPECT_EQ(wifi.lastDisconnectAt - wifi.connectedAt, c.waitMs) << c.name;
    }
}

TEST_F(WiFiManagerTest, StopByTheUserEndsWithinOneSecond) {
    TDM_WiFi_Mgr_NG& m = ready();
    uint64_t pressedAt = 0;
    whileDialerShown([&](ModelWindow& w) {
        if (pressedAt == 0 && wifi.connectedAt != 0 && loop.tickCount() >= wifi.connectedAt + 3500) {
            pressedAt = loop.tickCount();
            w.click("Dialer_BCancel");
            EXPECT_FALSE(w.enabled("Dialer_BCancel")) << "a second press is impossible";
        }
    });
    uint8_t state = 9;
    EXPECT_FALSE(m.WiFi_Connection(state));
    ASSERT_NE(pressedAt, 0u);
    EXPECT_EQ(state, DHCP_None);
    EXPECT_EQ(wifi.count("DisconnectFromNetwork"), 1);
    EXPECT_LE(wifi.lastDisconnectAt - pressedAt, 1000u);
    EXPECT_EQ(dialerWindow(), nullptr);
    EXPECT_EQ(traced("Process Stopped by User !!"), 1);
}

TEST_F(WiFiManagerTest, AlreadyConnectedAdapterIsDisconnectedFirst) {
    wifi.currentSsid = "Elsewhere";
    wifi.address = [](uint64_t) { return "192.168.1.10"; };
    TDM_WiFi_Mgr_NG& m = ready();
    uint8_t state = 0;
    EXPECT_TRUE(m.WiFi_Connection(state));
    const auto disconnect = std::find(wifi.calls.begin(), wifi.calls.end(), "DisconnectFromNetwork");
    const auto connect =
        std::find(wifi.calls.begin(), wifi.calls.end(), "ConnectToNetwork(Quorvale_1A2B)");
    EXPECT_LT(disconnect, connect);
}

TEST_F(WiFiManagerTest, HttpTestVariant) {
    setSetting("TDM_WiFi_Mgr_NG", "Param_DHCP_IPHelper", "No");
    struct Case {
        int refusals;        // before the page answers
        FakeHttpAnswer then;  // every further answer
        bool result;
        uint8_t state;
    } cases[] = {{3, FakeHttpAnswer::page("<html/>", 200, 30), true, DHCP_OK},
                 {0, FakeHttpAnswer::page("missing", 404, 30), false, DHCP_Error},
                 {0, FakeHttpAnswer::refused(30), false, DHCP_Error}};
    for (const Case& c : cases) {
        http.requests.clear();
        for (int i = 0; i < c.refusals; ++i) http.queue(FakeHttpAnswer::refused(30));
        http.fallback = c.then;
        TDM_WiFi_Mgr_NG& m = ready();
        acknowledgeFailure();
        uint8_t state = 9;
        EXPECT_EQ(m.WiFi_Connection(state), c.result);
        EXPECT_EQ(state, c.state);
        ASSERT_FALSE(http.requests.empty());
        EXPECT_EQ(http.requests.front().url, "http://www.quorvale.fr/");
        if (c.result) {
            EXPECT_EQ(http.requests.size(), 4u) << "one request per second until it answers";
        }
        EXPECT_EQ(m.HTTPTestResult(), c.result ? DHCP_OK : DHCP_HttpFailed);
    }
}

TEST_F(WiFiManagerTest, IsConnectedAndDhcpStatus) {
    struct Case {
        std::string current;
        std::string expected;
        std::string address;
        bool connected;
        uint8_t status;
    } cases[] = {
        {"", "", "192.168.1.10", false, DHCP_None},
        {"Quorvale_1A2B ", "quorvale_1a2b", "192.168.1.10", true, DHCP_OK},
        {"Other", "Quorvale_1A2B", "192.168.1.10", false, DHCP_OK},
        {"Quorvale_1A2B", "", "0.0.0.0", false, DHCP_None},
        {"Quorvale_1A2B", "", "169.254.3.4", false, DHCP_None},
    };
    TDM_WiFi_Mgr_NG& m = make();
    for (const Case& c : cases) {
        wifi.currentSsid = c.current;
        wifi.address = [&c](uint64_t) { return c.address; };
        EXPECT_EQ(m.IsConnected(0, c.expected), c.connected) << c.current << "/" << c.address;
        EXPECT_EQ(m.GeTDHCPStatusNG(0), c.status) << c.current << "/" << c.address;
    }
    EXPECT_FALSE(m.IsConnected(-1, ""));
    EXPECT_EQ(m.GeTDHCPStatusNG(-1), DHCP_None);
}

TEST_F(WiFiManagerTest, PageManagerSeesTheManager) {
    WifiSideState none;
    none.progressWindowOpen = true;
    describeWifiSide(nullptr, none);
    EXPECT_FALSE(none.wifiManagerExists);

    wifi.adapters = {{"A"}, {"B"}};
    wifi.networks = {"Quorvale_1", "Quorvale_2", "HOME"};
    wifi.direct = 1;
    TDM_WiFi_Mgr_NG& m = make();
    m.Start_WiFiAPI();
    m.Set_CurrWiFiDeviceIndex(0);
    m.RefreshAP(false);
    m.setSelectedAPName("Quorvale_1");
    WifiSideState during;
    whileDialerShown([&](ModelWindow& w) {
        describeWifiSide(&m, during);
        if (w.enabled("Dialer_BOK")) w.click("Dialer_BOK");
    });
    setSetting("TDM_WiFi_Mgr_NG", "DHCPTimer_Sec", "3");
    uint8_t state = 0;
    (void)m.WiFi_Connection(state);
    EXPECT_TRUE(during.progressWindowOpen);
    WifiSideState after;
    describeWifiSide(&m, after);
    EXPECT_TRUE(after.wifiManagerExists);
    EXPECT_EQ(after.adapterCount, 2);
    EXPECT_EQ(after.filteredApCount, 2);
    EXPECT_TRUE(after.trayAgentNeeded);
    EXPECT_FALSE(after.progressWindowOpen);
}

// --- The progress window -------------------------------------------------------------------

class DialerTest : public ::testing::Test {
protected:
    ModelWindowFactory windows;
    Language language{compiledInTables()};
    TFrmDialer dialer{windows, nullptr, &language.table(TFrmDialer::kModuleName)};
    ModelWindow& w = *windows.find("CwDialer");
};

TEST_F(DialerTest, InitialStateAndTexts) {
    EXPECT_TRUE(dialer.ProcessRunning());
    EXPECT_FALSE(dialer.AllowClose());
    EXPECT_EQ(w.decl().width, 383);
    EXPECT_EQ(w.decl().height, 331);
    EXPECT_EQ(w.decl().shapeMask, "DialerShaper");
    EXPECT_TRUE(w.topmost());
    struct Case {
        const char* control;
        const char* text;
        bool visible;
    } cases[] = {
        {"LTitleWindow", "Assistant de connexion WiFi", true},
        {"Dialer_GBInfo", " Détails : ", true},
        {"Dialer_LDeviceName", "Périphérique WiFi utilisé :", true},
        {"Dialer_EDeviceName", "?", true},
        {"Dialer_LAPName", "Identifiant du réseau WiFi :", true},
        {"Dialer_EAPName", "?", true},
        {"Dialer_GBProcessus", " Etapes : ", true},
        {"Dialer_LInitDevice", "Initialisation du périphérique WiFi", true},
        {"Dialer_LConfigWep", "Configuration de la clé WiFi", false},
        {"Dialer_LSSID", "Liaison avec la borne", true},
        {"Dialer_LDHCP", "Obtention de l'adresse IP", true},
        {"Dialer_LDHCP_ProgressBar", "Délai restant :", true},
        {"Dialer_BOK", "OK", true},
        {"Dialer_BCancel", "Arrêter...", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(w.text(c.control), c.text) << c.control;
        EXPECT_EQ(w.visible(c.control), c.visible) << c.control;
    }
    EXPECT_FALSE(w.visible("Dialer_Img_Wep"));
    EXPECT_FALSE(w.enabled("Dialer_BOK"));
    EXPECT_FALSE(w.enabled("Dialer_BCancel"));
    EXPECT_EQ(w.control("Dialer_LSSID")->color, 0xC0C0C0u);
    EXPECT_EQ(w.control("PB_DHCP")->position, 0);
}

TEST_F(DialerTest, CloseIsRefusedUntilAllowed) {
    w.show();
    dialer.Close();
    EXPECT_FALSE(dialer.closed());
    EXPECT_TRUE(w.isShown());
    dialer.setAllowClose(true);
    dialer.Close();
    EXPECT_TRUE(dialer.closed());
    EXPECT_FALSE(w.isShown());
}

TEST_F(DialerTest, StopAndOkButtons) {
    w.show();
    w.setEnabled("Dialer_BCancel", true);
    w.click("Dialer_BCancel");
    EXPECT_FALSE(dialer.ProcessRunning());
    EXPECT_TRUE(dialer.AllowClose());
    EXPECT_FALSE(w.enabled("Dialer_BCancel"));
    EXPECT_FALSE(dialer.closed()) << "the manager closes it";

    TFrmDialer second{windows, nullptr, nullptr};
    ModelWindow& w2 = *windows.windows().back();
    w2.show();
    w2.setEnabled("Dialer_BOK", true);
    w2.click("Dialer_BOK");
    EXPECT_TRUE(second.AllowClose());
    EXPECT_TRUE(second.closed());
    EXPECT_TRUE(second.ProcessRunning());
}

TEST_F(DialerTest, StepMarks) {
    dialer.setStepMark("Dialer_Img_SSID", TFrmDialer::kMarkDone);
    EXPECT_EQ(w.control("Dialer_Img_SSID")->picture.resource, "DialerMarkDone");
    dialer.setStepMark("Dialer_Img_DHCP", TFrmDialer::kMarkFailed);
    EXPECT_EQ(w.control("Dialer_Img_DHCP")->picture.resource, "DialerMarkFailed");
    dialer.setStepMark("Dialer_Img_DHCP", 7);
    EXPECT_EQ(w.control("Dialer_Img_DHCP")->picture.resource, "DialerMarkFailed");
}

} // namespace
} // namespace cw
