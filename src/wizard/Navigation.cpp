#include "wizard/Navigation.h"

#include "app/StringUtil.h"

#include <functional>

namespace cw {

GoFlags parseGoFlags(std::string_view notation) {
    GoFlags f;
    const std::string_view buttons = notation.substr(0, std::min<size_t>(3, notation.size()));
    f.prev = buttons.find('P') != std::string_view::npos;
    f.next = buttons.find('N') != std::string_view::npos;
    f.cancel = buttons.find('C') != std::string_view::npos;
    const std::string_view rest = notation.size() > 3 ? notation.substr(3) : std::string_view{};
    f.quit = rest.find('Q') != std::string_view::npos;
    f.forced = rest.find('F') != std::string_view::npos;
    return f;
}

namespace {

using Condition = std::function<bool(const RouteInputs&)>;

// One row of a route table. An empty target means the player-mode routing; "END" the end
// of the wizard.
struct Row {
    const char* page;
    Condition when;  // null: always
    const char* target;
    const char* flags;
    bool clearJumpStart = false;
};

constexpr const char* kPlayerMode = "";
constexpr const char* kEnd = "END";

bool mode(const RouteInputs& in, int a) { return in.playerMode == a; }
bool jumpStart(const RouteInputs& in) { return in.jumpStartMode; }
bool noJumpStart(const RouteInputs& in) { return !in.jumpStartMode; }

const Row kNextRoutes[] = {
    {"Page_Welcome", nullptr, "Page_WiFi_Device_Selector", "P-C"},
    {"Page_WiFi_Device_Selector", nullptr, "Page_WiFi_APSelector", "P-C"},
    {"Page_WiFi_Svc_Error", nullptr, "Page_WiFi_Device_Selector", "P-C"},
    {"Page_WiFi_APSelector", jumpStart, "Page_WiFi_WPS_Process", "P-C"},
    {"Page_WiFi_APSelector", nullptr, "Page_WiFi_DataWep", "P-C"},
    {"Page_WiFi_WPS_WiFiOn", nullptr, "Page_WiFi_WPS_Info", "PNC"},
    {"Page_WiFi_WPS_Info", nullptr, "Page_WiFi_WPS_Process", "--C"},
    {"Page_WiFi_Warning_Secu", nullptr, "Page_WiFi_Device_Selector", "P-C", true},
    {"Page_WiFi_Warning_1", nullptr, "Page_WiFi_DataWep", "P-C F"},
    {"Page_WiFi_DataWep", nullptr, kPlayerMode, ""},
    {"Page_WiFi_Warning_2", nullptr, kPlayerMode, ""},
    {"Page_WiFi2Eth_Error", nullptr, "Page_WiFi_SSID_Error", "--C Q F"},
    {"Page_Eth_Info", nullptr, "Page_Eth_DeviceSelector", "-NC"},
    {"Page_Eth_DeviceSelector", nullptr, kPlayerMode, ""},
    {"Page_1P", [](const RouteInputs& in) { return mode(in, 1); }, "Page_Check", "-N-"},
    {"Page_1P", [](const RouteInputs& in) { return mode(in, 2) || mode(in, 3); }, "Page_2P", "-NC"},
    {"Page_2P", [](const RouteInputs& in) { return mode(in, 2); }, "Page_Check", "-N-"},
    {"Page_2P", [](const RouteInputs& in) { return mode(in, 3); }, "Page_3P", "-NC"},
    {"Page_3P", nullptr, "Page_Check", "-N-"},
    {"Page_Check", nullptr, "Page_End_Ok", "--C Q"},
    {"Page_End_OK", nullptr, kEnd, ""},
};


const Row kPreviousRoutes[] = {
    {"Page_WiFi_APSelector", nullptr, "Page_Welcome", "-NC F"},
    {"Page_WiFi_Device_Selector", nullptr, "Page_Welcome", "-NC F"},
    // The two WPS pages share their rows (see previousRoute).
    {"Page_WiFi_WPS_Info", [](const RouteInputs& in) { return in.jumpStartMode && in.wpsApCount >= 2; },
     "Page_WiFi_APSelector", "PNC"},
    {"Page_WiFi_WPS_Info",
     [](const RouteInputs& in) { return in.jumpStartMode && in.wpsAdapterCount >= 2; },
     "Page_WiFi_Device_Selector", "P-C"},
    {"Page_WiFi_WPS_Info", jumpStart, "Page_Welcome", "-NC"},
    {"Page_WiFi_WPS_Info",
     [](const RouteInputs& in) { return !in.jumpStartMode && in.wifiFilteredApCount >= 2; },
     "Page_WiFi_APSelector", "PNC"},
    {"Page_WiFi_WPS_Info",
     [](const RouteInputs& in) { return !in.jumpStartMode && in.wifiAdapterCount >= 2; },
     "Page_WiFi_Device_Selector", "P-C"},
    {"Page_WiFi_WPS_Info", noJumpStart, "Page_Welcome", "-NC"},
    {"Page_WiFi_Warning_1", nullptr, "Page_Welcome", "-NC F"},
    {"Page_WiFi_DataWep", [](const RouteInputs& in) { return in.wifiFilteredApCount >= 2; },
     "Page_WiFi_APSelector", "P-C F"},
    {"Page_WiFi_DataWep", [](const RouteInputs& in) { return in.wifiAdapterCount >= 2; },
     "Page_WiFi_Device_Selector", "P-C F"},
    {"Page_WiFi_DataWep", nullptr, "Page_Welcome", "-NC F"},
    {"Page_WiFi_Warning_2", nullptr, "Page_WiFi_DataWep", "P-C F"},
    {"Page_Eth_Info", nullptr, "Page_WiFi2Eth_Error", "-NC"},
    {"Page_Eth_DeviceSelector", nullptr, "Page_Eth_Info", "PNC F"},
    {"Page_1P", [](const RouteInputs& in) { return mode(in, 2) || mode(in, 3); }, "Page_2P", "-NC"},
    {"Page_1P", nullptr, nullptr, ""},
    {"Page_2P", [](const RouteInputs& in) { return mode(in, 2); }, "Page_Check", "-N-"},
    {"Page_2P", [](const RouteInputs& in) { return mode(in, 3); }, "Page_3P", "PNC"},
    {"Page_2P", nullptr, nullptr, ""},
};

// The route of a matching row; a row without target means "nothing".
std::optional<Route> routeOf(const Row& row, const RouteInputs& in) {
    if (!row.target) return std::nullopt;
    if (std::string_view(row.target) == kPlayerMode) return playerModeRoute(in.playerMode);
    Route r;
    if (std::string_view(row.target) == kEnd) {
        r.kind = Route::Kind::EndOfWizard;
        return r;
    }
    r.target = row.target;
    r.flags = parseGoFlags(row.flags);
    r.clearJumpStart = row.clearJumpStart;
    return r;
}

template <size_t N>
const Row* firstMatch(const Row (&table)[N], std::string_view page, const RouteInputs& in) {
    for (const Row& row : table)
        if (str::equalsNoCase(row.page, page) && (!row.when || row.when(in))) return &row;
    return nullptr;
}

} // namespace

Route playerModeRoute(int playerMode) {
    struct ModeRoute {
        const char* target;
        const char* flags;
    };
    static constexpr ModeRoute kByMode[] = {
        {"Page_Check", "-N-"}, {"Page_1P", "-NC"}, {"Page_2P", "-NC"}, {"Page_2P", "-NC"}};
    const ModeRoute& m = kByMode[playerMode >= 0 && playerMode <= 3 ? playerMode : 0];
    Route r;
    r.target = m.target;
    r.flags = parseGoFlags(m.flags);
    return r;
}

std::optional<Route> nextRoute(std::string_view currentPage, const RouteInputs& in) {
    const Row* row = firstMatch(kNextRoutes, currentPage, in);
    return row ? routeOf(*row, in) : std::nullopt;
}

std::optional<Route> previousRoute(std::string_view currentPage, const RouteInputs& in) {
    // "Page_WiFi_WPS_Process" takes the rows of "Page_WiFi_WPS_Info".
    const std::string_view page =
        str::equalsNoCase(currentPage, "Page_WiFi_WPS_Process") ? "Page_WiFi_WPS_Info" : currentPage;
    if (const Row* row = firstMatch(kPreviousRoutes, page, in)) return routeOf(*row, in);
    // Any other page goes back to the phone page.
    Route r;
    r.target = "Page_2P";
    r.flags = parseGoFlags("-NC");
    return r;
}

} // namespace cw
