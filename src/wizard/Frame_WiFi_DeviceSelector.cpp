#include "wizard/Frame_WiFi_DeviceSelector.h"

#include "app/StringUtil.h"
#include "platform/DeviceInventory.h"
#include "platform/EventLoop.h"
#include "wifi/WiFiManager.h"
#include "wizard/FrameManager.h"

namespace cw {
namespace {

const FontSpec kHeadingFont{"Tahoma", 13, true, kBlack};

WindowDecl deviceSelectorDecl() {
    return pageDecl(
        "Page_WiFi_Device_Selector",
        {
            Control("HTML_sTitle", ControlKind::HtmlLabel, {8, 8, 457, 20}, "", kHeadingFont),
            Control("HTML_TextHaut", ControlKind::HtmlLabel, {8, 36, 457, 48}, "", kPageTextFont),
            Control("HTML_TextList", ControlKind::HtmlLabel, {8, 100, 457, 18}, "", kPageTextFont),
            Control("CBX_NetDevice", ControlKind::ListBox, {8, 122, 457, 120}, "", kPageTextFont),
        });
}

// The setup class of network devices.
constexpr std::string_view kNetClass = "Net";
// A device whose name holds this is the WPS stack's own virtual adapter.
constexpr std::string_view kJumpStartMark = "JUMPSTART";

bool parseNumber(std::string_view text, int& value) {
    if (text.empty() || text.size() > 4) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

bool isLeapYear(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int daysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

} // namespace

std::optional<CalendarDate> parseShortDate(std::string_view text, const ShortDateFormat& format) {
    const std::string trimmed = str::trim(text);
    std::string_view rest = trimmed;
    int parts[3] = {};
    for (int i = 0; i < 3; ++i) {
        const size_t end = i < 2 ? rest.find(format.separator) : rest.size();
        if (end == std::string_view::npos || !parseNumber(rest.substr(0, end), parts[i]))
            return std::nullopt;
        rest.remove_prefix(i < 2 ? end + 1 : end);
    }
    const CalendarDate date{parts[2], parts[0], parts[1]};
    // Four-digit years only: a driver date always carries its century.
    if (date.year < 1000 || date.month < 1 || date.month > 12) return std::nullopt;
    if (date.day < 1 || date.day > daysInMonth(date.year, date.month)) return std::nullopt;
    return date;
}

std::vector<std::string> acceptedDriverNames(const std::vector<InstalledDevice>& devices,
                                             const CalendarDate& reference,
                                             const ShortDateFormat& format) {
    std::vector<std::string> accepted;
    for (const InstalledDevice& device : devices) {
        if (!str::equalsNoCase(device.setupClass, kNetClass)) continue;
        // The WPS stack's own adapter never counts, dated or not.
        if (str::containsNoCase(device.description, kJumpStartMark)) continue;
        const std::optional<CalendarDate> date =
            device.driverDate ? parseShortDate(*device.driverDate, format) : std::nullopt;
        if (date && reference > *date) continue;
        accepted.push_back(device.description);
    }
    return accepted;
}

TFm_WiFi_DeviceSelector::TFm_WiFi_DeviceSelector(AppContext& app)
    : TitledPage(app, "Fm_WiFi_DeviceSelector", "TFm_WiFi_DeviceSelector", deviceSelectorDecl()) {}

void TFm_WiFi_DeviceSelector::wireList() {
    if (wired_) return;
    wired_ = true;
    view().on(kList, ControlEvent::Select, [this] { CBX_NetDeviceClick(); });
}

void TFm_WiFi_DeviceSelector::go(std::string_view page, std::string_view flags) {
    if (manager()) manager()->GOFrame(page, parseGoFlags(flags));
}

bool TFm_WiFi_DeviceSelector::CanExit() {
    traceOnly("CanExit");
    return view().items(kList).empty() || view().selection(kList) != -1;
}

void TFm_WiFi_DeviceSelector::ReleaseFrame() {
    TitledPage::ReleaseFrame();
    acceptedDrivers_.clear();
}

bool TFm_WiFi_DeviceSelector::wpsChecksApply() const {
    const AppData& d = app_.appData;
    return (d.IsXPSP2 || d.IsXPSP3 || d.IsVista) && d.JumpStartMode;
}

bool TFm_WiFi_DeviceSelector::CanEnter() {
    auto scope = trace().scope("CanEnter");
    wireList();
    if (wpsChecksApply()) {
        if (!checkWirelessService()) return false;
        checkDriverDates();
    }
    app_.dialogs.Show_FormWait(table().GetText("Msg_Wait_EnumDevice"));
    return app_.appData.JumpStartMode ? enterWps() : enterKeyEntry();
}

bool TFm_WiFi_DeviceSelector::checkWirelessService() {
    if (wpsWirelessServiceStarted()) return true;
    go("Page_WiFi_Svc_Error", "--C Q");
    return false;
}

void TFm_WiFi_DeviceSelector::checkDriverDates() {
    auto scope = trace().scope("checkDriverDates");
    app_.dialogs.Show_FormWait(table().GetText("Msg_Wait_AnalyzeDriver"));
    acceptedDrivers_.clear();
    const ShortDateFormat format;
    const std::string referenceText =
        table().GetText(app_.appData.IsVista ? "Param_Vista_DriverDate" : "Param_XP_DriverDate");
    const std::optional<CalendarDate> reference = parseShortDate(referenceText, format);
    std::vector<InstalledDevice> devices;
    if (!reference) {
        // With no usable reference no driver can be judged too old.
        trace().error("checkDriverDates: unreadable reference date \"" + referenceText + "\"");
    }
    if (!app_.deviceInventory || !app_.deviceInventory->devicesOfClass(kNetClass, devices))
        trace().error("checkDriverDates: the installed devices cannot be listed");
    acceptedDrivers_ = acceptedDriverNames(devices, reference.value_or(CalendarDate{}), format);
    for (const std::string& name : acceptedDrivers_)
        trace().message("Driver accepted: " + name);
    app_.dialogs.Close_FormWait();
    if (acceptedDrivers_.empty()) {
        trace().message("No recent Wi-Fi driver: the WPS path is left for the key-entry path");
        app_.appData.JumpStartMode = false;
    }
}

bool TFm_WiFi_DeviceSelector::wpsWirelessServiceStarted() {
    trace().message("WPS engine not available: the wireless service is not checked");
    return true;
}

bool TFm_WiFi_DeviceSelector::enterWps() {
    trace().error("WPS engine not available: the WPS path cannot start");
    app_.appData.JumpStartMode = false;
    app_.dialogs.Close_FormWait();
    go("Page_WiFi_Warning_Secu", "-NC Q");
    return false;
}

bool TFm_WiFi_DeviceSelector::wpsAdapterSelect(const std::string&) {
    return false;
}

void TFm_WiFi_DeviceSelector::wpsRefreshAdapterConfig() {}

bool TFm_WiFi_DeviceSelector::restartWiFiManager() {
    if (app_.wifiManager) {
        app_.wifiManager->Stop_WiFiAPI();
        app_.wifiManager.reset();
    }
    if (!app_.wifiLibrary) {
        trace().error("No Wi-Fi library: no Wi-Fi manager");
        return false;
    }
    app_.wifiManager = std::make_unique<TDM_WiFi_Mgr_NG>(app_, *app_.wifiLibrary);
    if (TFm_Frame_Manager* pages = manager())
        app_.wifiManager->buttonsProtection = [pages](bool on) { pages->Buttons_Protection(on); };
    return true;
}

bool TFm_WiFi_DeviceSelector::enterKeyEntry() {
    if (!restartWiFiManager()) {
        go("Page_WiFi2Eth_Error", "-NC");
        app_.dialogs.Close_FormWait();
        return false;
    }
    wpsRefreshAdapterConfig();
    TDM_WiFi_Mgr_NG& wifi = *app_.wifiManager;
    wifi.Start_WiFiAPI();
    app_.ports.loop.pumpedWait(kStartWaitMs);
    const int32_t adapters = wifi.NbWiFiDevice();
    trace().message("Wi-Fi adapters: " + std::to_string(adapters));
    if (adapters < 1) {
        go("Page_WiFi2Eth_Error", "-NC");
        app_.dialogs.Close_FormWait();
        return false;
    }
    if (adapters == 1) {
        go("Page_WiFi_APSelector", "P-C");
        app_.dialogs.Close_FormWait();
        return false;
    }
    if (wifi.ModeUSBDongle()) {
        // The wait form stays: the access point page shows its own text in it.
        go("Page_WiFi_APSelector", "P-C");
        return false;
    }
    view().setItems(kList, wifi.WiFiDeviceList());
    view().setSelection(kList, -1);
    app_.dialogs.Close_FormWait();
    return true;
}

void TFm_WiFi_DeviceSelector::CBX_NetDeviceClick() {
    const int index = view().selection(kList);
    if (index < 0) return;
    bool nextShown = false;
    if (app_.appData.JumpStartMode) {
        const auto entries = view().items(kList);
        nextShown = wpsAdapterSelect(entries[static_cast<size_t>(index)]);
    } else if (TDM_WiFi_Mgr_NG* wifi = app_.wifiManager.get()) {
        wifi->Set_CurrWiFiDeviceIndex(index);
        nextShown = wifi->CurrWiFiDeviceIndex() != -1;
    }
    if (manager()) manager()->buttons().setVisible("BNext", nextShown);
}

} // namespace cw
