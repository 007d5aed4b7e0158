// The small HTML dialect of the wizard's texts: <BR>, <B>, <U>, <I>, <FONT size= color=>,
// <LI>, <IND x=>, a few entities, CR LF as a line break. The parser turns markup into styled
// runs; the layout wraps them to a width with a measuring callback, so it is the same on
// screen (GDI) and in tests (a fake metric).
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cw::html {

// Colours are 0xRRGGBB.
struct Style {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    int sizePt = 0;                // 0: the label's base font size
    std::optional<uint32_t> color; // none: the label's default colour

    friend bool operator==(const Style&, const Style&) = default;
};

struct Run {
    enum class Kind {
        Text,      // `text` drawn in `style`
        LineBreak, // <BR>, CR LF
        Bullet,    // <LI>: a bullet, then the item's text indented after it
        Indent,    // <IND x=N>: the next text starts at x = `indentX` pixels
    };
    Kind kind = Kind::Text;
    std::string text;
    Style style;
    int indentX = 0;
};

// Unknown tags are ignored, closing tags without an opening one are harmless, tag and
// attribute names ignore case. A "<" that does not start a tag is kept as text.
[[nodiscard]] std::vector<Run> parse(std::string_view markup);

// The markup's text without tags: line breaks become "\n", a bullet item starts with "• ".
// For screen readers and the UI driver.
[[nodiscard]] std::string plainText(std::string_view markup);

// Parses a colour: "#RRGGBB", a Delphi name ("clRed") or a plain name ("red"), any case.
[[nodiscard]] std::optional<uint32_t> parseColor(std::string_view text);

struct TextSize {
    int width = 0;
    int height = 0;
    int ascent = 0; // height above the baseline; 0: the whole height
};
// Measures one piece of text (UTF-8) in a style.
using MeasureText = std::function<TextSize(std::string_view text, const Style& style)>;

// A piece of one line, in pixels from the label's top left corner.
struct PlacedText {
    std::string text;
    Style style;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int ascent = 0;
};

struct TextLayout {
    std::vector<PlacedText> pieces;
    int width = 0;  // rightmost edge of the pieces
    int height = 0; // bottom of the last line
};

// The bullet drawn for <LI>; the item's text starts after the bullet and a space.
inline constexpr std::string_view kBullet = "\u2022";

// Wraps words to `maxWidth` (0 or less: no wrapping). The pieces of a line share a baseline
// and the line is as high as its tallest ascent and deepest descent together. A word wider than the
// whole line is cut between characters. Spaces at a wrap are dropped; spaces after an explicit line
// break are kept.
[[nodiscard]] TextLayout layout(const std::vector<Run>& runs, int maxWidth,
                                const MeasureText& measure);

} // namespace cw::html
