// TFrmDialer: the connection progress window. It shows the steps of a connection attempt,
// the DHCP wait on a progress bar, and reports the user's "Arrêter..." and "OK"; the Wi-Fi
// manager drives every control and decides every step.
#pragma once

#include "app/ViewDecl.h"

#include <memory>
#include <string_view>

namespace cw {

class StringTable;
class Window;
class WindowFactory;

class TFrmDialer {
public:
    static constexpr std::string_view kModuleName = "TFrmDialer";

    // The images of the window's step-mark list.
    static constexpr int kMarkDone = 0;
    static constexpr int kMarkDoneGrey = 1;
    static constexpr int kMarkFailed = 2;
    static constexpr int kMarkFailedGrey = 3;

    // Creates the hidden window; `captions` (may be null) overrides the declared texts.
    TFrmDialer(WindowFactory& factory, Window* owner, const StringTable* captions);
    ~TFrmDialer();
    TFrmDialer(const TFrmDialer&) = delete;
    TFrmDialer& operator=(const TFrmDialer&) = delete;

    [[nodiscard]] static const WindowDecl& decl();
    // The bitmap resource of a step mark, or empty for an unknown mark.
    [[nodiscard]] static std::string_view markResource(int mark);

    [[nodiscard]] Window& window() { return *window_; }

    // True from creation until the user presses "Arrêter...".
    [[nodiscard]] bool ProcessRunning() const { return processRunning_; }
    [[nodiscard]] bool AllowClose() const { return allowClose_; }
    void setAllowClose(bool allow) { allowClose_ = allow; }

    // Puts image `mark` of the step-mark list into a step's image control.
    void setStepMark(std::string_view imageControl, int mark);

    // A close request (the manager's, Alt+F4, Escape): honoured only while AllowClose is set.
    void Close();
    // The window has closed; its owner may now release it.
    [[nodiscard]] bool closed() const { return closed_; }

    void Dialer_BCancelClick();
    void Dialer_BOKClick();
    [[nodiscard]] bool FormCloseQuery() const { return allowClose_; }

private:
    void FormCreate();
    void FormClose();

    std::unique_ptr<Window> window_;
    bool processRunning_ = false;
    bool allowClose_ = false;
    bool closed_ = false;
};

} // namespace cw
