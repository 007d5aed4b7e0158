#include "wifi/WiFiManager.h"

#include "app/AppContext.h"
#include "app/RunMode.h"
#include "app/StringUtil.h"
#include "platform/EventLoop.h"
#include "platform/FileSystem.h"
#include "platform/Http.h"
#include "platform/Shell.h"
#include "platform/Ui.h"
#include "platform/WiFiLibrary.h"
#include "wifi/Dialer.h"
#include "wizard/FrameManager.h"

#include <cstdio>

namespace cw {
namespace {

constexpr uint32_t kNameBuffer = 257;
constexpr uint32_t kAddressBuffer = 256;
constexpr std::string_view kNoAddress = "0.0.0.0";
constexpr std::string_view kLinkLocal = "169.254.";
// Longest DHCP wait whose milliseconds still fit the progress bar.
constexpr int32_t kMaxDhcpWaitSec = 2147483;
// The HTTP test asks like a browser would: any type, and the test's own agent name.
const std::vector<std::string> kHttpTestHeaders = {"Accept: */*",
                                                   "User-Agent: [-=WinHTTP OMR=-]",
                                                   "Connection: Keep-Alive"};

std::string hex8(uint32_t value) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", value);
    return text;
}

} // namespace

bool ssidAccepted(std::string_view ssid, const SsidFilter& filter, bool testMode) {
    if (testMode) return !ssid.empty();
    if (filter.prefix.empty() && filter.suffix.empty()) return true;
    // An empty prefix is contained in no name.
    if (filter.prefix.empty() || !str::containsNoCase(ssid, filter.prefix)) return false;
    if (!filter.suffix.empty() && !str::containsNoCase(ssid, filter.suffix)) return false;
    return filter.excludeSuffix.empty() || !str::containsNoCase(ssid, filter.excludeSuffix);
}

std::string xmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&apos;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string buildProfileText(std::string_view profileTemplate, std::string_view ssid,
                             std::string_view key) {
    const std::string name = xmlEscape(ssid);
    std::string text = str::replaceAllNoCase(profileTemplate, "%profilename%", name);
    text = str::replaceAllNoCase(text, "%SSID%", name);
    return str::replaceAllNoCase(text, "%key%", xmlEscape(key));
}

TDM_WiFi_Mgr_NG::TDM_WiFi_Mgr_NG(AppContext& app, WiFiLibrary& library)
    : app_(app), lib_(library), table_(app.language.table(kModuleName)),
      trace_(app.traceLog, std::string(kModuleName)),
      timerAppReady_(app.ports.loop.createTimer()),
      timerGeneralUpdate_(app.ports.loop.createTimer()) {
    auto scope = trace_.scope("Create");
    timerAppReady_->setInterval(kAppReadyMs);
    timerAppReady_->setOnTimer([this] { TimerAppReady(); });
    timerGeneralUpdate_->setInterval(kGeneralUpdateMs);
    timerGeneralUpdate_->setOnTimer([this] { TimerGeneralUpdate(); });

    http_ = app.ports.http.createClient();
    (void)lib_.SetLibraryOption(kOptionNdisDriver, app_.ForcedNDISDriver ? 1 : 0);
    wifiAPIClosed_ = true;
    startAgent("-q");
    agentWiFiNeeded_ = false;
}

TDM_WiFi_Mgr_NG::~TDM_WiFi_Mgr_NG() = default;

TFrmDialer* TDM_WiFi_Mgr_NG::dialer() const {
    return dialer_ && !dialer_->closed() ? dialer_.get() : nullptr;
}

bool TDM_WiFi_Mgr_NG::isDirect() { return lib_.IsDirectWIFI() == 1; }

bool TDM_WiFi_Mgr_NG::isYes(std::string_view key) const {
    return str::isFlagOn(table_.GetText(key), "yes");
}

void TDM_WiFi_Mgr_NG::traceLibraryError(std::string_view operation, uint32_t code) {
    trace_.error(std::string(operation) + " : error #" + hex8(code));
}

// The tray agent lives in the program's folder; it is started only when its file exists and a
// failed start is ignored.
void TDM_WiFi_Mgr_NG::startAgent(std::string_view arguments) {
    const std::string path = app_.appData.PathExe + table_.GetText("Param_AgentWiFi_Exe");
    if (!app_.ports.fs.fileExists(path)) return;
    const std::string commandLine = str::trim(path + " " + std::string(arguments));
    if (!app_.ports.shell.startProgram(commandLine)) trace_.error("Cannot start " + commandLine);
}

void TDM_WiFi_Mgr_NG::Start_WiFiAPI() {
    auto scope = trace_.scope("Start_WiFiAPI");
    const AppData& data = app_.appData;
    wifiAPIClosed_ = false;
    if (data.NdisMode) {
        app_.ForcedNDISDriver = true;
        trace_.message("WiFi : FORCE NDIS Mode Driver !");
    }
    (void)lib_.SetLibraryOption(kOptionNdisDriver, app_.ForcedNDISDriver ? 1 : 0);
    const bool knownSystem = data.IsSeven || data.IsVista || data.IsXPSP2 || data.IsXPSP2Plus;
    if (!knownSystem || app_.ForcedNDISDriver) {
        const uint32_t result = lib_.InstallDriver(0);
        if (isWiFiError(result)) {
            traceLibraryError("InstallDriver", result);
            return;
        }
    }
    timerAppReady_->setEnabled(true);
    app_.ports.loop.pumpedWait(1000);
}

void TDM_WiFi_Mgr_NG::TimerAppReady() {
    auto scope = trace_.scope("Timer_AppReady");
    timerAppReady_->setEnabled(false);
    app_.dialogs.Show_FormWait(table_.GetText("MsgWait_WiFi_Analyze"));

    trace_.message("IsNativeWIFI = " + std::to_string(lib_.IsNativeWIFI()));
    if (lib_.GetLibraryOption(kOptionAdvanced) == 1) trace_.message("Advanced WiFi");
    trace_.message("IsDirectWIFI = " + std::to_string(lib_.IsDirectWIFI()));
    const uint32_t v = lib_.GetWIFIManagerVersion();
    trace_.message("WiFi Manager version " + std::to_string(v / 100) + "." +
                   std::to_string((v % 100) / 10) + "." + std::to_string(v % 10));

    const uint32_t service = lib_.GetWIFIServiceStatus();
    if (isDirect()) {
        if (service == 1) {
            (void)lib_.SetWIFIServiceStatus(0);
            trace_.message("Wireless service stopped, status " +
                           std::to_string(lib_.GetWIFIServiceStatus()));
        }
        const std::string store =
            app_.appData.AppDataDir + "\\" + table_.GetText("Param_Profiles_FileName");
        const uint32_t result = lib_.SetStorageOptions(store, 0);
        if (isWiFiError(result)) traceLibraryError("SetStorageOptions", result);
    } else if (service == 0) {
        (void)lib_.SetWIFIServiceStatus(1);
        trace_.message("Wireless service started, status " +
                       std::to_string(lib_.GetWIFIServiceStatus()));
    }
    agentWiFiNeeded_ = isDirect();

    RefreshDeviceList();
    app_.ports.loop.pumpedWait(500);
    RefreshAP(true);
    timerGeneralUpdate_->setEnabled(true);
    app_.ports.loop.pumpedWait(1000);
    app_.dialogs.Close_FormWait();
}

// The hidden tray icon's animation (every 11th tick) is not kept: nothing of it is visible.
void TDM_WiFi_Mgr_NG::TimerGeneralUpdate() {
    int32_t& iteration = app_.appData.UpdateIteration;
    ++iteration;
    if (iteration % 23 == 0)
        RefreshDeviceList();
    else if (iteration % 27 == 0)
        RefreshAP(isDirect());
    if (iteration > 60) iteration = 1;
}

void TDM_WiFi_Mgr_NG::RefreshDeviceList() {
    auto scope = trace_.scope("RefreshDeviceList");
    wifiDeviceList_.clear();
    modeUSBDongle_ = false;
    const uint32_t count = lib_.EnumerateAdapters();
    if (isWiFiError(count)) {
        traceLibraryError("EnumerateAdapters", count);
        return;
    }
    for (uint32_t i = 0; i < count; ++i) {
        std::string name;
        const uint32_t result = lib_.GetAdapterName(i, name, kNameBuffer);
        if (isWiFiError(result)) {
            traceLibraryError("GetAdapterName #" + std::to_string(i), result);
            continue;
        }
        wifiDeviceList_.push_back(name);
    }
    if (wifiDeviceList_.empty()) return;
    if (wifiDeviceList_.size() == 1) {
        Set_CurrWiFiDeviceIndex(0);
        return;
    }
    if (!isBuildSwitchOn(app_.ports.os, BuildSwitch::DongleModeSwitch)) return;
    const std::string wanted = table_.GetText(app_.appData.IsVista ? "Param_Default_Device_Vista"
                                                                   : "Param_Default_Device");
    if (!wanted.empty()) {
        for (size_t i = 0; i < wifiDeviceList_.size(); ++i) {
            if (str::containsNoCase(wifiDeviceList_[i], wanted)) {
                Set_CurrWiFiDeviceIndex(static_cast<int32_t>(i));
                modeUSBDongle_ = true;
                return;
            }
        }
    }
    Set_CurrWiFiDeviceIndex(0);
}

void TDM_WiFi_Mgr_NG::Set_CurrWiFiDeviceIndex(int32_t index) {
    auto scope = trace_.scope("Set_CurrWiFiDeviceIndex");
    // Any negative index is refused, not only -1: the library takes unsigned adapter numbers.
    if (index < 0 || index >= Get_NbWiFiDevice()) {
        trace_.error("Invalid adapter index " + std::to_string(index));
        return;
    }
    currWiFiDeviceIndex_ = index;
    const auto adapter = static_cast<uint32_t>(index);
    std::string address, mask, gateway;
    uint32_t dhcp = 0;
    if (!isWiFiError(lib_.GetAdapterIPInfo(adapter, address, mask, gateway, dhcp, kAddressBuffer)) &&
        dhcp != 1) {
        trace_.message("Setting DHCP on WiFI Device...");
        (void)lib_.SetAdapterIPInfo(adapter, address, mask, gateway, 1);
    }
    std::string guid;
    currGUID_ = isWiFiError(lib_.GetAdapterGUID(adapter, guid, kNameBuffer)) ? std::string() : guid;
    currDeviceName_ = wifiDeviceList_[adapter];
}

int32_t TDM_WiFi_Mgr_NG::Get_NbWiFiDevice() const {
    return static_cast<int32_t>(wifiDeviceList_.size());
}

SsidFilter TDM_WiFi_Mgr_NG::ssidFilter() const {
    const std::string mode = app_.appData.WepMode ? "WEP" : "WPA";
    return {table_.GetText("Param_WiFi_DefaultSSID_Prefix_" + mode),
            table_.GetText("Param_WiFi_DefaultSSID_Suffix_" + mode),
            table_.GetText("Param_WiFi_DefaultSSID_ExcludeSuffix_" + mode)};
}

void TDM_WiFi_Mgr_NG::RefreshAP(bool activeScan) {
    auto scope = trace_.scope("RefreshAP");
    apListFiltered_.clear();
    apListAll_.clear();
    if (currWiFiDeviceIndex_ < 0) return;
    const auto adapter = static_cast<uint32_t>(currWiFiDeviceIndex_);
    if (activeScan && isDirect()) (void)lib_.SetLibraryOption(kOptionScanTimeMs, 3000);
    const uint32_t count = lib_.EnumerateAvailableNetworks(adapter, activeScan ? 1 : 0);
    if (isWiFiError(count)) {
        traceLibraryError("EnumerateAvailableNetworks", count);
        return;
    }
    const SsidFilter filter = ssidFilter();
    for (uint32_t i = 0; i < count; ++i) {
        std::string ssid;
        const uint32_t result = lib_.GetAvailableNetworkName(adapter, i, ssid, kNameBuffer);
        if (isWiFiError(result)) {
            traceLibraryError("GetAvailableNetworkName #" + std::to_string(i), result);
            continue;
        }
        if (ssid.empty()) continue;
        apListAll_.push_back(ssid);
        if (ssidAccepted(ssid, filter, app_.appData.TestMode)) apListFiltered_.push_back(ssid);
    }
    trace_.message(std::to_string(apListFiltered_.size()) + " of " +
                   std::to_string(apListAll_.size()) + " networks match");
}

int TDM_WiFi_Mgr_NG::WiFi_Initialize() {
    auto scope = trace_.scope("WiFi_Initialize");
    app_.dialogs.Show_FormWait(table_.GetText("MsgWait_WiFi_Analyze"));
    RefreshAP(true);
    app_.ports.loop.pumpedWait(1000);
    app_.dialogs.Close_FormWait();
    selectedAPName_.clear();
    if (wifiDeviceList_.empty()) return kInitNoAdapter;
    if (apListFiltered_.empty()) return kInitNoAccessPoint;
    if (apListFiltered_.size() > 1) return kInitSeveralAccessPoints;
    selectedAPName_ = apListFiltered_.front();
    return kInitOneAccessPoint;
}

bool TDM_WiFi_Mgr_NG::IsConnected(int32_t adapter, std::string_view expectedSsid) {
    if (adapter < 0) {
        trace_.error("ERROR : Index Adapter non valide!");
        return false;
    }
    const auto index = static_cast<uint32_t>(adapter);
    std::string current;
    if (isWiFiError(lib_.GetCurrentNetworkName(index, current, kNameBuffer))) return false;
    if (!expectedSsid.empty() && !str::equalsNoCase(str::trim(current), expectedSsid)) {
        trace_.message("Connected on Wrong SSID...");
        return false;
    }
    if (current.empty()) return false;
    std::string address, mask, gateway;
    // A failed read counts as no address yet.
    if (isWiFiError(lib_.GetAdapterCurrentIPInfo(index, address, mask, gateway, kAddressBuffer)))
        return false;
    return address != kNoAddress && !str::containsNoCase(address, kLinkLocal);
}

uint8_t TDM_WiFi_Mgr_NG::GeTDHCPStatusNG(int32_t adapter) {
    if (!IsConnected(adapter, "")) return DHCP_None;
    std::string address, mask, gateway;
    if (isWiFiError(lib_.GetAdapterCurrentIPInfo(static_cast<uint32_t>(adapter), address, mask,
                                                 gateway, kAddressBuffer)))
        address = mask = gateway = kNoAddress;
    if (address == kNoAddress) return DHCP_None;
    if (str::containsNoCase(address, kLinkLocal)) return DHCP_Error;
    return DHCP_OK;
}

void TDM_WiFi_Mgr_NG::ConnectProfile(std::string_view name) {
    const uint32_t result =
        lib_.ConnectToNetwork(static_cast<uint32_t>(currWiFiDeviceIndex_), name);
    if (isWiFiError(result)) traceLibraryError("ConnectProfile", result);
}

void TDM_WiFi_Mgr_NG::Disconnect_WiFI(int32_t adapter) {
    if (adapter < 0) {
        trace_.error("Disconnect_WiFI : ERROR : Index Adapter non valide!");
        return;
    }
    const uint32_t result = lib_.DisconnectFromNetwork(static_cast<uint32_t>(adapter));
    if (isWiFiError(result)) traceLibraryError("DisconnectFromNetwork", result);
}

void TDM_WiFi_Mgr_NG::Stop_WiFiAPI() {
    auto scope = trace_.scope("Stop_WiFiAPI");
    if (wifiAPIClosed_) {
        trace_.message("WiFi API Already Closed");
        return;
    }
    (void)lib_.FreeAllResources();
    timerAppReady_->setEnabled(false);
    timerGeneralUpdate_->setEnabled(false);
    wifiAPIClosed_ = true;
    app_.ports.loop.pumpedWait(1000);
    if (agentWiFiNeeded_) startAgent("");
}

void TDM_WiFi_Mgr_NG::removeProfileNamed(uint32_t adapter, std::string_view name) {
    const uint32_t count = lib_.EnumerateProfiles(adapter);
    if (isWiFiError(count)) {
        traceLibraryError("EnumerateProfiles", count);
        return;
    }
    for (uint32_t j = 0; j < count; ++j) {
        std::string profile;
        (void)lib_.GetProfileName(adapter, j, profile, kAddressBuffer);
        if (!str::equalsNoCase(profile, name)) continue;
        const uint32_t result = lib_.DeleteProfile(adapter, j);
        if (isWiFiError(result)) traceLibraryError("DeleteProfile", result);
        return;
    }
}

// Builds the temporary profile and stores it for the adapter; the store's result.
uint32_t TDM_WiFi_Mgr_NG::applyProfile(uint32_t adapter) {
    const std::string text = buildProfileText(table_.GetText("Param_WiFI_XML_WPAPSK"),
                                              selectedAPName_, app_.profile.key);
    trace_.message("Profile for " + selectedAPName_ + ", key " + maskSecret(app_.profile.key));
    const uint32_t handle = lib_.LoadTmpProfileFromString(text);
    if (isWiFiError(handle))
        trace_.error("ERROR CRITIQUE : Cannot assigned Profile Hanlde, error #" + hex8(handle));
    (void)lib_.SetTmpProfileOption(handle, ".ConnectionMode", "auto");
    const uint32_t result = lib_.SetTmpProfileToAdapter(handle, adapter);
    (void)lib_.FreeTmpProfile(handle);
    return result;
}

void TDM_WiFi_Mgr_NG::showProgressWindow() {
    if (!dialer()) {
        dialer_ = std::make_unique<TFrmDialer>(app_.ports.windows, nullptr,
                                               &app_.language.table(TFrmDialer::kModuleName));
    }
    Window& w = dialer_->window();
    const auto index = static_cast<size_t>(currWiFiDeviceIndex_);
    w.setText("Dialer_EDeviceName", index < wifiDeviceList_.size() ? wifiDeviceList_[index] : "");
    w.setText("Dialer_EAPName", selectedAPName_);
    w.show();
}

void TDM_WiFi_Mgr_NG::markFirstSteps() {
    EventLoop& loop = app_.ports.loop;
    Window& w = dialer_->window();
    w.setFontColor("Dialer_LInitDevice", kBlack);
    dialer_->setStepMark("Dialer_IMg_InitDevice", TFrmDialer::kMarkDone);
    w.setFontColor("Dialer_LConfigWep", kBlack);
    dialer_->setStepMark("Dialer_Img_Wep", TFrmDialer::kMarkDone);
    loop.pumpedWait(1000);
    w.setFontColor("Dialer_LSSID", kBlack);
    dialer_->setStepMark("Dialer_Img_SSID", TFrmDialer::kMarkDone);
    loop.pumpedWait(100);
    w.setFontColor("Dialer_LDHCP", kBlack);
    w.setFontColor("Dialer_LDHCP_ProgressBar", kBlack);
    w.repaint();
}

uint32_t TDM_WiFi_Mgr_NG::dhcpWaitMs() {
    // Zero, negative and too large values cannot time a wait: they fall back like text does.
    const auto seconds = str::toInt(table_.GetText("DHCPTimer_Sec"));
    if (seconds && *seconds > 0 && *seconds <= kMaxDhcpWaitSec)
        return static_cast<uint32_t>(*seconds) * 1000;
    trace_.error("Exception : ConvertError on \"iDHCPTimer\". Default Value = 30000");
    return kDefaultDhcpWaitMs;
}

// The test's result is kept until the next answer: a request that cannot start leaves it.
void TDM_WiFi_Mgr_NG::runHttpTest(std::string_view url) {
    HttpEvents events;
    events.onDone = [this](int transportError, int httpStatus) {
        httpTestDone(transportError, httpStatus);
    };
    if (!http_ || !http_->getAsync({std::string(url), kHttpTestHeaders}, std::move(events))) {
        trace_.error("HTTP test cannot start");
        return;
    }
    EventLoop& loop = app_.ports.loop;
    while (http_->busy() && !loop.terminated()) loop.pumpedWait(100);
}

// An answer with an error status counts as a failure, like no answer at all.
void TDM_WiFi_Mgr_NG::httpTestDone(int transportError, int httpStatus) {
    if (transportError != kHttpNoError) {
        trace_.error("HTTP test: no answer, error " + std::to_string(transportError));
        httpTestResult_ = DHCP_HttpFailed;
    } else if (httpStatus >= 400 || httpStatus < 100) {
        trace_.error("HTTP test: HTTP error " + std::to_string(httpStatus));
        httpTestResult_ = DHCP_HttpFailed;
    } else {
        httpTestResult_ = DHCP_OK;
    }
}

bool TDM_WiFi_Mgr_NG::WiFi_Connection(uint8_t& dhcpState) {
    auto scope = trace_.scope("WiFi_Connection");
    if (currWiFiDeviceIndex_ < 0) {
        trace_.error("No WiFi adapter selected");
        return false;
    }
    const auto adapter = static_cast<uint32_t>(currWiFiDeviceIndex_);
    EventLoop& loop = app_.ports.loop;
    if (buttonsProtection) buttonsProtection(true);

    removeProfileNamed(adapter, selectedAPName_);
    timerGeneralUpdate_->setEnabled(false);
    const uint32_t applied = applyProfile(adapter);
    timerGeneralUpdate_->setEnabled(true);
    if (isWiFiError(applied)) {
        traceLibraryError("SetTmpProfileToAdapter", applied);
        dhcpState = DHCP_Error;
        if (buttonsProtection) buttonsProtection(false);
        return false;
    }

    showProgressWindow();
    markFirstSteps();

    dhcpState = DHCP_None;
    const uint32_t waitMs = dhcpWaitMs();
    const bool countUp = isYes("Param_Dialer_IncMode");
    Window& w = dialer_->window();
    w.setProgress("PB_DHCP", countUp ? 0 : static_cast<int>(waitMs), static_cast<int>(waitMs));
    w.setEnabled("Dialer_BCancel", true);

    if (IsConnected(currWiFiDeviceIndex_, "")) {
        Disconnect_WiFI(currWiFiDeviceIndex_);
        loop.pumpedWait(1000);
    }
    ConnectProfile(selectedAPName_);
    const uint32_t profiles = lib_.EnumerateProfiles(adapter);
    if (isWiFiError(profiles)) {
        traceLibraryError("EnumerateProfiles", profiles);
        dhcpState = DHCP_Error;
    }
    const uint32_t connected = lib_.ConnectToNetwork(adapter, selectedAPName_);
    if (isWiFiError(connected)) {
        traceLibraryError("ConnectToNetwork", connected);
        dhcpState = DHCP_Error;
    } else {
        const uint64_t t0 = loop.tickCount();
        const uint64_t deadline = t0 + waitMs;
        const std::string url = table_.GetText("Param_URL_HTTP_Test");
        const bool ipHelper = isYes("Param_DHCP_IPHelper");
        while (dhcpState != DHCP_OK && dhcpState != DHCP_Error && dialer_->ProcessRunning() &&
               loop.tickCount() < deadline && !loop.terminated()) {
            loop.pumpedWait(1000);
            if (ipHelper) {
                dhcpState = GeTDHCPStatusNG(currWiFiDeviceIndex_);
                // A link-local address is tolerated during the first seconds.
                if (dhcpState == DHCP_Error && loop.tickCount() < t0 + kLinkLocalGraceMs)
                    dhcpState = DHCP_None;
            } else {
                runHttpTest(url);
                dhcpState = httpTestResult_;
            }
            const uint64_t elapsed = loop.tickCount() - t0;
            const uint64_t shown = countUp ? elapsed : (elapsed < waitMs ? waitMs - elapsed : 0);
            w.setProgress("PB_DHCP", static_cast<int>(shown < waitMs ? shown : waitMs),
                          static_cast<int>(waitMs));
        }
        if (dhcpState == DHCP_HttpFailed) dhcpState = DHCP_Error;
    }

    const bool result = connectionOutcome(adapter, dhcpState);
    if (buttonsProtection) buttonsProtection(false);
    waitForProgressWindowToClose();
    return result;
}

bool TDM_WiFi_Mgr_NG::connectionOutcome(uint32_t adapter, uint8_t state) {
    const auto index = static_cast<int32_t>(adapter);
    if (!dialer_->ProcessRunning()) {
        trace_.message("Process Stopped by User !!");
        dialer_->setAllowClose(true);
        dialer_->Close();
        Disconnect_WiFI(index);
        return false;
    }
    if (state == DHCP_OK) {
        if (isYes("Param_DHCP_IPHelper")) app_.ports.loop.pumpedWait(1000);
        dialer_->setStepMark("Dialer_Img_DHCP", TFrmDialer::kMarkDone);
        dialer_->setAllowClose(true);
        dialer_->Close();
        return true;
    }
    trace_.error("DHCP failed, state " + std::to_string(state));
    dialer_->setStepMark("Dialer_Img_DHCP", TFrmDialer::kMarkFailed);
    Disconnect_WiFI(index);
    Window& w = dialer_->window();
    w.setEnabled("Dialer_BOK", true);
    w.setEnabled("Dialer_BCancel", false);
    return false;
}

// The attempt ends only once the window is gone: after a failure the user acknowledges it
// with "OK". An ending program does not wait.
void TDM_WiFi_Mgr_NG::waitForProgressWindowToClose() {
    EventLoop& loop = app_.ports.loop;
    while (dialer() && !loop.terminated()) loop.pumpedWait(100);
    dialer_.reset();
}

void describeWifiSide(const TDM_WiFi_Mgr_NG* manager, WifiSideState& state) {
    state.wifiManagerExists = manager != nullptr;
    if (!manager) return;
    state.filteredApCount = static_cast<int>(manager->APListFiltered().size());
    state.adapterCount = manager->Get_NbWiFiDevice();
    state.trayAgentNeeded = manager->AgentWiFiNeeded();
    state.progressWindowOpen = manager->progressWindowOpen();
}

} // namespace cw
