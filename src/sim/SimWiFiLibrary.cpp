#include "sim/SimWiFiLibrary.h"

#include "app/StringUtil.h"
#include "app/Trace.h"
#include "platform/EventLoop.h"

#include <algorithm>

namespace cw {
namespace {

const WorldAddress kNoAddress{"0.0.0.0", "0.0.0.0", "0.0.0.0"};

std::string argument(uint32_t value) { return std::to_string(value); }
std::string argument(std::string_view text) { return "\"" + std::string(text) + "\""; }

template <typename... Args> std::string arguments(const Args&... args) {
    std::string text;
    ((text += (text.empty() ? "" : ", ") + argument(args)), ...);
    return text;
}

// The library writes at most bufferSize - 1 characters and the terminator.
uint32_t putText(std::string& out, std::string_view text, uint32_t bufferSize) {
    if (bufferSize == 0) return kSimWiFiNoBuffer;
    out = std::string(text.substr(0, bufferSize - 1));
    return 0;
}

uint32_t putAddress(const WorldAddress& ip, std::string& address, std::string& mask,
                    std::string& gateway, uint32_t bufferSize) {
    if (const uint32_t r = putText(address, ip.address, bufferSize)) return r;
    (void)putText(mask, ip.mask, bufferSize);
    (void)putText(gateway, ip.gateway, bufferSize);
    return 0;
}

// The address Windows gives itself when DHCP does not answer: fixed per adapter.
WorldAddress linkLocalAddress(std::string_view guid) {
    uint32_t hash = 2166136261u;
    for (const char c : guid) hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    return {"169.254." + std::to_string(hash % 254 + 1) + "." + std::to_string((hash >> 8) % 254 + 1),
            "255.255.0.0", "0.0.0.0"};
}

std::string decodeEntities(std::string_view text) {
    static constexpr std::pair<std::string_view, char> entities[] = {
        {"&amp;", '&'}, {"&lt;", '<'}, {"&gt;", '>'}, {"&quot;", '"'}, {"&apos;", '\''}};
    std::string out;
    for (size_t i = 0; i < text.size();) {
        bool decoded = false;
        for (const auto& [entity, c] : entities)
            if (text.substr(i, entity.size()) == entity) {
                out += c;
                i += entity.size();
                decoded = true;
                break;
            }
        if (!decoded) out += text[i++];
    }
    return out;
}

// The text of the first element `tag` within [from, to), with its position.
std::optional<std::string> elementText(std::string_view xml, std::string_view tag, size_t from = 0,
                                       size_t to = std::string_view::npos, size_t* at = nullptr) {
    const std::string open = "<" + std::string(tag) + ">";
    const std::string close = "</" + std::string(tag) + ">";
    const std::string_view range = xml.substr(0, std::min(to, xml.size()));
    const size_t start = range.find(open, from);
    if (start == std::string_view::npos) return std::nullopt;
    const size_t end = range.find(close, start + open.size());
    if (end == std::string_view::npos) return std::nullopt;
    if (at) *at = start;
    return decodeEntities(range.substr(start + open.size(), end - start - open.size()));
}

// The profile XML as the call log shows it: the key replaced by a mask.
std::string maskKeyMaterial(std::string_view xml) {
    std::string text(xml);
    const size_t start = text.find("<keyMaterial>");
    const size_t end = text.find("</keyMaterial>");
    if (start == std::string::npos || end == std::string::npos || end < start) return text;
    const size_t keyStart = start + std::string_view("<keyMaterial>").size();
    return text.replace(keyStart, end - keyStart, maskSecret(text.substr(keyStart, end - keyStart)));
}

} // namespace

bool parseWlanProfile(std::string_view xml, SimWiFiProfile& profile) {
    const size_t root = xml.find("<WLANProfile");
    if (root == std::string_view::npos) return false;
    // The SSID's own <name> lives in SSIDConfig; the profile's name is the one outside it.
    const size_t ssidConfig = xml.find("<SSIDConfig>", root);
    const size_t ssidConfigEnd = xml.find("</SSIDConfig>", root);
    std::optional<std::string> name = elementText(xml, "name", root, ssidConfig);
    if (!name && ssidConfigEnd != std::string_view::npos)
        name = elementText(xml, "name", ssidConfigEnd);
    std::optional<std::string> ssid;
    size_t ssidAt = 0;
    if (ssidConfig != std::string_view::npos && elementText(xml, "SSID", ssidConfig, ssidConfigEnd, &ssidAt))
        ssid = elementText(xml, "name", ssidAt, ssidConfigEnd);
    if (!name || name->empty() || !ssid || ssid->empty()) return false;
    profile.name = *name;
    profile.ssid = *ssid;
    profile.key = elementText(xml, "keyMaterial", root).value_or("");
    profile.authentication = elementText(xml, "authentication", root).value_or("");
    return true;
}

SimWiFiLibrary::SimWiFiLibrary(const World& world, const EventLoop& clock)
    : clock_(clock), present_(world.library.present), direct_(world.library.direct),
      native_(world.library.native), advanced_(world.library.advanced),
      version_(world.library.version), serviceRunning_(world.wirelessServiceRunning) {
    for (const WorldAdapter& source : world.adapters) {
        Adapter adapter;
        adapter.world = source;
        adapter.dhcp = source.dhcp;
        adapter.staticIp = source.staticIp;
        for (const WorldProfile& p : source.profiles)
            adapter.profiles.push_back({p.name, p.ssid, p.key, "WPAPSK", {}});
        for (size_t i = 0; i < source.networks.size(); ++i)
            if (!source.associatedWith.empty() && source.networks[i].ssid == source.associatedWith) {
                adapter.network = i;
                adapter.keyMatches = true;
                adapter.addressAtOnce = true;
                break;
            }
        adapters_.push_back(std::move(adapter));
    }
    for (const auto& [function, code] : world.library.failures) injected_[function] = {code, -1};
}

template <typename Body>
uint32_t SimWiFiLibrary::run(std::string_view function, std::string args, Body body) {
    uint32_t result = 0;
    const auto injection = injected_.find(function);
    if (!present_) {
        result = kSimWiFiNoLibrary;
    } else if (injection != injected_.end()) {
        result = injection->second.code;
        if (injection->second.remaining > 0 && --injection->second.remaining == 0)
            injected_.erase(injection);
    } else {
        result = body();
    }
    calls_.push_back({std::string(function), std::move(args), result});
    return result;
}

SimWiFiLibrary::Adapter* SimWiFiLibrary::adapterAt(uint32_t index) {
    return index < adapters_.size() ? &adapters_[index] : nullptr;
}

WorldAddress SimWiFiLibrary::currentAddress(Adapter& adapter, bool nextRead) {
    if (!adapter.network) return kNoAddress;
    if (!adapter.dhcp) return adapter.staticIp;
    const WorldConnect& connect = adapter.world.networks[*adapter.network].onConnect;
    if (connect.result == WorldConnect::Result::Never) return kNoAddress;
    if (!adapter.addressAtOnce && clock_.tickCount() - adapter.joinedAt < connect.afterMs)
        return kNoAddress;
    if (!adapter.keyMatches) return linkLocalAddress(adapter.world.guid);
    if (connect.result == WorldConnect::Result::Address) return connect.ip;
    const std::string& address = connect.addresses[adapter.addressReads % connect.addresses.size()];
    if (nextRead) ++adapter.addressReads;
    if (address.rfind("169.254.", 0) == 0) return {address, "255.255.0.0", "0.0.0.0"};
    return {address, connect.ip.mask, connect.ip.gateway};
}

uint32_t SimWiFiLibrary::InstallDriver(uint32_t flags) {
    return run("InstallDriver", arguments(flags), [&] {
        driverInstalled_ = true;
        return 0u;
    });
}

uint32_t SimWiFiLibrary::SetLibraryOption(uint32_t option, uint32_t value) {
    return run("SetLibraryOption", arguments(option, value), [&] {
        if (option == kOptionNdisDriver && value <= 1)
            ndisOption_ = value;
        else if (option == kOptionScanTimeMs)
            scanTimeOption_ = value;
        else
            return kSimWiFiBadArgument;
        return 0u;
    });
}

uint32_t SimWiFiLibrary::libraryOption(uint32_t option) const {
    switch (option) {
    case kOptionNdisDriver: return ndisOption_;
    case kOptionAdvanced: return advanced_;
    case kOptionScanTimeMs: return scanTimeOption_;
    default: return kSimWiFiBadArgument;
    }
}

uint32_t SimWiFiLibrary::GetLibraryOption(uint32_t option) {
    return run("GetLibraryOption", arguments(option), [&] { return libraryOption(option); });
}

uint32_t SimWiFiLibrary::IsNativeWIFI() {
    return run("IsNativeWIFI", "", [&] { return native_; });
}

uint32_t SimWiFiLibrary::IsDirectWIFI() {
    return run("IsDirectWIFI", "", [&] { return direct_ ? 1u : 0u; });
}

uint32_t SimWiFiLibrary::GetWIFIManagerVersion() {
    return run("GetWIFIManagerVersion", "", [&] { return version_; });
}

uint32_t SimWiFiLibrary::GetWIFIServiceStatus() {
    return run("GetWIFIServiceStatus", "", [&] { return serviceRunning_ ? 1u : 0u; });
}

uint32_t SimWiFiLibrary::SetWIFIServiceStatus(uint32_t start) {
    return run("SetWIFIServiceStatus", arguments(start), [&] {
        if (start > 1) return kSimWiFiBadArgument;
        serviceRunning_ = start == 1;
        return 0u;
    });
}

uint32_t SimWiFiLibrary::SetStorageOptions(std::string_view profileStorePath, uint32_t flags) {
    return run("SetStorageOptions", arguments(profileStorePath, flags), [&] {
        storagePath_ = std::string(profileStorePath);
        return 0u;
    });
}

uint32_t SimWiFiLibrary::EnumerateAdapters() {
    return run("EnumerateAdapters", "", [&] { return static_cast<uint32_t>(adapters_.size()); });
}

uint32_t SimWiFiLibrary::GetAdapterName(uint32_t adapter, std::string& name, uint32_t bufferSize) {
    return run("GetAdapterName", arguments(adapter, bufferSize), [&] {
        const Adapter* a = adapterAt(adapter);
        return a ? putText(name, a->world.name, bufferSize) : kSimWiFiBadAdapter;
    });
}

uint32_t SimWiFiLibrary::GetAdapterGUID(uint32_t adapter, std::string& guid, uint32_t bufferSize) {
    return run("GetAdapterGUID", arguments(adapter, bufferSize), [&] {
        const Adapter* a = adapterAt(adapter);
        return a ? putText(guid, a->world.guid, bufferSize) : kSimWiFiBadAdapter;
    });
}

uint32_t SimWiFiLibrary::GetAdapterIPInfo(uint32_t adapter, std::string& address, std::string& mask,
                                          std::string& gateway, uint32_t& dhcp, uint32_t bufferSize) {
    return run("GetAdapterIPInfo", arguments(adapter, bufferSize), [&] {
        Adapter* a = adapterAt(adapter);
        if (!a) return kSimWiFiBadAdapter;
        const WorldAddress ip = a->dhcp ? currentAddress(*a, false) : a->staticIp;
        const uint32_t r = putAddress(ip, address, mask, gateway, bufferSize);
        if (r == 0) dhcp = a->dhcp ? 1 : 0;
        return r;
    });
}

uint32_t SimWiFiLibrary::SetAdapterIPInfo(uint32_t adapter, std::string_view address,
                                          std::string_view mask, std::string_view gateway,
                                          uint32_t dhcp) {
    return run("SetAdapterIPInfo", arguments(adapter, address, mask, gateway, dhcp), [&] {
        Adapter* a = adapterAt(adapter);
        if (!a) return kSimWiFiBadAdapter;
        if (dhcp > 1) return kSimWiFiBadArgument;
        a->dhcp = dhcp == 1;
        if (!a->dhcp)
            a->staticIp = {std::string(address), std::string(mask), std::string(gateway)};
        return 0u;
    });
}

uint32_t SimWiFiLibrary::GetAdapterCurrentIPInfo(uint32_t adapter, std::string& address,
                                                 std::string& mask, std::string& gateway,
                                                 uint32_t bufferSize) {
    return run("GetAdapterCurrentIPInfo", arguments(adapter, bufferSize), [&] {
        Adapter* a = adapterAt(adapter);
        if (!a) return kSimWiFiBadAdapter;
        return putAddress(currentAddress(*a, true), address, mask, gateway, bufferSize);
    });
}

uint32_t SimWiFiLibrary::EnumerateAvailableNetworks(uint32_t adapter, uint32_t scanNow) {
    return run("EnumerateAvailableNetworks", arguments(adapter, scanNow), [&] {
        const Adapter* a = adapterAt(adapter);
        if (!a) return kSimWiFiBadAdapter;
        if (scanNow) ++scans_;
        return static_cast<uint32_t>(a->world.networks.size());
    });
}

uint32_t SimWiFiLibrary::GetAvailableNetworkName(uint32_t adapter, uint32_t network,
                                                 std::string& ssid, uint32_t bufferSize) {
    return run("GetAvailableNetworkName", arguments(adapter, network, bufferSize), [&] {
        const Adapter* a = adapterAt(adapter);
        if (!a) return kSimWiFiBadAdapter;
        if (network >= a->world.networks.size()) return kSimWiFiBadIndex;
        return putText(ssid, a->world.networks[network].ssid, bufferSize);
    });
}

uint32_t SimWiFiLibrary::GetCurrentNetworkName(uint32_t adapter, std::string& ssid,
                                               uint32_t bufferSize) {
    return run("GetCurrentNetworkName", arguments(adapter, bufferSize), [&] {
        const Adapter* a = adapterAt(adapter);
        if (!a) return kSimWiFiBadAdapter;
        return putText(ssid, a->network ? a->world.networks[*a->network].ssid : "", bufferSize);
    });
}

uint32_t SimWiFiLibrary::EnumerateProfiles(uint32_t adapter) {
    return run("EnumerateProfiles", arguments(adapter), [&] {
        const Adapter* a = adapterAt(adapter);
        return a ? static_cast<uint32_t>(a->profiles.size()) : kSimWiFiBadAdapter;
    });
}

uint32_t SimWiFiLibrary::GetProfileName(uint32_t adapter, uint32_t profile, std::string& name,
                                        uint32_t bufferSize) {
    return run("GetProfileName", arguments(adapter, profile, bufferSize), [&] {
        const Adapter* a = adapterAt(adapter);
        if (!a) return kSimWiFiBadAdapter;
        if (profile >= a->profiles.size()) return kSimWiFiBadIndex;
        return putText(name, a->profiles[profile].name, bufferSize);
    });
}

uint32_t SimWiFiLibrary::DeleteProfile(uint32_t adapter, uint32_t profile) {
    return run("DeleteProfile", arguments(adapter, profile), [&] {
        Adapter* a = adapterAt(adapter);
        if (!a) return kSimWiFiBadAdapter;
        if (profile >= a->profiles.size()) return kSimWiFiBadIndex;
        a->profiles.erase(a->profiles.begin() + profile);
        return 0u;
    });
}

uint32_t SimWiFiLibrary::LoadTmpProfileFromString(std::string_view profileXml) {
    return run("LoadTmpProfileFromString", arguments(maskKeyMaterial(profileXml)), [&] {
        SimWiFiProfile profile;
        if (!parseWlanProfile(profileXml, profile)) return kSimWiFiBadProfile;
        const uint32_t handle = nextHandle_++;
        tmpProfiles_[handle] = std::move(profile);
        return handle;
    });
}

uint32_t SimWiFiLibrary::SetTmpProfileOption(uint32_t handle, std::string_view option,
                                             std::string_view value) {
    return run("SetTmpProfileOption", arguments(handle, option, value), [&] {
        const auto it = tmpProfiles_.find(handle);
        if (it == tmpProfiles_.end()) return kSimWiFiBadHandle;
        it->second.options[std::string(option)] = std::string(value);
        return 0u;
    });
}

uint32_t SimWiFiLibrary::SetTmpProfileToAdapter(uint32_t handle, uint32_t adapter) {
    return run("SetTmpProfileToAdapter", arguments(handle, adapter), [&] {
        const auto it = tmpProfiles_.find(handle);
        if (it == tmpProfiles_.end()) return kSimWiFiBadHandle;
        Adapter* a = adapterAt(adapter);
        if (!a) return kSimWiFiBadAdapter;
        // A profile of the same name is replaced, as in the Windows profile stores.
        std::erase_if(a->profiles, [&](const SimWiFiProfile& p) {
            return str::equalsNoCase(p.name, it->second.name);
        });
        a->profiles.push_back(it->second);
        return 0u;
    });
}

uint32_t SimWiFiLibrary::FreeTmpProfile(uint32_t handle) {
    return run("FreeTmpProfile", arguments(handle),
               [&] { return tmpProfiles_.erase(handle) ? 0u : kSimWiFiBadHandle; });
}

uint32_t SimWiFiLibrary::ConnectToNetwork(uint32_t adapter, std::string_view ssid) {
    return run("ConnectToNetwork", arguments(adapter, ssid), [&] {
        Adapter* a = adapterAt(adapter);
        if (!a) return kSimWiFiBadAdapter;
        const auto profile = std::find_if(a->profiles.begin(), a->profiles.end(),
                                          [&](const SimWiFiProfile& p) { return str::equalsNoCase(p.name, ssid); });
        if (profile == a->profiles.end()) return kSimWiFiNoProfile;
        const auto& networks = a->world.networks;
        const auto network = std::find_if(networks.begin(), networks.end(),
                                          [&](const WorldNetwork& n) { return n.ssid == profile->ssid; });
        if (network == networks.end()) return kSimWiFiNotInRange;
        a->network = static_cast<size_t>(network - networks.begin());
        a->keyMatches = profile->key == network->key;
        a->addressAtOnce = false;
        a->joinedAt = clock_.tickCount();
        a->addressReads = 0;
        return 0u;
    });
}

uint32_t SimWiFiLibrary::DisconnectFromNetwork(uint32_t adapter) {
    return run("DisconnectFromNetwork", arguments(adapter), [&] {
        Adapter* a = adapterAt(adapter);
        if (!a) return kSimWiFiBadAdapter;
        a->network.reset();
        return 0u;
    });
}

uint32_t SimWiFiLibrary::FreeAllResources() {
    return run("FreeAllResources", "", [&] {
        tmpProfiles_.clear();
        released_ = true;
        return 0u;
    });
}

bool SimWiFiLibrary::injectError(std::string_view function, uint32_t code, int times) {
    const auto& names = wifiLibraryFunctionNames();
    if (std::find(names.begin(), names.end(), function) == names.end() || times == 0) return false;
    injected_[std::string(function)] = {code, times};
    return true;
}

int SimWiFiLibrary::callCount(std::string_view function) const {
    return static_cast<int>(std::count_if(calls_.begin(), calls_.end(),
                                          [&](const SimWiFiCall& c) { return c.function == function; }));
}

std::vector<SimWiFiProfile> SimWiFiLibrary::profiles(uint32_t adapter) const {
    return adapter < adapters_.size() ? adapters_[adapter].profiles : std::vector<SimWiFiProfile>{};
}

std::optional<bool> SimWiFiLibrary::adapterOnDhcp(uint32_t adapter) const {
    if (adapter >= adapters_.size()) return std::nullopt;
    return adapters_[adapter].dhcp;
}

} // namespace cw
