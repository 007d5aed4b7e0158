// The user-interface port: live windows made from declarations, whose controls the logic
// reads and changes by name. Win32 renders real controls; tests use plain data.
#pragma once

#include "app/ViewDecl.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace cw {

// A picture for an Image control: a file when one is named, else a bitmap resource.
struct Picture {
    std::string file;
    std::string resource;
};

enum class ControlEvent { Click, Change, Select };

// The controls of one window, by name. Unknown names are ignored (reads give empty values),
// so a missing control never stops the wizard.
class View {
public:
    virtual ~View() = default;

    virtual void setText(std::string_view control, std::string_view text) = 0;
    [[nodiscard]] virtual std::string text(std::string_view control) const = 0;
    virtual void setVisible(std::string_view control, bool visible) = 0;
    [[nodiscard]] virtual bool visible(std::string_view control) const = 0;
    virtual void setEnabled(std::string_view control, bool enabled) = 0;
    [[nodiscard]] virtual bool enabled(std::string_view control) const = 0;
    virtual void setFontColor(std::string_view control, Color color) = 0;
    // An Animation control starts again from its first frame with the new strip.
    virtual void setPicture(std::string_view control, const Picture& picture) = 0;
    virtual void setItems(std::string_view control, const std::vector<std::string>& items) = 0;
    [[nodiscard]] virtual std::vector<std::string> items(std::string_view control) const = 0;
    virtual void setSelection(std::string_view control, int index) = 0;
    [[nodiscard]] virtual int selection(std::string_view control) const = 0;
    virtual void setMaxLength(std::string_view control, int length) = 0;
    virtual void setProgress(std::string_view control, int position, int maximum) = 0;
    virtual void setFocus(std::string_view control) = 0;
    // Each character typed into edit `control` passes `filter` first; a character it refuses
    // never reaches the edit. Pasted text does not pass it. Control keys arrive as their
    // character codes (Backspace 8, Ctrl+C 3, Ctrl+V 22, Ctrl+X 24).
    virtual void setCharFilter(std::string_view control, std::function<bool(char32_t)> filter) = 0;
    // Puts an edit's caret after its first `position` characters.
    virtual void setCaret(std::string_view control, int position) = 0;

    // What the user does: a button clicked, an edit's text changed, a list item selected.
    void on(std::string_view control, ControlEvent event, std::function<void()> handler) {
        handlers_[{std::string(control), event}] = std::move(handler);
    }
    void onClick(std::string_view control, std::function<void()> handler) {
        on(control, ControlEvent::Click, std::move(handler));
    }

protected:
    // Runs a copy of the handler, so the handler may replace itself or close the window.
    void raise(std::string_view control, ControlEvent event) {
        const auto it = handlers_.find({std::string(control), event});
        if (it == handlers_.end()) return;
        if (auto handler = it->second) handler();
    }

private:
    std::map<std::pair<std::string, ControlEvent>, std::function<void()>> handlers_;
};

class Window : public View {
public:
    virtual void show() = 0;
    virtual void hide() = 0;
    [[nodiscard]] virtual bool isShown() const = 0;
    virtual void setTopmost(bool topmost) = 0;
    virtual void setTitle(std::string_view title) = 0;
    // Shows the window modally (its owner disabled) and runs messages until endModal;
    // returns the code given to endModal (0 when the program is ending).
    virtual int showModal() = 0;
    virtual void endModal(int result) = 0;
    // Paints what changed now, without waiting for the message loop.
    virtual void repaint() = 0;
    // The system's default sound, for a refused keystroke or entry.
    virtual void beep() = 0;

    // Runs when the user asks to close the window (Alt+F4) and no cancel control answers.
    void setOnCloseRequest(std::function<void()> handler) { onCloseRequest_ = std::move(handler); }

protected:
    void requestClose() {
        if (auto handler = onCloseRequest_) handler();
    }

private:
    std::function<void()> onCloseRequest_;
};

class WindowFactory {
public:
    virtual ~WindowFactory() = default;
    // A hidden window made from `decl`, owned by `owner` (null for a top-level window).
    [[nodiscard]] virtual std::unique_ptr<Window> createWindow(const WindowDecl& decl,
                                                               Window* owner) = 0;
    // A hidden child window (a page, a button strip) filling control `hostControl` of
    // `host`; modal runs and shapes do not apply to it.
    [[nodiscard]] virtual std::unique_ptr<Window> createChildWindow(const WindowDecl& decl,
                                                                    Window& host,
                                                                    std::string_view hostControl) = 0;
};

} // namespace cw
