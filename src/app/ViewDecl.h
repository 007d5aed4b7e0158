// Windows, dialogs and pages declare their controls as data: the renderer turns a
// declaration into real controls, and native tests read and drive the same declaration.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace cw {

enum class ControlKind {
    Label,       // plain text
    HtmlLabel,   // text with <B>, <BR>, <FONT ...> markup
    Image,       // a bitmap from the program's resources or the skin directory
    ListBox,
    Edit,
    Button,
    ProgressBar,
    GroupBox,
    Bevel,       // an etched frame
    Panel,       // a container; its children name it as their parent
    Animation,   // a frame strip played by a timer
};

// 0x00RRGGBB.
using Color = uint32_t;
inline constexpr Color kWhite = 0xFFFFFF;
inline constexpr Color kBlack = 0x000000;
inline constexpr Color kGrey = 0x808080;

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const Rect&) const = default;
};

struct FontSpec {
    std::string face = "MS Sans Serif";
    int pixels = 11;  // character height in pixels (8 pt at 96 dpi)
    bool bold = false;
    Color color = kBlack;
    bool operator==(const FontSpec&) const = default;
};

// A frame strip: frames across and down, the first frame shown, milliseconds per frame.
struct AnimationSpec {
    int columns = 1;
    int rows = 1;
    int firstFrame = 0;
    int intervalMs = 0;
};

struct ControlDecl {
    std::string name;   // the control's name, also how tools find it
    ControlKind kind = ControlKind::Label;
    Rect rect;          // relative to the parent (window or panel)
    std::string text;   // caption, markup, or the picture's resource name
    FontSpec font;
    bool visible = true;
    std::string parent; // a Panel's name, or empty for the window itself
    bool centred = false;  // images and labels: centred in their rectangle
    AnimationSpec animation;  // Animation controls only

    // Variations for declaration tables: Control(...).in("PanelMain").hidden()
    [[nodiscard]] ControlDecl in(std::string panel) const {
        ControlDecl c = *this;
        c.parent = std::move(panel);
        return c;
    }
    [[nodiscard]] ControlDecl hidden() const {
        ControlDecl c = *this;
        c.visible = false;
        return c;
    }
    [[nodiscard]] ControlDecl centre() const {
        ControlDecl c = *this;
        c.centred = true;
        return c;
    }
    [[nodiscard]] ControlDecl frames(AnimationSpec strip) const {
        ControlDecl c = *this;
        c.animation = strip;
        return c;
    }
};

// One row of a declaration table.
[[nodiscard]] inline ControlDecl Control(std::string name, ControlKind kind, Rect rect,
                                         std::string text, FontSpec font) {
    ControlDecl c;
    c.name = std::move(name);
    c.kind = kind;
    c.rect = rect;
    c.text = std::move(text);
    c.font = std::move(font);
    return c;
}

struct WindowDecl {
    std::string className;   // the window class other programs find it by
    std::string name;        // child windows (pages, the button strip): how tools find them
    std::string title;       // caption for the taskbar and tools; not drawn
    int width = 0;           // client area
    int height = 0;
    std::string shapeMask;   // bitmap resource: fuchsia pixels lie outside the window
    std::string background;  // bitmap resource drawn behind the controls, else white
    FontSpec font;           // default font
    bool topmost = false;
    bool taskbarButton = false;  // the main window; dialogs and the wait form have none
    // Controls that Escape or a close request clicks: the first one shown and enabled,
    // names separated by ";". Empty: closing is left to the window's close handler.
    std::string cancelControls;
    std::vector<ControlDecl> controls;
};

// The control of that name, or null.
[[nodiscard]] const ControlDecl* findControl(const WindowDecl& decl, std::string_view name);

} // namespace cw
