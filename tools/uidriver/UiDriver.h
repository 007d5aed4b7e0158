// Drives the windows of another process for end-to-end tests: starts the program, finds its
// top-level windows, finds their controls by declared name and reads or works them through
// window messages, as a user would. Every text in and out is UTF-8.
//
// A control's declared name is a global atom stored in its window property "ConfigWiFi.Name".
#pragma once

#include "win32/Handles.h"

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cw::uidriver {

// The window property whose value is the atom of a control's declared name.
inline constexpr wchar_t kNameProperty[] = L"ConfigWiFi.Name";

// Empty fields and a zero process id match any window.
struct WindowQuery {
    std::string className;
    std::string title;
    DWORD processId = 0;
    // A window is found once the user can see it (a window is listed while still being
    // created, before its controls exist), and gone once hidden.
    bool visibleOnly = true;
};

struct ControlInfo {
    HWND hwnd = nullptr;
    std::string name; // empty when the control carries no declared name
    std::string className;
    std::string text; // window text as the control holds it (markup included)
    bool visible = false;
    bool enabled = false;
};

enum class TextForm {
    Raw,   // the window text as is
    Plain, // markup tags removed, <BR> as a line break
};

using EnvironmentAdditions = std::vector<std::pair<std::string, std::string>>;

class UiDriver {
  public:
    UiDriver() = default;
    UiDriver(const UiDriver&) = delete;
    UiDriver& operator=(const UiDriver&) = delete;
    // Leaves a started program running: ending it is the caller's decision.
    ~UiDriver() = default;

    // --- The program under test ---------------------------------------------------------
    // Starts `exePath` (a Windows path) with its arguments, quoted as the C runtime expects,
    // and the environment of this process plus `environment` (added or replaced by name).
    [[nodiscard]] bool start(const std::string& exePath, const std::vector<std::string>& args,
                             const EnvironmentAdditions& environment = {});
    // Follows a program started elsewhere (another uidriver invocation, for instance).
    [[nodiscard]] bool attach(DWORD processId);
    [[nodiscard]] DWORD processId() const { return processId_; }
    [[nodiscard]] bool isRunning() const;
    // The exit code once the program has ended.
    [[nodiscard]] std::optional<DWORD> exitCode() const;
    [[nodiscard]] bool waitForExit(int timeoutMs);
    [[nodiscard]] bool terminate(UINT exitCode);

    // --- Top-level windows --------------------------------------------------------------
    [[nodiscard]] std::vector<HWND> findWindows(const WindowQuery& query) const;
    // The first visible match, else the first match, else null.
    [[nodiscard]] HWND findWindow(const WindowQuery& query) const;
    [[nodiscard]] HWND waitForWindow(const WindowQuery& query, int timeoutMs) const;
    [[nodiscard]] bool waitForNoWindow(const WindowQuery& query, int timeoutMs) const;

    // --- Controls -----------------------------------------------------------------------
    // Every descendant of `window` with its declared name.
    [[nodiscard]] std::vector<ControlInfo> controls(HWND window) const;
    // A control by declared name; several controls may share a name (pages each have their
    // "HTML_Text"), so a visible one wins. "Outer/Inner" looks for Inner below a control
    // named Outer.
    [[nodiscard]] HWND findControl(HWND window, std::string_view name) const;
    [[nodiscard]] HWND waitForControl(HWND window, std::string_view name, int timeoutMs) const;

    [[nodiscard]] std::optional<std::string> text(HWND control,
                                                  TextForm form = TextForm::Raw) const;
    // Waits until the control's text contains `part` (case-sensitive).
    [[nodiscard]] bool waitForText(HWND control, std::string_view part, int timeoutMs,
                                   TextForm form = TextForm::Plain) const;
    [[nodiscard]] static bool isVisible(HWND control) { return IsWindowVisible(control) != 0; }
    [[nodiscard]] static bool isEnabled(HWND control) { return IsWindowEnabled(control) != 0; }

    // Posts BM_CLICK: the program's click handler may run a long wait or a modal dialog,
    // which must not block the driver. Watch for its effect with the wait functions.
    [[nodiscard]] bool click(HWND button);
    // WM_SETTEXT, sent: the edit then notifies EN_CHANGE as for a user's change.
    [[nodiscard]] bool setText(HWND control, std::string_view text);
    // One posted WM_CHAR per UTF-16 unit, as the keyboard would deliver them; into an edit,
    // after its current text.
    [[nodiscard]] bool typeText(HWND control, std::string_view text);

    [[nodiscard]] std::optional<std::vector<std::string>> items(HWND listBox) const;
    [[nodiscard]] int selectedIndex(HWND listBox) const;
    // LB_SETCURSEL, then LBN_SELCHANGE to the parent, as a user's selection does.
    [[nodiscard]] bool selectItem(HWND listBox, int index);

    // One line per control: name, class, visible, enabled, text (and a list box's items);
    // for diagnostics.
    [[nodiscard]] std::string dump(HWND window) const;
    [[nodiscard]] bool writeDump(HWND window, const std::string& path) const;

    // Saves what the screen shows of `window` (the whole screen when null) as a 24-bit BMP.
    [[nodiscard]] bool saveScreenshot(HWND window, const std::string& bmpPath) const;

    // What the last failing call could not do, with the system's error code where one exists.
    [[nodiscard]] const std::string& lastError() const { return lastError_; }

  private:
    // " items=[a; b] selected=1" for a list box, empty for other controls.
    std::string listContent(const ControlInfo& control) const;
    bool writeFile(const std::string& path, const std::string& content) const;
    bool fail(std::string what) const;
    bool failWithSystemError(std::string what) const;
    bool sendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result,
                     std::string_view what) const;

    win::KernelHandle process_;
    DWORD processId_ = 0;
    mutable std::string lastError_;
};

// --- Helpers, also used by the console front end and the tests ------------------------
// The declared name of a control, empty when it has none.
[[nodiscard]] std::string declaredName(HWND control);
[[nodiscard]] std::string windowClassName(HWND window);
// The text of a label's markup as the wizard shows it: tags removed, <BR> as a line break,
// entities decoded, "• " before list items.
[[nodiscard]] std::string stripMarkup(std::string_view markup);
// One argument quoted so that CommandLineToArgvW and the C runtime give it back unchanged.
[[nodiscard]] std::string quoteArgument(std::string_view argument);
// Wine shows the Unix root as drive Z: "/work/a.exe" -> "Z:\work\a.exe"; other paths unchanged.
[[nodiscard]] std::string unixPathToWine(std::string_view path);

} // namespace cw::uidriver
