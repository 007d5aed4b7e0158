// "Page_WiFi_DataWep": the box's Wi-Fi key, typed twice and checked as it is typed; Next hands
// the key to the Wi-Fi manager and runs the connection attempt. A failure leads to an error
// page; success lets the wizard go on by player mode.
#pragma once

#include "wizard/TitledPage.h"

#include <cstdint>
#include <string_view>

namespace cw {

class TFm_Frame_Manager;

// A key field's colour is its state: acceptable or not.
inline constexpr Color kKeyGood = 0x008000;
inline constexpr Color kKeyBad = 0xFF0000;

inline constexpr int kKeyMinLength = 8;
inline constexpr int kWpaKeyMaxLength = 63;
inline constexpr int kWepKeyMaxLength = 13;

// The keys a WEP key may be typed with: the listed symbols, digits, ASCII letters, the
// clipboard keys Ctrl+C, Ctrl+V, Ctrl+X, and Backspace so that a typing error can be undone.
[[nodiscard]] bool isWepKeyChar(char32_t key);

// After a failed connection attempt (the state byte it left): the Wi-Fi-to-Ethernet page or
// the connection error page. Also used by the second Wi-Fi warning page.
void goAfterConnectionFailure(TFm_Frame_Manager& manager, bool ethernetModeSwitch,
                              uint8_t dhcpState);

class TFm_WiFi_DataWep : public TitledPage {
  public:
    static constexpr std::string_view kKeyField = "Wep1";
    static constexpr std::string_view kConfirmField = "Wep1b";

    explicit TFm_WiFi_DataWep(AppContext& app);

    [[nodiscard]] bool CanExit() override;
    void DoBeforeDisplay(Window& sender) override;
    void DoAfterDisplay(Window& sender) override;

    // The change of either field.
    void WepFieldChange(std::string_view field);
    // A key typed in either field; false swallows it.
    [[nodiscard]] bool WepFieldKeyPress(std::string_view field, char32_t key);

  private:
    struct KeyField {
        std::string_view name;
        int minLength = kKeyMinLength; // the field's tag
        int maxLength = kWpaKeyMaxLength;
        bool good = false;
    };

    void wireFields();
    [[nodiscard]] KeyField& field(std::string_view name);
    void setGood(KeyField& f, bool good);
    void setMaxLength(KeyField& f, int length);
    void showNextWhenBothGood();
    [[nodiscard]] int length(const KeyField& f);
    [[nodiscard]] bool confirmationMatches();
    [[nodiscard]] bool fieldCheck();
    [[nodiscard]] bool wepFieldCheck();
    [[nodiscard]] bool wpaFieldCheck();
    void refuseEntry(std::string_view messageKey);
    void backToKeyField();

    KeyField key_{kKeyField};
    KeyField confirm_{kConfirmField};
    bool wired_ = false;
};

} // namespace cw
