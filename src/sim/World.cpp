#include "sim/World.h"

#include "app/StringUtil.h"
#include "platform/WiFiLibrary.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <set>

namespace cw {
namespace {

using Json = nlohmann::json;

// Reads one JSON object field by field. Every reader records its key as known; `finish`
// then rejects the keys nobody asked for. The first fault is kept in `error` with its path.
class Fields {
public:
    Fields(const Json& value, std::string path, std::string& error)
        : value_(value), path_(std::move(path)), error_(error) {
        if (!value_.is_object()) fail(path_, "expected an object");
    }

    [[nodiscard]] bool ok() const { return error_.empty(); }
    [[nodiscard]] std::string pathOf(std::string_view key) const {
        return path_.empty() ? std::string(key) : path_ + "." + std::string(key);
    }
    void markKnown(std::string_view key) { known_.emplace(key); }
    // The field's value, or nullptr when it is absent (a missing required field is a fault).
    [[nodiscard]] const Json* field(std::string_view key, bool required = false) {
        known_.emplace(key);
        if (!ok()) return nullptr;
        const auto it = value_.find(key);
        if (it == value_.end()) {
            if (required) fail(pathOf(key), "missing");
            return nullptr;
        }
        return &*it;
    }

    void text(std::string_view key, std::string& out, bool required = false) {
        if (const Json* v = field(key, required)) {
            if (v->is_string())
                out = v->get<std::string>();
            else
                fail(pathOf(key), "expected a string");
        }
    }
    void optionalText(std::string_view key, std::optional<std::string>& out) {
        std::string value;
        if (const Json* v = field(key)) {
            text(key, value);
            if (ok() && v->is_string()) out = value;
        }
    }
    void flag(std::string_view key, bool& out) {
        if (const Json* v = field(key)) {
            if (v->is_boolean())
                out = v->get<bool>();
            else
                fail(pathOf(key), "expected true or false");
        }
    }
    void whole(std::string_view key, uint32_t& out, uint64_t max = UINT32_MAX,
               bool required = false) {
        if (const Json* v = field(key, required)) {
            // The parser reads every integer without a sign as unsigned.
            if (v->is_number_unsigned() && v->get<uint64_t>() <= max)
                out = static_cast<uint32_t>(v->get<uint64_t>());
            else
                fail(pathOf(key), "expected a whole number from 0 to " + std::to_string(max));
        }
    }
    // Seconds as a number (fractions allowed), kept as milliseconds.
    void seconds(std::string_view key, uint32_t& outMs) {
        if (const Json* v = field(key)) {
            if (!v->is_number() || v->get<double>() < 0 || v->get<double>() > 86400)
                fail(pathOf(key), "expected a number of seconds from 0 to 86400");
            else
                outMs = static_cast<uint32_t>(std::lround(v->get<double>() * 1000));
        }
    }
    void address(std::string_view key, std::string& out, bool required = false) {
        if (!field(key, required)) return;
        std::string value;
        text(key, value);
        if (!ok()) return;
        if (!isDottedQuad(value))
            fail(pathOf(key), "expected a dotted IPv4 address such as \"192.168.1.10\"");
        else
            out = value;
    }
    // One of a fixed set of words; returns the index of the word read.
    std::optional<size_t> choice(std::string_view key, std::initializer_list<std::string_view> words,
                                 bool required = false) {
        std::string value;
        const Json* v = field(key, required);
        if (!v) return std::nullopt;
        text(key, value);
        if (!ok()) return std::nullopt;
        size_t index = 0;
        for (std::string_view word : words) {
            if (value == word) return index;
            ++index;
        }
        std::string expected;
        for (std::string_view word : words)
            expected += (expected.empty() ? "\"" : ", \"") + std::string(word) + "\"";
        fail(pathOf(key), "expected one of " + expected);
        return std::nullopt;
    }
    // The array's elements, each with its path; empty (and no fault) when absent.
    std::vector<std::pair<const Json*, std::string>> list(std::string_view key) {
        std::vector<std::pair<const Json*, std::string>> items;
        const Json* v = field(key);
        if (!v) return items;
        if (!v->is_array()) {
            fail(pathOf(key), "expected an array");
            return items;
        }
        for (size_t i = 0; i < v->size(); ++i)
            items.emplace_back(&(*v)[i], pathOf(key) + "[" + std::to_string(i) + "]");
        return items;
    }

    // Rejects the fields no reader asked for. A "comment" text is allowed everywhere.
    void finish() {
        if (!ok()) return;
        std::string ignored;
        text("comment", ignored);
        for (const auto& [key, ignoredValue] : value_.items())
            if (ok() && !known_.count(key)) fail(pathOf(key), "unknown field");
    }

    void fail(const std::string& path, std::string_view problem) {
        if (error_.empty()) error_ = (path.empty() ? std::string("(top)") : path) + ": " + std::string(problem);
    }

    static bool isDottedQuad(std::string_view text) {
        const std::vector<std::string> parts = str::splitList(text, '.');
        if (parts.size() != 4 || std::count(text.begin(), text.end(), '.') != 3) return false;
        return std::all_of(parts.begin(), parts.end(), [](const std::string& part) {
            const std::optional<int32_t> n = str::toInt(part);
            return part.size() <= 3 && n && *n >= 0 && *n <= 255 && part[0] != '-' && part[0] != '+';
        });
    }

private:
    const Json& value_;
    std::string path_;
    std::string& error_;
    std::set<std::string, std::less<>> known_;
};

bool isGuid(std::string_view text) {
    static constexpr std::string_view shape = "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}";
    if (text.size() != shape.size()) return false;
    for (size_t i = 0; i < shape.size(); ++i) {
        const char c = text[i];
        if (shape[i] == 'X' ? !std::isxdigit(static_cast<unsigned char>(c)) : c != shape[i])
            return false;
    }
    return true;
}

void readWindows(const Json& value, const std::string& path, World& world, std::string& error) {
    Fields f(value, path, error);
    f.whole("platformId", world.windows.platformId, 2);
    f.whole("major", world.windows.major, 255);
    f.whole("minor", world.windows.minor, 255);
    f.whole("build", world.windows.buildNumber);
    f.text("servicePack", world.windows.servicePack);
    if (f.field("wow64")) {
        bool wow64 = false;
        f.flag("wow64", wow64);
        world.wow64 = wow64;
    }
    f.finish();
}

void readAddress(Fields& f, WorldAddress& ip, bool required) {
    f.address("address", ip.address, required);
    f.address("mask", ip.mask);
    f.address("gateway", ip.gateway);
}

WorldConnect readConnect(const Json& value, const std::string& path, std::string& error) {
    WorldConnect connect;
    Fields f(value, path, error);
    if (const auto result = f.choice("result", {"address", "never", "changing"}, true))
        connect.result = static_cast<WorldConnect::Result>(*result);
    f.seconds("afterSeconds", connect.afterMs);
    const bool wantsAddress = connect.result != WorldConnect::Result::Never;
    connect.ip = {};
    readAddress(f, connect.ip, wantsAddress);
    if (connect.ip.mask.empty()) connect.ip.mask = "255.255.255.0";
    if (connect.ip.gateway.empty() && !connect.ip.address.empty())
        connect.ip.gateway = connect.ip.address.substr(0, connect.ip.address.rfind('.')) + ".1";
    for (const auto& [item, itemPath] : f.list("changesTo")) {
        if (!item->is_string() || !Fields::isDottedQuad(item->get<std::string>())) {
            f.fail(itemPath, "expected a dotted IPv4 address such as \"169.254.7.7\"");
            break;
        }
        connect.addresses.push_back(item->get<std::string>());
    }
    if (f.ok() && connect.result == WorldConnect::Result::Changing && connect.addresses.empty())
        f.fail(f.pathOf("changesTo"), "missing (a changing address needs the addresses it turns to)");
    if (connect.result == WorldConnect::Result::Changing)
        connect.addresses.insert(connect.addresses.begin(), connect.ip.address);
    f.finish();
    return connect;
}

WorldNetwork readNetwork(const Json& value, const std::string& path, std::string& error) {
    WorldNetwork network;
    Fields f(value, path, error);
    f.text("ssid", network.ssid, true);
    f.text("key", network.key);
    if (const Json* connect = f.field("onConnect"))
        network.onConnect = readConnect(*connect, f.pathOf("onConnect"), error);
    f.finish();
    return network;
}

WorldProfile readProfile(const Json& value, const std::string& path, std::string& error) {
    WorldProfile profile;
    Fields f(value, path, error);
    f.text("name", profile.name, true);
    profile.ssid = profile.name;
    f.text("ssid", profile.ssid);
    f.text("key", profile.key);
    f.finish();
    return profile;
}

WorldAdapter readAdapter(const Json& value, const std::string& path, std::string& error) {
    WorldAdapter adapter;
    Fields f(value, path, error);
    f.text("name", adapter.name, true);
    f.text("guid", adapter.guid, true);
    if (f.ok() && !isGuid(adapter.guid))
        f.fail(f.pathOf("guid"), "expected a GUID such as \"{6B29FC40-CA47-1067-B31D-00DD010662DA}\"");
    f.flag("dhcp", adapter.dhcp);
    if (const Json* ip = f.field("staticAddress")) {
        Fields s(*ip, f.pathOf("staticAddress"), error);
        adapter.staticIp = {"", "255.255.255.0", "0.0.0.0"};
        readAddress(s, adapter.staticIp, true);
        s.finish();
    } else if (f.ok() && !adapter.dhcp) {
        f.fail(f.pathOf("staticAddress"), "missing (an adapter off DHCP needs its address)");
    }
    f.optionalText("driverDate", adapter.driverDate);
    for (const auto& [item, itemPath] : f.list("networks"))
        if (f.ok()) adapter.networks.push_back(readNetwork(*item, itemPath, error));
    for (const auto& [item, itemPath] : f.list("profiles"))
        if (f.ok()) adapter.profiles.push_back(readProfile(*item, itemPath, error));
    f.text("associatedWith", adapter.associatedWith);
    if (f.ok() && !adapter.associatedWith.empty() &&
        std::none_of(adapter.networks.begin(), adapter.networks.end(),
                     [&](const WorldNetwork& n) { return n.ssid == adapter.associatedWith; }))
        f.fail(f.pathOf("associatedWith"), "no network of that SSID is in range");
    f.finish();
    return adapter;
}

WorldDevice readDevice(const Json& value, const std::string& path, std::string& error) {
    WorldDevice device;
    Fields f(value, path, error);
    f.text("description", device.description, true);
    f.text("setupClass", device.setupClass);
    f.optionalText("driverDate", device.driverDate);
    f.finish();
    return device;
}

std::optional<uint32_t> errorCode(const Json& value) {
    uint64_t code = 0;
    if (value.is_number_unsigned()) {
        code = value.get<uint64_t>();
    } else if (value.is_string()) {
        const std::string text = value.get<std::string>();
        if (text.size() < 3 || text.size() > 10 || !str::startsWithNoCase(text, "0x") ||
            !std::all_of(text.begin() + 2, text.end(),
                         [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); }))
            return std::nullopt;
        code = std::stoull(text.substr(2), nullptr, 16);
    } else {
        return std::nullopt;
    }
    if (code > UINT32_MAX || !isWiFiError(static_cast<uint32_t>(code))) return std::nullopt;
    return static_cast<uint32_t>(code);
}

void readLibrary(const Json& value, const std::string& path, World& world, std::string& error) {
    Fields f(value, path, error);
    f.flag("present", world.library.present);
    f.flag("direct", world.library.direct);
    f.whole("native", world.library.native);
    f.whole("advanced", world.library.advanced);
    f.whole("version", world.library.version, 999);
    if (const Json* failures = f.field("failures")) {
        Fields g(*failures, f.pathOf("failures"), error);
        const auto& names = wifiLibraryFunctionNames();
        for (const auto& [name, code] : failures->items()) {
            if (!g.ok()) break;
            if (std::find(names.begin(), names.end(), name) == names.end()) {
                g.fail(g.pathOf(name), "not a function of the Wi-Fi library");
                break;
            }
            g.markKnown(name);
            const std::optional<uint32_t> result = errorCode(code);
            if (!result)
                g.fail(g.pathOf(name), "expected an error code above 0x70000000, such as \"0x7FFF0001\"");
            else
                world.library.failures[name] = *result;
        }
        g.finish();
    }
    f.finish();
}

void readBox(const Json& value, const std::string& path, World& world, std::string& error) {
    Fields f(value, path, error);
    std::string quickStatus;
    f.text("quickStatus", quickStatus);
    if (f.ok() && !quickStatus.empty()) {
        const size_t colon = quickStatus.rfind(':');
        const std::optional<int32_t> port =
            colon == std::string::npos ? std::nullopt : str::toInt(quickStatus.substr(colon + 1));
        if (colon == 0 || !port || *port < 1 || *port > 65535 ||
            quickStatus.substr(colon + 1).find_first_of("+-") != std::string::npos)
            f.fail(f.pathOf("quickStatus"), "expected host:port such as \"127.0.0.1:8080\"");
        else {
            world.box.host = quickStatus.substr(0, colon);
            world.box.port = static_cast<uint16_t>(*port);
        }
    }
    f.text("labelKey", world.box.labelKey);
    f.finish();
}

std::string parseErrorText(const std::exception& e) {
    std::string what = e.what();
    const size_t bracket = what.find("] ");
    if (what.rfind("[json.exception.", 0) == 0 && bracket != std::string::npos)
        what.erase(0, bracket + 2);
    return what;
}

} // namespace

const std::vector<std::string_view>& wifiLibraryFunctionNames() {
    static const std::vector<std::string_view> names{
        "InstallDriver",           "SetLibraryOption",         "GetLibraryOption",
        "IsNativeWIFI",            "IsDirectWIFI",             "GetWIFIManagerVersion",
        "GetWIFIServiceStatus",    "SetWIFIServiceStatus",     "SetStorageOptions",
        "EnumerateAdapters",       "GetAdapterName",           "GetAdapterGUID",
        "GetAdapterIPInfo",        "SetAdapterIPInfo",         "GetAdapterCurrentIPInfo",
        "EnumerateAvailableNetworks", "GetAvailableNetworkName", "GetCurrentNetworkName",
        "EnumerateProfiles",       "GetProfileName",           "DeleteProfile",
        "LoadTmpProfileFromString", "SetTmpProfileOption",     "SetTmpProfileToAdapter",
        "FreeTmpProfile",          "ConnectToNetwork",         "DisconnectFromNetwork",
        "FreeAllResources"};
    return names;
}

std::optional<World> loadWorld(std::string_view text, std::string& error) {
    error.clear();
    Json document;
    try {
        document = Json::parse(text.begin(), text.end());
    } catch (const Json::exception& e) {
        error = "not a JSON document: " + parseErrorText(e);
        return std::nullopt;
    }

    World world;
    Fields f(document, "", error);
    f.text("description", world.description);
    if (const Json* windows = f.field("windows")) readWindows(*windows, "windows", world, error);
    if (const auto state = f.choice("wirelessService", {"running", "stopped"}))
        world.wirelessServiceRunning = *state == 0;
    if (const Json* library = f.field("library")) readLibrary(*library, "library", world, error);
    for (const auto& [item, path] : f.list("adapters"))
        if (f.ok()) world.adapters.push_back(readAdapter(*item, path, error));
    for (const auto& [item, path] : f.list("devices"))
        if (f.ok()) world.devices.push_back(readDevice(*item, path, error));
    if (const Json* box = f.field("box")) readBox(*box, "box", world, error);
    f.finish();
    if (!error.empty()) return std::nullopt;
    return world;
}

} // namespace cw
