#include "app/HtmlText.h"

#include <gtest/gtest.h>

#include <cstdio>

using namespace cw::html;

namespace {

// Runs as compact text: styles as prefixes (B, I, U, sN, #RRGGBB), then the quoted text;
// "/" is a line break, "*" a bullet, ">N" an indent.
std::string describe(const std::vector<Run>& runs) {
    std::string out;
    for (const Run& r : runs) {
        if (!out.empty()) out += ' ';
        switch (r.kind) {
        case Run::Kind::LineBreak:
            out += '/';
            continue;
        case Run::Kind::Bullet:
            out += '*';
            continue;
        case Run::Kind::Indent:
            out += '>' + std::to_string(r.indentX);
            continue;
        case Run::Kind::Text:
            break;
        }
        if (r.style.bold) out += 'B';
        if (r.style.italic) out += 'I';
        if (r.style.underline) out += 'U';
        if (r.style.sizePt) out += 's' + std::to_string(r.style.sizePt);
        if (r.style.color) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "#%06X", static_cast<unsigned>(*r.style.color));
            out += hex;
        }
        out += '"' + r.text + '"';
    }
    return out;
}

struct ParseCase {
    const char* markup;
    const char* runs;
};

const ParseCase kParseCases[] = {
    {"Hello<BR>World", R"("Hello" / "World")"},
    {"a<b>b</B>c", R"("a" B"b" "c")"},
    {"<U><I>x</I></U>", R"(IU"x")"},
    {"<FONT size=12 color=clRed>r</FONT>n", R"(s12#FF0000"r" "n")"},
    {R"(<FONT color="#00ff00"><FONT size="14">x</FONT>y</FONT>)", R"(s14#00FF00"x" #00FF00"y")"},
    {"<FONT SIZE=12><B>T</B></FONT>", R"(Bs12"T")"},
    {"<FONT color=navy>n</FONT><FONT color=bogus size=0>d</FONT>", R"(#000080"n" "d")"},
    {"<B>un<B>deux</B>trois</B>quatre", R"(B"undeuxtrois" "quatre")"},
    {"</B></FONT></U>x<B>y", R"("x" B"y")"},
    {"<blink>x</blink><br/>y", R"("x" / "y")"},
    {"line1\r\nline2\nline3\rend", R"("line1" / "line2" / "line3" / "end")"},
    {"a&amp;b&lt;c&gt;&quot;d&nbsp;e", "\"a&b<c>\"d\u00A0e\""},
    {"&#233;t&#xE9; &#0; &bogus; &", "\"\u00e9t\u00e9 &#0; &bogus; &\""},
    {"1 < 2 > 0 <> <3", R"("1 < 2 > 0 <> <3")"},
    {"unterminated <B", R"("unterminated <B")"},
    {R"(<IND x="20"><LI><b>Carte</LI></b>)", R"(>20 * B"Carte")"},
    {"<IND y=3>a<IND x=abc>", R"("a")"},
    {"", ""},
};

TEST(HtmlText, ParsesTheMarkupIntoStyledRuns) {
    for (const ParseCase& c : kParseCases)
        EXPECT_EQ(describe(parse(c.markup)), c.runs) << c.markup;
}

TEST(HtmlText, ColoursAcceptHexDelphiAndPlainNames) {
    EXPECT_EQ(parseColor("#1F6fB2"), 0x1F6FB2u);
    EXPECT_EQ(parseColor("clGreen"), 0x008000u);
    EXPECT_EQ(parseColor("CLWHITE"), 0xFFFFFFu);
    EXPECT_EQ(parseColor(" gray "), 0x808080u);
    EXPECT_EQ(parseColor("clGrey"), 0x808080u);
    EXPECT_FALSE(parseColor("#12345"));
    EXPECT_FALSE(parseColor("#12345G"));
    EXPECT_FALSE(parseColor("clMauve"));
    EXPECT_FALSE(parseColor(""));
}

TEST(HtmlText, PlainTextDropsTagsAndKeepsLines) {
    const std::pair<const char*, const char*> cases[] = {
        {"Ligne 1<BR>Ligne 2", "Ligne 1\nLigne 2"},
        {"<B>Oui</B> &amp; <FONT color=clRed><U>non</U></FONT>", "Oui & non"},
        {"Choix :<IND x=20><LI>un<LI>deux", "Choix :\n\u2022 un\n\u2022 deux"},
        {"a&nbsp;b\r\nc", "a b\nc"},
        {"Vérifiez le voyant<BR>", "Vérifiez le voyant\n"},
    };
    for (const auto& [markup, plain] : cases)
        EXPECT_EQ(plainText(markup), plain) << markup;
}

// A fake font: every character is as wide as the font size (8 by default), 2 more in bold;
// lines are twice the font size high.
TextSize fakeMeasure(std::string_view text, const Style& style) {
    int characters = 0;
    for (unsigned char c : text)
        if ((c & 0xC0) != 0x80) ++characters;
    const int size = style.sizePt ? style.sizePt : 8;
    return {characters * (size + (style.bold ? 2 : 0)), size * 2};
}

// Pieces as "text@x,y/width", separated by blanks.
std::string describe(const TextLayout& layout) {
    std::string out;
    for (const PlacedText& p : layout.pieces) {
        if (!out.empty()) out += ' ';
        out += '"' + p.text + "\"@" + std::to_string(p.x) + ',' + std::to_string(p.y) + '/' +
               std::to_string(p.width);
    }
    return out;
}

struct LayoutCase {
    const char* markup;
    int width;
    const char* pieces;
    int height;
};

const LayoutCase kLayoutCases[] = {
    // "aaa bbb" is 56 wide; " ccc" would end at 88: it wraps and its space is dropped.
    {"aaa bbb ccc", 60, R"("aaa bbb"@0,0/56 "ccc"@0,16/24)", 32},
    {"aaa    bbb", 40, R"("aaa"@0,0/24 "bbb"@0,16/24)", 32},
    {"aaa bbb ccc", 0, R"("aaa bbb ccc"@0,0/88)", 16},
    // Spaces after an explicit break are kept (the texts indent continuation lines so).
    {"ab<BR>  cd", 0, R"("ab"@0,0/16 "  cd"@0,16/32)", 32},
    {"ab<B>cd</B>", 0, R"("ab"@0,0/16 "cd"@16,0/20)", 16},
    // Without ascents from the metric, pieces sit on the line's bottom.
    {"a<FONT size=12>B</FONT><BR>c", 0, R"("a"@0,8/8 "B"@8,0/12 "c"@0,24/8)", 40},
    {"a<BR><BR>b", 0, R"("a"@0,0/8 "b"@0,32/8)", 48},
    // The bullet at the indent, the item's text after "• ", wrapped lines aligned to it.
    {R"(<IND x="20"><LI>aaa bbb)", 70, R"("•"@20,0/8 "aaa"@36,0/24 "bbb"@36,16/24)", 32},
    {"x<LI>y<BR>z", 0, R"("x"@0,0/8 "•"@0,16/8 "y"@16,16/8 "z"@0,32/8)", 48},
    {"abcdefghij", 40, R"("abcde"@0,0/40 "fghij"@0,16/40)", 32},
    {"ab<IND x=50>cd", 0, R"("ab"@0,0/16 "cd"@50,0/16)", 16},
    {"abcdefgh<IND x=20>x", 0, R"("abcdefgh"@0,0/64 "x"@20,16/8)", 32},
    {"", 100, "", 0},
};

TEST(HtmlText, LayoutWrapsWordsAndPlacesStylesIndentsAndBullets) {
    for (const LayoutCase& c : kLayoutCases) {
        const TextLayout result = layout(parse(c.markup), c.width, fakeMeasure);
        EXPECT_EQ(describe(result), c.pieces) << c.markup << " in " << c.width;
        EXPECT_EQ(result.height, c.height) << c.markup << " in " << c.width;
    }
}

TEST(HtmlText, PiecesOfALineShareTheirBaseline) {
    // Three quarters of a character above the baseline, one quarter below.
    auto measure = [](std::string_view text, const Style& style) {
        TextSize size = fakeMeasure(text, style);
        size.ascent = size.height * 3 / 4;
        return size;
    };
    const TextLayout result = layout(parse("a<FONT size=12>B</FONT><BR>c"), 0, measure);
    EXPECT_EQ(describe(result), R"("a"@0,6/8 "B"@8,0/12 "c"@0,24/8)");
    EXPECT_EQ(result.height, 40);
    EXPECT_EQ(result.pieces[0].y + result.pieces[0].ascent,
              result.pieces[1].y + result.pieces[1].ascent);
}

TEST(HtmlText, LayoutKeepsEveryCharacterOfALongFrenchText) {
    const std::string text =
        "Vérifiez que le WiFi de votre ordinateur est bien activé.<BR><BR>Vérifiez ensuite "
        "que le voyant WiFi de votre Quorvale RIR est vert.";
    const TextLayout result = layout(parse(text), 409, fakeMeasure);
    std::string joined;
    for (const PlacedText& p : result.pieces) {
        EXPECT_LE(p.x + p.width, 409) << p.text;
        joined += p.text;
    }
    std::string plain = plainText(text);
    std::erase(plain, '\n');
    std::erase(plain, ' ');
    std::erase(joined, ' ');
    EXPECT_EQ(joined, plain);
    // Two lines, an empty one, two lines: 51 characters fit in a line.
    EXPECT_EQ(result.pieces.back().y, 64);
    EXPECT_EQ(result.height, 80);
}

} // namespace
