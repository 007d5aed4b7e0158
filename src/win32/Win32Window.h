// The renderer: turns a window declaration into a real top-level window with standard
// controls (and our HTML label and animation controls), and forwards user input to the
// logic as view events. One window procedure serves every window it creates.
#pragma once

#include "platform/Ui.h"
#include "win32/FontCache.h"
#include "win32/Handles.h"

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>

namespace cw {

class EventLoop;

// The property every control carries: a global atom of its declared name, so that other
// programs (the UI driver of the end-to-end tests) find controls by name.
inline constexpr const wchar_t* kControlNameProperty = L"ConfigWiFi.Name";

// Marks top-level windows whose messages go through IsDialogMessage first.
inline constexpr const wchar_t* kKeyboardNavigationProperty = L"ConfigWiFi.Keyboard";

class Win32Window : public Window {
public:
    // A top-level window owned by `owner`, or, with `parent`, a child window filling it.
    Win32Window(HINSTANCE instance, EventLoop& loop, FontCache& fonts, const WindowDecl& decl,
                HWND owner, HWND parent = nullptr);
    ~Win32Window() override;

    void setText(std::string_view control, std::string_view text) override;
    [[nodiscard]] std::string text(std::string_view control) const override;
    void setVisible(std::string_view control, bool visible) override;
    [[nodiscard]] bool visible(std::string_view control) const override;
    void setEnabled(std::string_view control, bool enabled) override;
    [[nodiscard]] bool enabled(std::string_view control) const override;
    void setFontColor(std::string_view control, Color color) override;
    void setPicture(std::string_view control, const Picture& picture) override;
    void setItems(std::string_view control, const std::vector<std::string>& items) override;
    [[nodiscard]] std::vector<std::string> items(std::string_view control) const override;
    void setSelection(std::string_view control, int index) override;
    [[nodiscard]] int selection(std::string_view control) const override;
    void setMaxLength(std::string_view control, int length) override;
    void setProgress(std::string_view control, int position, int maximum) override;
    void setFocus(std::string_view control) override;
    void setCharFilter(std::string_view control, std::function<bool(char32_t)> filter) override;
    void setCaret(std::string_view control, int position) override;

    void show() override;
    void hide() override;
    [[nodiscard]] bool isShown() const override;
    void setTopmost(bool topmost) override;
    void setTitle(std::string_view title) override;
    int showModal() override;
    void endModal(int result) override;
    void repaint() override;
    void beep() override;

    [[nodiscard]] HWND hwnd() const { return hwnd_; }
    [[nodiscard]] HWND controlHandle(std::string_view control) const;
    // Messages the owner of this window wants first (log-off, forwarded command lines...):
    // a value means "handled, return this".
    std::function<std::optional<LRESULT>(UINT, WPARAM, LPARAM)> messageHook;

    static bool registerClasses(HINSTANCE instance);

private:
    struct Control;
    static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
    LRESULT handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void createControls();
    void applyShape();
    void onCommand(WORD id, WORD code);
    void clickCancelControl();
    void drawButton(const DRAWITEMSTRUCT& item);
    void paintBackground(HDC dc, HWND target);
    void redrawBehind(const Control& control);
    [[nodiscard]] Control* find(std::string_view name) const;
    [[nodiscard]] Control* findById(int id) const;

    HINSTANCE instance_;
    EventLoop& loop_;
    FontCache& fonts_;
    WindowDecl decl_;
    HWND owner_;
    HWND hwnd_ = nullptr;
    ATOM nameAtom_ = 0;  // a child window's own name, as its controls carry theirs
    win::GdiObject background_;
    std::vector<std::unique_ptr<Control>> controls_;
    bool inModal_ = false;
    bool modalEnded_ = false;
    int modalResult_ = 0;
    bool settingText_ = false;  // changes made by the logic raise no Change event
};

class Win32WindowFactory : public WindowFactory {
public:
    Win32WindowFactory(HINSTANCE instance, EventLoop& loop);
    [[nodiscard]] std::unique_ptr<Window> createWindow(const WindowDecl& decl,
                                                       Window* owner) override;
    [[nodiscard]] std::unique_ptr<Window> createChildWindow(const WindowDecl& decl, Window& host,
                                                            std::string_view hostControl) override;

private:
    HINSTANCE instance_;
    EventLoop& loop_;
    FontCache fonts_;
};

} // namespace cw
