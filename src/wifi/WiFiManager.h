// TDM_WiFi_Mgr_NG: the Wi-Fi manager over the closed library "WiFiMan.dll". It starts the
// library, lists and selects the Wi-Fi adapter, scans and filters the networks by the box's
// naming rule, applies a temporary WPA-PSK profile, connects and waits for a DHCP address
// while the connection progress window counts down, and at the end releases the library.
#pragma once

#include "app/Trace.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace cw {

class AppContext;
class HttpClient;
class StringTable;
class TFrmDialer;
class Timer;
class WiFiLibrary;
class Window;
struct WifiSideState;

// The program-wide profile record: the key page writes the key, the connection reads it.
struct TProfile {
    std::string key;
};

// The DHCP state of a connection attempt.
inline constexpr uint8_t DHCP_None = 0;
inline constexpr uint8_t DHCP_OK = 1;
inline constexpr uint8_t DHCP_Error = 2;
inline constexpr uint8_t DHCP_HttpFailed = 3;  // turned into DHCP_Error before returning

// The results of WiFi_Initialize.
inline constexpr int kInitNoAdapter = 3;
inline constexpr int kInitOneAccessPoint = 4;
inline constexpr int kInitNoAccessPoint = 5;
inline constexpr int kInitSeveralAccessPoints = 6;

// The box's naming rule for network names: all tests ignore case and look for a substring
// anywhere in the name.
struct SsidFilter {
    std::string prefix;
    std::string suffix;
    std::string excludeSuffix;
};
[[nodiscard]] bool ssidAccepted(std::string_view ssid, const SsidFilter& filter, bool testMode);

// The profile text: the template with its placeholders (any case) filled in, the network name
// and the key escaped for XML so that any key gives a well-formed profile.
[[nodiscard]] std::string buildProfileText(std::string_view profileTemplate, std::string_view ssid,
                                           std::string_view key);
[[nodiscard]] std::string xmlEscape(std::string_view text);

class TDM_WiFi_Mgr_NG {
public:
    static constexpr std::string_view kModuleName = "TDM_WiFi_Mgr_NG";
    static constexpr uint32_t kAppReadyMs = 10;
    static constexpr uint32_t kGeneralUpdateMs = 1000;
    static constexpr uint32_t kDefaultDhcpWaitMs = 30000;
    // A link-local address is tolerated this long after connecting.
    static constexpr uint64_t kLinkLocalGraceMs = 10000;

    TDM_WiFi_Mgr_NG(AppContext& app, WiFiLibrary& library);
    ~TDM_WiFi_Mgr_NG();
    TDM_WiFi_Mgr_NG(const TDM_WiFi_Mgr_NG&) = delete;
    TDM_WiFi_Mgr_NG& operator=(const TDM_WiFi_Mgr_NG&) = delete;

    // The page manager's Buttons_Protection, given by the creator.
    std::function<void(bool on)> buttonsProtection;

    void Start_WiFiAPI();
    void Stop_WiFiAPI();
    void RefreshDeviceList();
    void Set_CurrWiFiDeviceIndex(int32_t index);
    [[nodiscard]] int32_t Get_NbWiFiDevice() const;
    void RefreshAP(bool activeScan);
    [[nodiscard]] int WiFi_Initialize();
    [[nodiscard]] bool WiFi_Connection(uint8_t& dhcpState);
    void ConnectProfile(std::string_view name);
    [[nodiscard]] bool IsConnected(int32_t adapter, std::string_view expectedSsid);
    [[nodiscard]] uint8_t GeTDHCPStatusNG(int32_t adapter);
    void Disconnect_WiFI(int32_t adapter);

    [[nodiscard]] int32_t NbWiFiDevice() const { return Get_NbWiFiDevice(); }
    [[nodiscard]] int32_t CurrWiFiDeviceIndex() const { return currWiFiDeviceIndex_; }
    [[nodiscard]] const std::string& CurrGUID() const { return currGUID_; }
    [[nodiscard]] const std::string& CurrDeviceName() const { return currDeviceName_; }
    [[nodiscard]] bool ModeUSBDongle() const { return modeUSBDongle_; }
    [[nodiscard]] const std::vector<std::string>& WiFiDeviceList() const { return wifiDeviceList_; }
    [[nodiscard]] const std::vector<std::string>& APListAll() const { return apListAll_; }
    [[nodiscard]] const std::vector<std::string>& APListFiltered() const { return apListFiltered_; }
    [[nodiscard]] const std::string& SelectedAPName() const { return selectedAPName_; }
    void setSelectedAPName(std::string name) { selectedAPName_ = std::move(name); }
    [[nodiscard]] uint8_t HTTPTestResult() const { return httpTestResult_; }
    [[nodiscard]] bool WiFiAPIClosed() const { return wifiAPIClosed_; }
    [[nodiscard]] bool AgentWiFiNeeded() const { return agentWiFiNeeded_; }

    // The connection progress window while one is open (null otherwise).
    [[nodiscard]] TFrmDialer* dialer() const;
    [[nodiscard]] bool progressWindowOpen() const { return dialer() != nullptr; }
    [[nodiscard]] Timer& timerAppReady() { return *timerAppReady_; }
    [[nodiscard]] Timer& timerGeneralUpdate() { return *timerGeneralUpdate_; }
    [[nodiscard]] const StringTable& strings() const { return table_; }

private:
    void TimerAppReady();
    void TimerGeneralUpdate();
    void startAgent(std::string_view arguments);
    [[nodiscard]] SsidFilter ssidFilter() const;
    [[nodiscard]] uint32_t dhcpWaitMs();
    [[nodiscard]] bool isDirect();
    [[nodiscard]] bool isYes(std::string_view key) const;
    void removeProfileNamed(uint32_t adapter, std::string_view name);
    [[nodiscard]] uint32_t applyProfile(uint32_t adapter);
    void showProgressWindow();
    void markFirstSteps();
    void runHttpTest(std::string_view url);
    void httpTestDone(int transportError, int httpStatus);
    [[nodiscard]] bool connectionOutcome(uint32_t adapter, uint8_t state);
    void waitForProgressWindowToClose();
    void traceLibraryError(std::string_view operation, uint32_t code);

    AppContext& app_;
    WiFiLibrary& lib_;
    const StringTable& table_;
    Trace trace_;
    std::unique_ptr<HttpClient> http_;
    std::unique_ptr<Timer> timerAppReady_;
    std::unique_ptr<Timer> timerGeneralUpdate_;
    std::unique_ptr<TFrmDialer> dialer_;

    int32_t currWiFiDeviceIndex_ = -1;
    std::string currGUID_;
    std::string currDeviceName_;
    bool modeUSBDongle_ = false;
    std::vector<std::string> wifiDeviceList_;
    std::vector<std::string> apListAll_;
    std::vector<std::string> apListFiltered_;
    std::string selectedAPName_;
    uint8_t httpTestResult_ = 0;
    bool wifiAPIClosed_ = true;
    bool agentWiFiNeeded_ = false;
};

// What the page manager reads of the Wi-Fi manager (null when none exists).
void describeWifiSide(const TDM_WiFi_Mgr_NG* manager, WifiSideState& state);

} // namespace cw
