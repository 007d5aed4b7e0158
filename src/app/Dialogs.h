// The shared dialogs: the message dialog (a modal notice or question with OK or Oui/Non)
// and the wait form (a modeless "please wait" window with an animation, at most one).
#pragma once

#include "app/ViewDecl.h"

#include <memory>
#include <string>
#include <string_view>

namespace cw {

class StringTable;
class Window;
class WindowFactory;
struct AppData;

enum class DialogKind { Warning = 0, Information = 1, Error = 2 };

// The results of ShowMessageDialog.
inline constexpr int kResultOK = 1;
inline constexpr int kResultYes = 6;
inline constexpr int kResultNo = 7;

// The dialogs' own string table and window declarations.
inline constexpr std::string_view kDialogTable = "TFormDialog";
inline constexpr std::string_view kWaitTable = "TFormWait";
[[nodiscard]] const WindowDecl& messageDialogDecl();
[[nodiscard]] const WindowDecl& waitFormDecl();

class Dialogs {
public:
    // `dialogTable` holds the default titles; `mainWindow` owns the dialogs (may be null
    // before the main window exists); `appData.FormOnTop` is read when the wait form closes.
    Dialogs(WindowFactory& factory, const StringTable& dialogTable, const AppData& appData);
    ~Dialogs();
    Dialogs(const Dialogs&) = delete;
    Dialogs& operator=(const Dialogs&) = delete;

    void setMainWindow(Window* mainWindow) { mainWindow_ = mainWindow; }

    // Shows the message modally; `kind` outside 0..2 shows no icon and no default title.
    // Returns kResultOK, kResultYes or kResultNo (0 when the program ends meanwhile).
    int ShowMessageDialog(std::string_view title, std::string_view text, int kind, bool okOnly);

    // Shows the wait form with `text`, or replaces its text when it is already shown.
    void Show_FormWait(std::string_view text);
    // Hides and destroys the wait form when there is one.
    void Close_FormWait();
    [[nodiscard]] Window* waitForm() const { return waitForm_.get(); }

private:
    WindowFactory& factory_;
    const StringTable& dialogTable_;
    const AppData& appData_;
    Window* mainWindow_ = nullptr;
    std::unique_ptr<Window> waitForm_;
};

} // namespace cw
