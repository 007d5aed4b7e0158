// "Page_WiFi_Device_Selector": the first page of every Wi-Fi run. Its CanEnter does the work
// before the page is ever shown: it starts the Wi-Fi manager (key-entry mode) and moves on by
// itself when one adapter serves; the page is shown only when the user must choose among
// several adapters.
#pragma once

#include "platform/DeviceInventory.h"
#include "wizard/TitledPage.h"

#include <compare>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cw {

// A calendar day, compared day by day (no time of day).
struct CalendarDate {
    int year = 0, month = 0, day = 0;
    auto operator<=>(const CalendarDate&) const = default;
};

// The date format of the driver check, in force for the rest of the run once set: month,
// day, four-digit year ("m/d/yyyy") with "-" between them, as the drivers' DriverDate values
// are written ("6-1-2004").
struct ShortDateFormat {
    char separator = '-';
};
// The day written in that format, or nullopt when the text is not a valid date.
[[nodiscard]] std::optional<CalendarDate> parseShortDate(std::string_view text,
                                                         const ShortDateFormat& format);

// The names of the network devices whose driver is dated `reference` or later, or whose date
// cannot be read; a name containing "JUMPSTART" (the WPS stack's adapter) is never accepted.
[[nodiscard]] std::vector<std::string>
acceptedDriverNames(const std::vector<InstalledDevice>& devices, const CalendarDate& reference,
                    const ShortDateFormat& format);

class TFm_WiFi_DeviceSelector : public TitledPage {
  public:
    static constexpr std::string_view kList = "CBX_NetDevice";
    // The library gets this long to list the adapters and scan once.
    static constexpr uint32_t kStartWaitMs = 2000;

    explicit TFm_WiFi_DeviceSelector(AppContext& app);

    [[nodiscard]] bool CanEnter() override;
    [[nodiscard]] bool CanExit() override;
    void ReleaseFrame() override;

    void CBX_NetDeviceClick();

    [[nodiscard]] const std::vector<std::string>& acceptedDrivers() const {
        return acceptedDrivers_;
    }

  protected:
    // The WPS path. Until the WPS engine exists these take the routes of an engine that
    // cannot start, so the wizard falls back to the key-entry path.
    [[nodiscard]] virtual bool wpsWirelessServiceStarted();
    [[nodiscard]] virtual bool enterWps();
    [[nodiscard]] virtual bool wpsAdapterSelect(const std::string& adapterName);
    // The WPS engine's Refresh_Adapter_Config with no adapter name, when an engine exists.
    virtual void wpsRefreshAdapterConfig();

  private:
    void wireList();
    [[nodiscard]] bool wpsChecksApply() const;
    [[nodiscard]] bool checkWirelessService();
    void checkDriverDates();
    [[nodiscard]] bool enterKeyEntry();
    [[nodiscard]] bool restartWiFiManager();
    void go(std::string_view page, std::string_view flags);

    std::vector<std::string> acceptedDrivers_;
    bool wired_ = false;
};

} // namespace cw
