// Feeds arbitrary markup to the HTML text parser and lays it out with a fake font: the first
// byte picks the width. Every character of the text and every bullet must be placed, in
// order, on lines that go down the page (pieces of a line share its baseline).
#include "app/HtmlText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

cw::html::TextSize fakeMeasure(std::string_view text, const cw::html::Style& style) {
    int characters = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++characters;
    const int size = style.sizePt ? style.sizePt : 8;
    // Italic pieces tell their ascent; the others leave it to the layout (their height).
    return {characters * (size + (style.bold ? 2 : 0)), size * 2, style.italic ? size * 3 / 2 : 0};
}

std::string withoutSpaces(std::string text) {
    std::erase(text, ' ');
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const int width = data[0] * 4;
    const std::string_view markup(reinterpret_cast<const char*>(data + 1), size - 1);

    const std::vector<cw::html::Run> runs = cw::html::parse(markup);
    (void)cw::html::plainText(markup);
    const cw::html::TextLayout layout = cw::html::layout(runs, width, fakeMeasure);

    std::string expected;
    for (const cw::html::Run& run : runs) {
        if (run.kind == cw::html::Run::Kind::Text) expected += withoutSpaces(run.text);
        if (run.kind == cw::html::Run::Kind::Bullet) expected += cw::html::kBullet;
    }
    std::string placed;
    int lastBaseline = 0;
    for (const cw::html::PlacedText& piece : layout.pieces) {
        placed += withoutSpaces(piece.text);
        const int baseline = piece.y + piece.ascent;
        if (baseline < lastBaseline || piece.x < 0 || piece.y < 0 ||
            piece.y + piece.height > layout.height)
            std::abort();
        if (piece.x + piece.width > layout.width) std::abort();
        lastBaseline = baseline;
    }
    if (placed != expected) std::abort();
    return 0;
}
