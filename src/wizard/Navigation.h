// The navigation graph: which page the Next and Previous buttons lead to, as tables read
// from the current page and the run mode. Routes are written as in the flags notation:
// "P-C" shows Previous and Cancel and hides Next; " Q" captions Cancel "Quitter";
// " F" forces the switch (no CanExit, CanEnter, OnExit, OnEnter).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace cw {

struct GoFlags {
    bool prev = false, next = false, cancel = false, quit = false, forced = false;
    bool operator==(const GoFlags&) const = default;
};

// "PNC", "-N-", "--C Q F"... Unknown letters are ignored.
[[nodiscard]] GoFlags parseGoFlags(std::string_view notation);

// What the routes read of the wizard's state at the moment of the click.
struct RouteInputs {
    int playerMode = 0;
    bool jumpStartMode = false;
    int wifiFilteredApCount = 0;  // the Wi-Fi manager's filtered access point list
    int wifiAdapterCount = 0;     // the Wi-Fi manager's adapter count
    int wpsApCount = 0;           // the WPS engine's access point list
    int wpsAdapterCount = 0;      // the WPS engine's adapter list
};

struct Route {
    enum class Kind { Page, EndOfWizard };
    Kind kind = Kind::Page;
    std::string target;
    GoFlags flags;
    bool clearJumpStart = false;  // cleared before switching
};

// The player-mode routing that ends the connection part of the wizard.
[[nodiscard]] Route playerModeRoute(int playerMode);

// The first matching route of the Next / Previous table, or nullopt ("does nothing").
[[nodiscard]] std::optional<Route> nextRoute(std::string_view currentPage, const RouteInputs& in);
[[nodiscard]] std::optional<Route> previousRoute(std::string_view currentPage, const RouteInputs& in);

} // namespace cw
