#include "wizard/Navigation.h"

#include <gtest/gtest.h>

namespace cw {
namespace {

struct Case {
    const char* page;
    RouteInputs in;
    const char* target;  // nullptr: no route; "END": end of the wizard
    const char* flags;
    bool clearsJumpStart = false;
};

RouteInputs mode(int m) { return {m}; }
RouteInputs wps(int aps, int adapters) { return {0, true, 0, 0, aps, adapters}; }
RouteInputs wifi(int aps, int adapters) { return {0, false, aps, adapters, 0, 0}; }

void check(const Case& c, const std::optional<Route>& route) {
    SCOPED_TRACE(std::string(c.page) + " -> " + (c.target ? c.target : "nothing"));
    if (!c.target) {
        EXPECT_FALSE(route.has_value());
        return;
    }
    ASSERT_TRUE(route.has_value());
    if (std::string_view(c.target) == "END") {
        EXPECT_EQ(route->kind, Route::Kind::EndOfWizard);
        return;
    }
    EXPECT_EQ(route->kind, Route::Kind::Page);
    EXPECT_EQ(route->target, c.target);
    EXPECT_EQ(route->flags, parseGoFlags(c.flags));
    EXPECT_EQ(route->clearJumpStart, c.clearsJumpStart);
}

TEST(Navigation, FlagNotation) {
    EXPECT_EQ(parseGoFlags("-NC"), (GoFlags{false, true, true, false, false}));
    EXPECT_EQ(parseGoFlags("P-C"), (GoFlags{true, false, true, false, false}));
    EXPECT_EQ(parseGoFlags("--C Q F"), (GoFlags{false, false, true, true, true}));
    EXPECT_EQ(parseGoFlags("PNC F"), (GoFlags{true, true, true, false, true}));
    EXPECT_EQ(parseGoFlags("-N-"), (GoFlags{false, true, false, false, false}));
}

TEST(Navigation, NextRoutes) {
    const Case cases[] = {
        {"Page_Welcome", {}, "Page_WiFi_Device_Selector", "P-C"},
        {"page_welcome", {}, "Page_WiFi_Device_Selector", "P-C"},
        {"Page_WiFi_Device_Selector", {}, "Page_WiFi_APSelector", "P-C"},
        {"Page_WiFi_Svc_Error", {}, "Page_WiFi_Device_Selector", "P-C"},
        {"Page_WiFi_APSelector", wps(1, 1), "Page_WiFi_WPS_Process", "P-C"},
        {"Page_WiFi_APSelector", {}, "Page_WiFi_DataWep", "P-C"},
        {"Page_WiFi_WPS_WiFiOn", {}, "Page_WiFi_WPS_Info", "PNC"},
        {"Page_WiFi_WPS_Info", {}, "Page_WiFi_WPS_Process", "--C"},
        {"Page_WiFi_Warning_Secu", wps(0, 0), "Page_WiFi_Device_Selector", "P-C", true},
        {"Page_WiFi_Warning_1", {}, "Page_WiFi_DataWep", "P-C F"},
        // Player-mode routing after the connection.
        {"Page_WiFi_DataWep", mode(0), "Page_Check", "-N-"},
        {"Page_WiFi_DataWep", mode(1), "Page_1P", "-NC"},
        {"Page_WiFi_DataWep", mode(2), "Page_2P", "-NC"},
        {"Page_WiFi_DataWep", mode(3), "Page_2P", "-NC"},
        {"Page_WiFi_Warning_2", mode(2), "Page_2P", "-NC"},
        {"Page_Eth_DeviceSelector", mode(0), "Page_Check", "-N-"},
        {"Page_WiFi2Eth_Error", {}, "Page_WiFi_SSID_Error", "--C Q F"},
        {"Page_Eth_Info", {}, "Page_Eth_DeviceSelector", "-NC"},
        {"Page_1P", mode(1), "Page_Check", "-N-"},
        {"Page_1P", mode(2), "Page_2P", "-NC"},
        {"Page_1P", mode(3), "Page_2P", "-NC"},
        {"Page_1P", mode(0), nullptr, ""},
        {"Page_2P", mode(2), "Page_Check", "-N-"},
        {"Page_2P", mode(3), "Page_3P", "-NC"},
        {"Page_2P", mode(0), nullptr, ""},
        {"Page_3P", mode(3), "Page_Check", "-N-"},
        {"Page_Check", {}, "Page_End_Ok", "--C Q"},
        {"Page_End_OK", {}, "END", ""},
        // Error pages and unknown names: Next does nothing.
        {"Page_WiFi_Cx_Error", {}, nullptr, ""},
        {"Page_WiFi_SSID_Error", {}, nullptr, ""},
        {"Page_Nowhere", {}, nullptr, ""},
    };
    for (const Case& c : cases) check(c, nextRoute(c.page, c.in));
}

TEST(Navigation, PreviousRoutes) {
    const Case cases[] = {
        {"Page_WiFi_APSelector", {}, "Page_Welcome", "-NC F"},
        {"Page_WiFi_Device_Selector", {}, "Page_Welcome", "-NC F"},
        {"Page_WiFi_WPS_Info", wps(2, 2), "Page_WiFi_APSelector", "PNC"},
        {"Page_WiFi_WPS_Process", wps(1, 2), "Page_WiFi_Device_Selector", "P-C"},
        {"Page_WiFi_WPS_Process", wps(1, 1), "Page_Welcome", "-NC"},
        {"Page_WiFi_WPS_Info", wifi(2, 1), "Page_WiFi_APSelector", "PNC"},
        {"Page_WiFi_WPS_Process", wifi(1, 3), "Page_WiFi_Device_Selector", "P-C"},
        {"Page_WiFi_WPS_Info", wifi(1, 1), "Page_Welcome", "-NC"},
        // The WPS engine's lists count on the WPS path, the Wi-Fi manager's otherwise.
        {"Page_WiFi_WPS_Info", {0, true, 5, 5, 0, 0}, "Page_Welcome", "-NC"},
        {"Page_WiFi_Warning_1", {}, "Page_Welcome", "-NC F"},
        {"Page_WiFi_DataWep", wifi(2, 1), "Page_WiFi_APSelector", "P-C F"},
        {"Page_WiFi_DataWep", wifi(1, 2), "Page_WiFi_Device_Selector", "P-C F"},
        {"Page_WiFi_DataWep", wifi(1, 1), "Page_Welcome", "-NC F"},
        {"Page_WiFi_Warning_2", {}, "Page_WiFi_DataWep", "P-C F"},
        {"Page_Eth_Info", {}, "Page_WiFi2Eth_Error", "-NC"},
        {"Page_Eth_DeviceSelector", {}, "Page_Eth_Info", "PNC F"},
        {"Page_1P", mode(2), "Page_2P", "-NC"},
        {"Page_1P", mode(3), "Page_2P", "-NC"},
        {"Page_1P", mode(0), nullptr, ""},
        {"Page_2P", mode(2), "Page_Check", "-N-"},
        {"Page_2P", mode(3), "Page_3P", "PNC"},
        {"Page_2P", mode(0), nullptr, ""},
        {"Page_3P", mode(3), "Page_2P", "-NC"},
        {"Page_Check", mode(0), "Page_2P", "-NC"},
    };
    for (const Case& c : cases) check(c, previousRoute(c.page, c.in));
}

} // namespace
} // namespace cw
