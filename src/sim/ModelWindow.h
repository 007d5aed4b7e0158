// Windows as plain data, for tests and for running the logic without a screen. Tests read
// the controls' state and act as the user would (click, type, select).
#pragma once

#include "platform/Ui.h"

#include <functional>
#include <map>
#include <vector>

namespace cw {

class ModelWindowFactory;

struct ModelControl {
    ControlDecl decl;
    std::string text;
    bool visible = true;
    bool enabled = true;
    Color color = kBlack;
    Picture picture;
    int pictureLoads = 0;  // an animation starts again from its first frame on each load
    std::vector<std::string> items;
    int selection = -1;
    int maxLength = 0;
    int position = 0;
    int maximum = 100;
    int caret = 0;  // edits: characters before the caret
    std::function<bool(char32_t)> charFilter;
};

class ModelWindow : public Window {
public:
    ModelWindow(ModelWindowFactory& factory, const WindowDecl& decl, Window* owner,
                std::string hostControl = {});
    ~ModelWindow() override;

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

    void show() override { shown_ = true; }
    void hide() override { shown_ = false; }
    [[nodiscard]] bool isShown() const override { return shown_; }
    void setTopmost(bool topmost) override { topmost_ = topmost; }
    void setTitle(std::string_view title) override { title_ = title; }
    int showModal() override;
    void endModal(int result) override;
    void repaint() override { ++repaints_; }
    void beep() override { ++beeps_; }

    // What a test looks at.
    [[nodiscard]] const WindowDecl& decl() const { return decl_; }
    [[nodiscard]] const ModelControl* control(std::string_view name) const;
    [[nodiscard]] bool topmost() const { return topmost_; }
    [[nodiscard]] const std::string& title() const { return title_; }
    [[nodiscard]] Window* owner() const { return owner_; }
    // For a child window: the control of its owner it fills.
    [[nodiscard]] const std::string& hostControl() const { return hostControl_; }
    [[nodiscard]] const std::string& focus() const { return focus_; }
    [[nodiscard]] bool inModal() const { return inModal_; }
    [[nodiscard]] int beeps() const { return beeps_; }

    // What a user does. Clicking a hidden or disabled control does nothing, as on screen.
    void click(std::string_view control);
    void type(std::string_view control, std::string_view text);
    void select(std::string_view control, int index);
    // One key typed into an edit, through its character filter: Backspace removes the last
    // character, other control keys change nothing here, any other character is appended
    // while the edit's maximum length allows. Returns false when the filter refused it.
    bool press(std::string_view control, char32_t key);

private:
    ModelControl* find(std::string_view name);

    ModelWindowFactory& factory_;
    WindowDecl decl_;
    Window* owner_;
    std::string hostControl_;
    std::map<std::string, ModelControl> controls_;  // lower-case name -> state
    std::string title_;
    std::string focus_;
    bool shown_ = false;
    bool topmost_ = false;
    bool inModal_ = false;
    int modalResult_ = 0;
    bool modalEnded_ = false;
    int repaints_ = 0;
    int beeps_ = 0;
};

class ModelWindowFactory : public WindowFactory {
public:
    [[nodiscard]] std::unique_ptr<Window> createWindow(const WindowDecl& decl,
                                                       Window* owner) override;
    [[nodiscard]] std::unique_ptr<Window> createChildWindow(const WindowDecl& decl, Window& host,
                                                            std::string_view hostControl) override;
    // A window by its class, or a child window by its name.
    [[nodiscard]] ModelWindow* findNamed(std::string_view name) const;

    // Called when a window is shown modally: the test plays the user there (click a
    // button, which ends the modal run). Without it a modal run ends at once with 0.
    std::function<void(ModelWindow&)> onModal;

    // Windows alive now, oldest first, and how many were ever made of each class.
    [[nodiscard]] const std::vector<ModelWindow*>& windows() const { return windows_; }
    [[nodiscard]] ModelWindow* find(std::string_view className) const;
    [[nodiscard]] int created(std::string_view className) const;

private:
    friend class ModelWindow;
    std::vector<ModelWindow*> windows_;
    std::map<std::string, int> created_;
};

} // namespace cw
