#include "network/BoxData.h"

#include "app/StringUtil.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

namespace cw {
namespace {

using D = TQVTHD_Data;

constexpr BoxTextField kTextFields[] = {
    {"sSysContact", &D::sSysContact},
    {"sSysName", &D::sSysName},
    {"sSysLocation", &D::sSysLocation},
    {"sSysDescr", &D::sSysDescr},
    {"sSysObjectID", &D::sSysObjectID},
    {"sHwVer", &D::sHwVer},
    {"sSwVer", &D::sSwVer},
    {"sSysUptime", &D::sSysUptime},
    {"sCurrentSysTime", &D::sCurrentSysTime},
    {"sLedGetStatus", &D::sLedGetStatus},
    {"iHttpWanPort", &D::iHttpWanPort},
    {"iHttpLanPort", &D::iHttpLanPort},
    {"sCmCert", &D::sCmCert},
    {"sCmMac", &D::sCmMac},
    {"sMtaMac", &D::sMtaMac},
    {"sWanMac", &D::sWanMac},
    {"sLanMac", &D::sLanMac},
    {"sUsbMac", &D::sUsbMac},
    {"sCmIp", &D::sCmIp},
    {"sMtaIp", &D::sMtaIp},
    {"sWanIp", &D::sWanIp},
    {"sLanIp", &D::sLanIp},
    {"sWifiX1Ip", &D::sWifiX1Ip},
    {"sWifiX2Ip", &D::sWifiX2Ip},
    {"sWifiX3Ip", &D::sWifiX3Ip},
    {"sDmzIp", &D::sDmzIp},
    {"sWanDefaultGw", &D::sWanDefaultGw},
    {"sWanDns", &D::sWanDns},
    {"sManullyDns", &D::sManullyDns},
    {"sStaticIp", &D::sStaticIp},
    {"sWifiStandard", &D::sWifiStandard},
    {"iWifiChannel", &D::iWifiChannel},
    {"iWifiCurrentChannel", &D::iWifiCurrentChannel},
    {"sWiFiACL", &D::sWiFiACL},
    {"sWifiESSID", &D::sWifiESSID},
    {"sWifiBeaconType", &D::sWifiBeaconType},
    {"sWifiWEPEncryption", &D::sWifiWEPEncryption},
    {"sWifiWEPKey1", &D::sWifiWEPKey1},
    {"sWifiWPAEncryption", &D::sWifiWPAEncryption},
    {"sWifiWPADefaultKey", &D::sWifiWPADefaultKey},
    {"sWifiX1ESSID", &D::sWifiX1ESSID},
    {"sWifiX1BeaconType", &D::sWifiX1BeaconType},
    {"sWifiX1WEPEncryption", &D::sWifiX1WEPEncryption},
    {"sWifiX1WEPKey1", &D::sWifiX1WEPKey1},
    {"sWifiX1WPAEncryption", &D::sWifiX1WPAEncryption},
    {"sWifiX1WPADefaultKey", &D::sWifiX1WPADefaultKey},
    {"sWifiX1DhcpPool", &D::sWifiX1DhcpPool},
    {"sLanDhcpPool", &D::sLanDhcpPool},
    {"sLanDhcpLeaseInfo", &D::sLanDhcpLeaseInfo},
    {"sLanDhcpReserveLeaseInfo", &D::sLanDhcpReserveLeaseInfo},
};

constexpr BoxFlagField kFlagFields[] = {
    {"sInternetConnectivityState", "Allowed", "NotAllowed", &D::sInternetConnectivityState},
    {"sCmConnectivityState", "Operational", "NotOperational", &D::sCmConnectivityState},
    {"sNetworkSetting", "DHCP", "Static", &D::sNetworkSetting},
    {"iAutoDns", "1", "0", &D::iAutoDns},
    {"iAllowPingWan", "1", "0", &D::iAllowPingWan},
    {"iWifiEnabled", "1", "0", &D::iWifiEnabled},
    {"iWifiHideSSID", "1", "0", &D::iWifiHideSSID},
    {"iWifiACLEnable", "1", "0", &D::iWifiACLEnable},
    {"iWifiX1Enabled", "1", "0", &D::iWifiX1Enabled},
    {"iWifiX1HideSSID", "1", "0", &D::iWifiX1HideSSID},
    {"iWifiX1ACLEnable", "1", "0", &D::iWifiX1ACLEnable},
    {"iWifiX1DhcpEnable", "1", "0", &D::iWifiX1DhcpEnable},
    {"iLanDhcpEnable", "1", "0", &D::iLanDhcpEnable},
};

constexpr BoxChannelField kChannelFields[] = {
    {"sDSChannel0", &D::sDSChannel0},
    {"sDSChannel1", &D::sDSChannel1},
    {"sDSChannel2", &D::sDSChannel2},
    {"sUSChannel", &D::sUSChannel},
};

constexpr BoxLightField kLightFields[] = {
    {"ledpower", &D::ledpower},
    {"ledinternet", &D::ledinternet},
    {"ledinternetamber", &D::ledinternetamber},
    {"ledwlan", &D::ledwlan},
    {"ledvoip1", &D::ledvoip1},
    {"ledvoip2", &D::ledvoip2},
    {"ledlan1", &D::ledlan1},
    {"ledlan2", &D::ledlan2},
    {"ledlan3", &D::ledlan3},
    {"ledlan4", &D::ledlan4},
};

constexpr std::string_view kEntryMark = "= '";
constexpr std::string_view kValueEnd = "';";

// An in-memory section of name/value entries; names compared ignoring case, a later entry
// replaces an earlier one.
class Section {
public:
    void add(std::string_view name, std::string value) {
        entries_.insert_or_assign(str::lower(name), std::move(value));
    }
    [[nodiscard]] std::optional<std::string_view> find(std::string_view name) const {
        const auto it = entries_.find(str::lower(name));
        if (it == entries_.end()) return std::nullopt;
        return std::string_view(it->second);
    }
    [[nodiscard]] bool empty() const { return entries_.empty(); }
    [[nodiscard]] size_t size() const { return entries_.size(); }

private:
    std::unordered_map<std::string, std::string> entries_;
};

// The value as an entry keeps it: trimmed, cut before the first "';" (trimmed again), and
// without apostrophes.
std::string entryValue(std::string_view raw) {
    std::string value = str::trim(raw);
    if (const size_t end = value.find(kValueEnd); end != std::string::npos)
        value = str::trim(std::string_view(value).substr(0, end));
    std::erase(value, '\'');
    return value;
}

// Adds "name=value" to the section; a piece without "=" names nothing.
void addEntry(Section& section, std::string_view piece) {
    const size_t equals = piece.find('=');
    if (equals == std::string_view::npos) return;
    const std::string name = str::trim(piece.substr(0, equals));
    if (name.empty()) return;
    section.add(name, entryValue(piece.substr(equals + 1)));
}

// Splits at every occurrence of `separator` (ignoring case), dropping pieces that are blank;
// pieces keep their blanks; an empty separator leaves the text whole. Folds the text once, so a
// long value with many separators stays linear.
std::vector<std::string> splitNoCase(std::string_view text, std::string_view separator) {
    std::vector<std::string> pieces;
    const std::string foldedText = str::lower(text);
    const std::string foldedSeparator = str::lower(separator);
    // Folding keeps offsets only when it keeps the length; otherwise compare bytes as they are.
    const bool folded = foldedText.size() == text.size();
    const std::string_view haystack = folded ? std::string_view(foldedText) : text;
    const std::string_view needle = folded ? std::string_view(foldedSeparator) : separator;
    auto keep = [&](size_t from, size_t to) {
        const std::string_view piece = text.substr(from, to - from);
        if (!str::trim(piece).empty()) pieces.emplace_back(piece);
    };
    size_t start = 0;
    for (size_t hit;
         !needle.empty() && (hit = haystack.find(needle, start)) != std::string_view::npos;) {
        keep(start, hit);
        start = hit + needle.size();
    }
    keep(start, text.size());
    return pieces;
}

// A separator the page gives as empty cannot split anything: the default stands.
std::string separatorOr(const Section& section, std::string_view name, std::string_view fallback) {
    const auto value = section.find(name);
    if (!value || value->empty()) return std::string(fallback);
    return std::string(*value);
}

} // namespace

const std::string& TStreamData::Item(int n) const {
    static const std::string empty;
    if (n < 1 || n > static_cast<int>(Items.size())) return empty;
    return Items[static_cast<size_t>(n - 1)];
}

std::span<const BoxTextField> boxTextFields() {
    return kTextFields;
}
std::span<const BoxFlagField> boxFlagFields() {
    return kFlagFields;
}
std::span<const BoxChannelField> boxChannelFields() {
    return kChannelFields;
}
std::span<const BoxLightField> boxLightFields() {
    return kLightFields;
}

BoxPageOutcome TDM_QVTHD_Tools::SetPageContent(std::string_view page) {
    auto scope = trace_.scope("SetPageContent");
    if (page.empty()) {
        trace_.error("Empty page: box data left unchanged");
        return BoxPageOutcome::EmptyPage;
    }
    Section section;
    for (const std::string& piece : str::splitList(page, '\n')) {
        if (piece.find(kEntryMark) != std::string::npos) addEntry(section, piece);
    }
    trace_.message(std::to_string(section.size()) + " entries read");

    TQVTHD_Data data;
    data.gItemSepChar = separatorOr(section, "gItemSepChar", data.gItemSepChar);
    data.gLineSepChar = separatorOr(section, "gLineSepChar", data.gLineSepChar);
    for (const BoxTextField& field : kTextFields) {
        if (const auto value = section.find(field.name)) data.*field.member = *value;
    }
    for (const BoxFlagField& field : kFlagFields) {
        if (const auto value = section.find(field.name))
            data.*field.member = str::isFlagOn(*value, field.word);
    }
    data_ = std::move(data);
    for (const BoxChannelField& field : kChannelFields) {
        parseChannel(field.name, section.find(field.name).value_or(""), data_.*field.member);
    }
    parseLights();

    if (section.empty()) {
        trace_.error("No entry in the page: box data at its defaults");
        return BoxPageOutcome::NoEntries;
    }
    return BoxPageOutcome::Parsed;
}

void TDM_QVTHD_Tools::parseChannel(std::string_view name, std::string_view value,
                                   TStreamData& channel) {
    channel.Clear();
    const std::vector<std::string> pieces = splitNoCase(value, data_.gItemSepChar);
    if (pieces.empty()) return;
    if (pieces.size() != 6 && pieces.size() != 8) {
        trace_.message(std::string(name) + " : " + std::to_string(pieces.size()) +
                       " items (6 or 8 expected)");
    }
    const size_t filled = pieces.size() == 8 ? 8 : std::min<size_t>(pieces.size(), 6);
    std::copy_n(pieces.begin(), filled, channel.Items.begin());
}

void TDM_QVTHD_Tools::parseLights() {
    for (const BoxLightField& light : kLightFields)
        data_.*light.member = false;
    if (data_.sLedGetStatus.empty()) {
        trace_.error("sLedGetStatus empty: lights unknown");
        return;
    }
    const std::string pairs = str::replaceAllNoCase(data_.sLedGetStatus, data_.gItemSepChar, "=");
    Section lights;
    for (const std::string& piece : splitNoCase(pairs, data_.gLineSepChar))
        addEntry(lights, piece);
    for (const BoxLightField& light : kLightFields) {
        if (const auto value = lights.find(light.name))
            data_.*light.member = str::isFlagOn(*value, "on");
    }
}

} // namespace cw
