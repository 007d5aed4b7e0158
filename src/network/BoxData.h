// TDM_QVTHD_Tools: reads the box's quick-status page (lines of the form name = 'value')
// into one record of box data, TQVTHD_Data, including the state of the box's ten lights.
// The box checks read two of its flags: the cable modem is operational, and Internet access
// is allowed. The rest of the record describes the box and is filled for completeness.
#pragma once

#include "app/Trace.h"

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace cw {

// One line channel: eight text items, numbered 1 to 8.
struct TStreamData {
    std::array<std::string, 8> Items;

    // Item `n` (1 to 8); any other number reads as empty.
    [[nodiscard]] const std::string& Item(int n) const;
    void Clear() { Items = {}; }
    bool operator==(const TStreamData&) const = default;
};

// The box data. Each field is named after the page entry it comes from; a missing entry
// leaves the default shown here. Flag fields are true when the entry equals their word
// (ignoring case), given in the comments and in boxFlagFields().
struct TQVTHD_Data {
    std::string gItemSepChar = ","; // separates the items of a multi-part value
    std::string gLineSepChar = ";"; // separates the records of a list value

    std::string sSysContact = "Quorvale RIR";
    std::string sSysName = "<?>";
    std::string sSysLocation = "<?>";
    std::string sSysDescr = "<?>";
    std::string sSysObjectID;
    std::string sHwVer;
    std::string sSwVer;
    std::string sSysUptime;
    std::string sCurrentSysTime;

    bool sInternetConnectivityState = false; // "Allowed": Internet access is allowed
    bool sCmConnectivityState = false;       // "Operational": the cable modem is operational

    std::string sLedGetStatus;

    TStreamData sDSChannel0;
    TStreamData sDSChannel1;
    TStreamData sDSChannel2;
    TStreamData sUSChannel;

    std::string iHttpWanPort;
    std::string iHttpLanPort;
    std::string sCmCert;
    std::string sCmMac;
    std::string sMtaMac;
    std::string sWanMac;
    std::string sLanMac;
    std::string sUsbMac;
    std::string sCmIp;
    std::string sMtaIp;
    std::string sWanIp;
    std::string sLanIp;
    std::string sWifiX1Ip;
    std::string sWifiX2Ip;
    std::string sWifiX3Ip;
    std::string sDmzIp;
    std::string sWanDefaultGw;
    std::string sWanDns;
    std::string sManullyDns;
    std::string sStaticIp;

    bool sNetworkSetting = false; // "DHCP"
    bool iAutoDns = false;        // "1"
    bool iAllowPingWan = false;   // "1"

    std::string sWifiStandard;
    std::string iWifiChannel;
    std::string iWifiCurrentChannel;
    std::string sWiFiACL;
    std::string sWifiESSID;
    std::string sWifiBeaconType;
    std::string sWifiWEPEncryption;
    std::string sWifiWEPKey1;
    std::string sWifiWPAEncryption;
    std::string sWifiWPADefaultKey;

    bool iWifiEnabled = false;   // "1"
    bool iWifiHideSSID = false;  // "1"
    bool iWifiACLEnable = false; // "1"

    std::string sWifiX1ESSID;
    std::string sWifiX1BeaconType;
    std::string sWifiX1WEPEncryption;
    std::string sWifiX1WEPKey1;
    std::string sWifiX1WPAEncryption;
    std::string sWifiX1WPADefaultKey;
    std::string sWifiX1DhcpPool;

    bool iWifiX1Enabled = false;    // "1"
    bool iWifiX1HideSSID = false;   // "1"
    bool iWifiX1ACLEnable = false;  // "1"
    bool iWifiX1DhcpEnable = false; // "1"

    bool iLanDhcpEnable = false; // "1"
    std::string sLanDhcpPool;
    std::string sLanDhcpLeaseInfo;
    std::string sLanDhcpReserveLeaseInfo;

    // The lights, from sLedGetStatus: true when the light's value is "on" (ignoring case).
    bool ledpower = false;
    bool ledinternet = false;
    bool ledinternetamber = false;
    bool ledwlan = false;
    bool ledvoip1 = false;
    bool ledvoip2 = false;
    bool ledlan1 = false;
    bool ledlan2 = false;
    bool ledlan3 = false;
    bool ledlan4 = false;

    bool operator==(const TQVTHD_Data&) const = default;
};

// The record's fields as data, in page order, for the reader and the page writer.
struct BoxTextField {
    std::string_view name;
    std::string TQVTHD_Data::*member;
};
struct BoxFlagField {
    std::string_view name;
    std::string_view word;    // the value that sets the flag
    std::string_view offWord; // what a box writes when the flag is off
    bool TQVTHD_Data::*member;
};
struct BoxChannelField {
    std::string_view name;
    TStreamData TQVTHD_Data::*member;
};
struct BoxLightField {
    std::string_view name;
    bool TQVTHD_Data::*member;
};
// Text fields other than the two separators (which are read first).
[[nodiscard]] std::span<const BoxTextField> boxTextFields();
[[nodiscard]] std::span<const BoxFlagField> boxFlagFields();
[[nodiscard]] std::span<const BoxChannelField> boxChannelFields();
[[nodiscard]] std::span<const BoxLightField> boxLightFields();

enum class BoxPageOutcome {
    Parsed,    // at least one entry was read
    EmptyPage, // nothing to read: the record is left as it was
    NoEntries, // text without any entry: every field is back to its default
};

class TDM_QVTHD_Tools {
public:
    static constexpr std::string_view kModuleName = "TDM_QVTHD_Tools";

    explicit TDM_QVTHD_Tools(TraceLog& log) : trace_(log, std::string(kModuleName)) {}
    TDM_QVTHD_Tools(const TDM_QVTHD_Tools&) = delete;
    TDM_QVTHD_Tools& operator=(const TDM_QVTHD_Tools&) = delete;

    // Reads the page into the record. Each page is read on its own: fields whose entry is
    // missing take their defaults, whatever an earlier page said.
    [[nodiscard]] BoxPageOutcome SetPageContent(std::string_view page);

    [[nodiscard]] const TQVTHD_Data& Data() const { return data_; }

private:
    void parseChannel(std::string_view name, std::string_view value, TStreamData& channel);
    void parseLights();

    Trace trace_;
    TQVTHD_Data data_;
};

} // namespace cw
