#include "app/HtmlText.h"

#include "app/StringUtil.h"

#include <algorithm>
#include <array>
#include <utility>

namespace cw::html {
namespace {

constexpr int kMaxFontSizePt = 200;
constexpr int kMaxIndentX = 10000;

struct NamedColor {
    std::string_view name;
    uint32_t rgb;
};

// Delphi's standard colours; the same names without "cl" serve as plain names.
constexpr std::array<NamedColor, 19> kNamedColors{{
    {"black", 0x000000},  {"maroon", 0x800000}, {"green", 0x008000},   {"olive", 0x808000},
    {"navy", 0x000080},   {"purple", 0x800080}, {"teal", 0x008080},    {"gray", 0x808080},
    {"grey", 0x808080},   {"silver", 0xC0C0C0}, {"red", 0xFF0000},     {"lime", 0x00FF00},
    {"yellow", 0xFFFF00}, {"blue", 0x0000FF},   {"fuchsia", 0xFF00FF}, {"aqua", 0x00FFFF},
    {"white", 0xFFFFFF},  {"ltgray", 0xC0C0C0}, {"dkgray", 0x808080},
}};

bool isAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isAsciiAlnum(char c) {
    return isAsciiLetter(c) || (c >= '0' && c <= '9');
}
bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// "&name;" at the start of `text`: the decoded text and the length consumed.
std::optional<std::pair<std::string, size_t>> decodeEntity(std::string_view text) {
    const size_t semicolon = text.find(';');
    if (semicolon == std::string_view::npos || semicolon < 2 || semicolon > 9) return std::nullopt;
    const std::string_view name = text.substr(1, semicolon - 1);
    static constexpr std::array<std::pair<std::string_view, std::string_view>, 6> kEntities{{
        {"amp", "&"},
        {"lt", "<"},
        {"gt", ">"},
        {"quot", "\""},
        {"apos", "'"},
        {"nbsp", "\u00A0"},
    }};
    for (const auto& [entity, value] : kEntities)
        if (str::equalsNoCase(name, entity)) return std::pair{std::string(value), semicolon + 1};
    if (name[0] != '#') return std::nullopt;
    uint32_t cp = 0;
    const bool hex = name.size() > 1 && (name[1] == 'x' || name[1] == 'X');
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty()) return std::nullopt;
    for (char c : digits) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (hex && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else
            return std::nullopt;
        cp = cp * (hex ? 16 : 10) + static_cast<uint32_t>(digit);
    }
    // Control characters, surrogates and values beyond Unicode stay literal text.
    if (cp < 0x20 || (cp >= 0xD800 && cp <= 0xDFFF) || cp > 0x10FFFF) return std::nullopt;
    std::string out;
    str::appendUtf8(out, cp);
    return std::pair{out, semicolon + 1};
}

struct Tag {
    std::string name; // upper case
    bool closing = false;
    std::vector<std::pair<std::string, std::string>> attributes; // names upper case
    size_t length = 0;                                           // including "<" and ">"

    [[nodiscard]] std::optional<std::string_view> attribute(std::string_view key) const {
        for (const auto& [name, value] : attributes)
            if (name == key) return value;
        return std::nullopt;
    }
};

// A tag at the start of `text` ("<" then an optional "/" and a letter, up to ">").
std::optional<Tag> readTag(std::string_view text) {
    size_t pos = 1;
    Tag tag;
    if (pos < text.size() && text[pos] == '/') {
        tag.closing = true;
        ++pos;
    }
    if (pos >= text.size() || !isAsciiLetter(text[pos])) return std::nullopt;
    const size_t end = text.find('>', pos);
    if (end == std::string_view::npos) return std::nullopt;
    tag.length = end + 1;
    const size_t nameStart = pos;
    while (pos < end && isAsciiAlnum(text[pos]))
        ++pos;
    tag.name = str::upper(text.substr(nameStart, pos - nameStart));

    while (pos < end) {
        while (pos < end && (isBlank(text[pos]) || text[pos] == '/'))
            ++pos;
        const size_t keyStart = pos;
        while (pos < end && !isBlank(text[pos]) && text[pos] != '=' && text[pos] != '/')
            ++pos;
        std::string key = str::upper(text.substr(keyStart, pos - keyStart));
        while (pos < end && isBlank(text[pos]))
            ++pos;
        std::string value;
        if (pos < end && text[pos] == '=') {
            ++pos;
            while (pos < end && isBlank(text[pos]))
                ++pos;
            if (pos < end && (text[pos] == '"' || text[pos] == '\'')) {
                const char quote = text[pos++];
                const size_t close = text.find(quote, pos);
                const size_t valueEnd =
                    (close == std::string_view::npos || close > end) ? end : close;
                value = std::string(text.substr(pos, valueEnd - pos));
                pos = valueEnd < end ? valueEnd + 1 : end;
            } else {
                const size_t valueStart = pos;
                while (pos < end && !isBlank(text[pos]))
                    ++pos;
                value = std::string(text.substr(valueStart, pos - valueStart));
            }
        }
        if (!key.empty()) tag.attributes.emplace_back(std::move(key), std::move(value));
    }
    return tag;
}

class Parser {
  public:
    std::vector<Run> run(std::string_view markup) {
        size_t i = 0;
        while (i < markup.size()) {
            const char c = markup[i];
            if (c == '<') {
                if (auto tag = readTag(markup.substr(i))) {
                    applyTag(*tag);
                    i += tag->length;
                    continue;
                }
            } else if (c == '&') {
                if (auto entity = decodeEntity(markup.substr(i))) {
                    appendText(entity->first);
                    i += entity->second;
                    continue;
                }
            } else if (c == '\r' || c == '\n') {
                // CR LF, a lone CR or a lone LF: one line break.
                i += (c == '\r' && i + 1 < markup.size() && markup[i + 1] == '\n') ? 2 : 1;
                push(Run::Kind::LineBreak);
                continue;
            } else if (c == '\t') {
                appendText(" ");
                ++i;
                continue;
            } else if (static_cast<unsigned char>(c) < 0x20) {
                ++i;
                continue;
            }
            appendText(std::string_view(&markup[i], 1));
            ++i;
        }
        return std::move(runs_);
    }

  private:
    struct FontState {
        int sizePt = 0;
        std::optional<uint32_t> color;
    };

    [[nodiscard]] Style style() const {
        Style s;
        s.bold = bold_ > 0;
        s.italic = italic_ > 0;
        s.underline = underline_ > 0;
        if (!fonts_.empty()) {
            s.sizePt = fonts_.back().sizePt;
            s.color = fonts_.back().color;
        }
        return s;
    }

    void appendText(std::string_view text) {
        const Style s = style();
        if (!runs_.empty() && runs_.back().kind == Run::Kind::Text && runs_.back().style == s) {
            runs_.back().text += text;
            return;
        }
        Run r;
        r.text = std::string(text);
        r.style = s;
        runs_.push_back(std::move(r));
    }

    void push(Run::Kind kind, int indentX = 0) {
        Run r;
        r.kind = kind;
        r.style = style();
        r.indentX = indentX;
        runs_.push_back(std::move(r));
    }

    static void count(int& depth, bool closing) {
        if (closing)
            depth = std::max(0, depth - 1);
        else
            ++depth;
    }

    void applyTag(const Tag& tag) {
        if (tag.name == "B") {
            count(bold_, tag.closing);
        } else if (tag.name == "I") {
            count(italic_, tag.closing);
        } else if (tag.name == "U") {
            count(underline_, tag.closing);
        } else if (tag.name == "BR") {
            if (!tag.closing) push(Run::Kind::LineBreak);
        } else if (tag.name == "LI") {
            if (!tag.closing) push(Run::Kind::Bullet);
        } else if (tag.name == "IND") {
            const auto x = tag.attribute("X");
            if (!tag.closing && x)
                if (auto value = str::toInt(str::trim(*x)))
                    push(Run::Kind::Indent, std::clamp(*value, 0, kMaxIndentX));
        } else if (tag.name == "FONT") {
            if (tag.closing) {
                if (!fonts_.empty()) fonts_.pop_back();
                return;
            }
            FontState font = fonts_.empty() ? FontState{} : fonts_.back();
            if (auto size = tag.attribute("SIZE"))
                if (auto value = str::toInt(str::trim(*size)); value && *value > 0)
                    font.sizePt = std::min(*value, kMaxFontSizePt);
            if (auto color = tag.attribute("COLOR"))
                if (auto rgb = parseColor(*color)) font.color = rgb;
            fonts_.push_back(font);
        }
    }

    std::vector<Run> runs_;
    int bold_ = 0;
    int italic_ = 0;
    int underline_ = 0;
    std::vector<FontState> fonts_;
};

// Byte length of the UTF-8 sequence starting with `lead` (1 for stray bytes).
size_t utf8Length(unsigned char lead) {
    if (lead >= 0xF0 && lead < 0xF8) return 4;
    if (lead >= 0xE0) return lead < 0xF0 ? 3 : 1;
    if (lead >= 0xC0) return 2;
    return 1;
}

std::vector<size_t> codePointEnds(std::string_view text) {
    std::vector<size_t> ends;
    for (size_t i = 0; i < text.size();) {
        i = std::min(text.size(), i + utf8Length(static_cast<unsigned char>(text[i])));
        ends.push_back(i);
    }
    return ends;
}

class Layouter {
  public:
    Layouter(int maxWidth, const MeasureText& measure) : maxWidth_(maxWidth), measure_(measure) {}

    TextLayout run(const std::vector<Run>& runs) {
        Style last;
        for (const Run& r : runs) {
            last = r.style;
            switch (r.kind) {
            case Run::Kind::Text:
                addText(r.text, r.style);
                break;
            case Run::Kind::LineBreak:
                breakLine(r.style);
                break;
            case Run::Kind::Bullet:
                addBullet(r.style);
                break;
            case Run::Kind::Indent:
                indentTo(r.indentX, r.style);
                break;
            }
        }
        if (lineHasContent()) finishLine(last);
        for (const PlacedText& p : out_.pieces)
            out_.width = std::max(out_.width, p.x + p.width);
        out_.height = top_;
        return std::move(out_);
    }

  private:
    struct Pending {
        std::string text;
        Style style;
        TextSize size;
    };

    [[nodiscard]] bool wraps() const { return maxWidth_ > 0; }
    [[nodiscard]] bool lineHasContent() const { return out_.pieces.size() > lineStart_; }
    [[nodiscard]] int pendingWidth() const {
        int w = 0;
        for (const Pending& p : pending_)
            w += p.size.width;
        return w;
    }

    void addText(std::string_view text, const Style& style) {
        size_t i = 0;
        while (i < text.size()) {
            const bool space = text[i] == ' ';
            size_t end = i;
            while (end < text.size() && (text[end] == ' ') == space)
                ++end;
            const std::string_view token = text.substr(i, end - i);
            if (space)
                addSpaces(token, style);
            else
                addWord(token, style);
            i = end;
        }
    }

    void addSpaces(std::string_view spaces, const Style& style) {
        if (wrappedLine_ && !lineHasContent()) return;
        pending_.push_back({std::string(spaces), style, measure_(spaces, style)});
    }

    void addWord(std::string_view word, const Style& style) {
        const TextSize size = measure_(word, style);
        if (wraps() && lineHasContent() && x_ + pendingWidth() + size.width > maxWidth_)
            wrapLine(style);
        else
            commitPending();
        if (!wraps() || x_ + size.width <= maxWidth_)
            place(word, style, size);
        else
            cutWord(word, style);
    }

    // A word wider than what is left of an empty line goes on in pieces, line after line.
    void cutWord(std::string_view word, const Style& style) {
        while (!word.empty()) {
            const TextSize whole = measure_(word, style);
            if (x_ + whole.width <= maxWidth_) {
                place(word, style, whole);
                return;
            }
            const std::vector<size_t> ends = codePointEnds(word);
            // The longest prefix that fits, at least one character.
            size_t lo = 0, hi = ends.size() - 1;
            while (lo < hi) {
                const size_t mid = (lo + hi + 1) / 2;
                if (x_ + measure_(word.substr(0, ends[mid]), style).width <= maxWidth_)
                    lo = mid;
                else
                    hi = mid - 1;
            }
            const std::string_view prefix = word.substr(0, ends[lo]);
            place(prefix, style, measure_(prefix, style));
            word.remove_prefix(prefix.size());
            if (!word.empty()) wrapLine(style);
        }
    }

    void addBullet(const Style& style) {
        if (lineHasContent())
            breakLine(style);
        else
            commitPending();
        const int bulletX = x_;
        place(kBullet, style, measure_(kBullet, style));
        const std::string gap = std::string(kBullet) + " ";
        x_ = bulletX + measure_(gap, style).width;
        lineLeft_ = x_;
    }

    void indentTo(int indentX, const Style& style) {
        pending_.clear();
        if (indentX < x_) wrapLine(style);
        x_ = indentX;
    }

    void commitPending() {
        for (const Pending& p : pending_)
            place(p.text, p.style, p.size);
        pending_.clear();
    }

    void place(std::string_view text, const Style& style, TextSize size) {
        if (lineHasContent()) {
            PlacedText& last = out_.pieces.back();
            if (last.style == style && last.x + last.width == x_) {
                last.text += text;
                last.width += size.width;
                last.height = std::max(last.height, size.height);
                x_ += size.width;
                return;
            }
        }
        const int ascent = size.ascent > 0 ? std::min(size.ascent, size.height) : size.height;
        out_.pieces.push_back({std::string(text), style, x_, 0, size.width, size.height, ascent});
        x_ += size.width;
    }

    void finishLine(const Style& style) {
        int ascent = 0, descent = 0;
        for (size_t i = lineStart_; i < out_.pieces.size(); ++i) {
            ascent = std::max(ascent, out_.pieces[i].ascent);
            descent = std::max(descent, out_.pieces[i].height - out_.pieces[i].ascent);
        }
        const int height = lineHasContent() ? ascent + descent : measure_(" ", style).height;
        for (size_t i = lineStart_; i < out_.pieces.size(); ++i)
            out_.pieces[i].y = top_ + ascent - out_.pieces[i].ascent;
        top_ += height;
        lineStart_ = out_.pieces.size();
        pending_.clear();
    }

    void breakLine(const Style& style) {
        finishLine(style);
        lineLeft_ = 0;
        x_ = 0;
        wrappedLine_ = false;
    }

    void wrapLine(const Style& style) {
        finishLine(style);
        x_ = lineLeft_;
        wrappedLine_ = true;
    }

    int maxWidth_;
    const MeasureText& measure_;
    TextLayout out_;
    size_t lineStart_ = 0;
    int top_ = 0;
    int x_ = 0;
    int lineLeft_ = 0; // where wrapped lines start: 0, or the text of a bullet item
    bool wrappedLine_ = false;
    std::vector<Pending> pending_; // spaces kept until a word follows on the same line
};

} // namespace

std::optional<uint32_t> parseColor(std::string_view text) {
    const std::string value = str::trim(text);
    if (!value.empty() && value[0] == '#') {
        if (value.size() != 7) return std::nullopt;
        uint32_t rgb = 0;
        for (size_t i = 1; i < value.size(); ++i) {
            const char c = value[i];
            uint32_t digit;
            if (c >= '0' && c <= '9')
                digit = static_cast<uint32_t>(c - '0');
            else if (c >= 'a' && c <= 'f')
                digit = static_cast<uint32_t>(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                digit = static_cast<uint32_t>(c - 'A' + 10);
            else
                return std::nullopt;
            rgb = rgb * 16 + digit;
        }
        return rgb;
    }
    std::string_view name = value;
    if (str::startsWithNoCase(name, "cl")) name.remove_prefix(2);
    for (const NamedColor& color : kNamedColors)
        if (str::equalsNoCase(name, color.name)) return color.rgb;
    return std::nullopt;
}

std::vector<Run> parse(std::string_view markup) {
    return Parser().run(markup);
}

std::string plainText(std::string_view markup) {
    std::string out;
    for (const Run& r : parse(markup)) {
        switch (r.kind) {
        case Run::Kind::Text:
            out += str::replaceAllNoCase(r.text, "\u00A0", " ");
            break;
        case Run::Kind::LineBreak:
            out += '\n';
            break;
        case Run::Kind::Bullet:
            if (!out.empty() && out.back() != '\n') out += '\n';
            out += kBullet;
            out += ' ';
            break;
        case Run::Kind::Indent:
            break;
        }
    }
    return out;
}

TextLayout layout(const std::vector<Run>& runs, int maxWidth, const MeasureText& measure) {
    return Layouter(maxWidth, measure).run(runs);
}

} // namespace cw::html
