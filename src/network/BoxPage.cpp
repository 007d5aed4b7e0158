#include "network/BoxPage.h"

#include <algorithm>
#include <array>
#include <utility>

namespace cw {
namespace {

constexpr std::array<std::pair<BoxState, std::string_view>, 5> kStateNames{{
    {BoxState::Ok, "ok"},
    {BoxState::CableDown, "cable-down"},
    {BoxState::NoInternet, "no-internet"},
    {BoxState::NotFound, "not-found"},
    {BoxState::Slow, "slow"},
}};

// What a healthy box of the test bench reports.
TQVTHD_Data healthyBox() {
    TQVTHD_Data d;
    d.sSysName = "RIR-2431";
    d.sSysLocation = "Salon";
    d.sSysDescr = "Quorvale RIR cable gateway";
    d.sSysObjectID = "1.3.6.1.4.1.99999.1.2";
    d.sHwVer = "2.1";
    d.sSwVer = "RIR-5.4.12";
    d.sSysUptime = "3 days 04:12:55";
    d.sCurrentSysTime = "2011-03-14 09:26:53";
    d.sInternetConnectivityState = true;
    d.sCmConnectivityState = true;
    d.sDSChannel0.Items = {"1", "402000000", "256QAM", "-2.5", "38.6", "Locked", "0", "0"};
    d.sDSChannel1.Items = {"2", "410000000", "256QAM", "-2.1", "38.9", "Locked", "0", "0"};
    d.sDSChannel2.Items = {"3", "418000000", "256QAM", "-1.8", "39.2", "Locked", "0", "0"};
    d.sUSChannel.Items = {"1", "36000000", "16QAM", "45.0", "Ranged", "2560000", "", ""};
    d.iHttpWanPort = "8080";
    d.iHttpLanPort = "80";
    d.sCmCert = "Installed";
    d.sCmMac = "00:1A:2B:3C:4D:50";
    d.sMtaMac = "00:1A:2B:3C:4D:51";
    d.sWanMac = "00:1A:2B:3C:4D:52";
    d.sLanMac = "00:1A:2B:3C:4D:53";
    d.sUsbMac = "00:1A:2B:3C:4D:54";
    d.sCmIp = "10.12.34.56";
    d.sMtaIp = "10.12.34.57";
    d.sWanIp = "82.64.12.34";
    d.sLanIp = "192.168.1.1";
    d.sWifiX1Ip = "192.168.2.1";
    d.sWanDefaultGw = "82.64.12.1";
    d.sWanDns = "82.64.0.1,82.64.0.2";
    d.sNetworkSetting = true;
    d.iAutoDns = true;
    d.sWifiStandard = "802.11bg";
    d.iWifiChannel = "0";
    d.iWifiCurrentChannel = "6";
    d.sWiFiACL = "";
    d.sWifiESSID = "Quorvale-4D53";
    d.sWifiBeaconType = "WPA";
    d.sWifiWPAEncryption = "TKIP";
    d.sWifiWPADefaultKey = "7F3A9C2E51";
    d.iWifiEnabled = true;
    d.sWifiX1ESSID = "Quorvale-Invites";
    d.sWifiX1BeaconType = "None";
    d.sWifiX1DhcpPool = "192.168.2.10-192.168.2.50";
    d.iWifiX1DhcpEnable = true;
    d.iLanDhcpEnable = true;
    d.sLanDhcpPool = "192.168.1.10-192.168.1.100";
    d.sLanDhcpLeaseInfo = "PC-SALON,192.168.1.10,00:11:22:33:44:55";
    d.ledpower = true;
    d.ledinternet = true;
    d.ledwlan = true;
    d.ledlan1 = true;
    return d;
}

// sLedGetStatus as a box writes it from its lights: name, item separator, "on" or "off",
// one light per record.
std::string ledStatus(const TQVTHD_Data& d) {
    std::string text;
    for (const BoxLightField& light : boxLightFields()) {
        if (!text.empty()) text += d.gLineSepChar;
        text.append(light.name).append(d.gItemSepChar).append(d.*light.member ? "on" : "off");
    }
    return text;
}

// The page format has no escape: a value cannot hold an apostrophe or a line break.
std::string pageValue(std::string_view value) {
    std::string text(value);
    std::erase_if(text, [](char c) { return c == '\'' || c == '\n'; });
    return text;
}

std::string channelValue(const TStreamData& channel, std::string_view separator) {
    const auto last = std::find_if(channel.Items.rbegin(), channel.Items.rend(),
                                   [](const std::string& item) { return !item.empty(); });
    const size_t count = static_cast<size_t>(channel.Items.rend() - last);
    std::string text;
    for (size_t i = 0; i < count; ++i) {
        if (i > 0) text += separator;
        text += channel.Items[i];
    }
    return text;
}

void addLine(std::string& page, std::string_view name, std::string_view value) {
    page.append(name).append(" = '").append(pageValue(value)).append("';\n");
}

} // namespace

std::string_view boxStateName(BoxState state) {
    for (const auto& [s, name] : kStateNames)
        if (s == state) return name;
    return {};
}

std::optional<BoxState> boxStateFromName(std::string_view name) {
    for (const auto& [state, n] : kStateNames)
        if (n == name) return state;
    return std::nullopt;
}

TQVTHD_Data boxRecordFor(BoxState state) {
    TQVTHD_Data d = healthyBox();
    if (state == BoxState::CableDown) {
        d.sCmConnectivityState = false;
        d.sInternetConnectivityState = false;
        d.sCmIp = "0.0.0.0";
        d.sWanIp = "0.0.0.0";
        d.sDSChannel0.Items = {"1", "402000000", "256QAM", "0.0", "0.0", "NotLocked", "", ""};
        d.sDSChannel1.Clear();
        d.sDSChannel2.Clear();
        d.sUSChannel.Clear();
        d.ledinternet = false;
    } else if (state == BoxState::NoInternet) {
        d.sInternetConnectivityState = false;
        d.ledinternet = false;
        d.ledinternetamber = true;
    }
    d.sLedGetStatus = ledStatus(d);
    return d;
}

std::string quickStatusPage(const TQVTHD_Data& d) {
    std::string page = "<html>\n<head><title>Quick Status</title></head>\n<body>\n<script>\n";
    addLine(page, "gItemSepChar", d.gItemSepChar);
    addLine(page, "gLineSepChar", d.gLineSepChar);
    for (const BoxTextField& field : boxTextFields())
        addLine(page, field.name, d.*field.member);
    for (const BoxFlagField& field : boxFlagFields())
        addLine(page, field.name, d.*field.member ? field.word : field.offWord);
    for (const BoxChannelField& field : boxChannelFields())
        addLine(page, field.name, channelValue(d.*field.member, d.gItemSepChar));
    page += "</script>\n</body>\n</html>\n";
    return page;
}

} // namespace cw
