#include "app/StringUtil.h"

#include <cstdint>

namespace cw::str {

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes one code point at `i` and advances `i`; malformed input yields U+FFFD.
char32_t decodeUtf8(std::string_view s, size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    if (b0 < 0x80) {
        ++i;
        return b0;
    }
    int extra = 0;
    char32_t cp = 0;
    char32_t minimum = 0;
    if ((b0 & 0xE0) == 0xC0) {
        extra = 1, cp = b0 & 0x1F, minimum = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2, cp = b0 & 0x0F, minimum = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3, cp = b0 & 0x07, minimum = 0x10000;
    } else {
        ++i;
        return kReplacement;
    }
    if (s.size() - i <= static_cast<size_t>(extra)) {
        i = s.size();
        return kReplacement;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            i += k;
            return kReplacement;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    i += extra + 1;
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return kReplacement;
    return cp;
}


bool isLatin1Upper(char32_t c) { return (c >= 0xC0 && c <= 0xDE && c != 0xD7); }
bool isLatin1Lower(char32_t c) { return (c >= 0xE0 && c <= 0xFE && c != 0xF7); }

char32_t toUpper(char32_t c) {
    if (c >= 'a' && c <= 'z') return c - 32;
    if (isLatin1Lower(c)) return c - 32;
    if (c == 0x153) return 0x152; // oe ligature
    return c;
}

char32_t toLower(char32_t c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (isLatin1Upper(c)) return c + 32;
    if (c == 0x152) return 0x153;
    return c;
}

bool isAscii(std::string_view s) {
    for (char c : s)
        if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
}

template <typename Map> std::string mapCase(std::string_view text, Map map) {
    std::string out;
    out.reserve(text.size());
    if (isAscii(text)) {
        for (char c : text) out += static_cast<char>(map(static_cast<unsigned char>(c)));
        return out;
    }
    for (size_t i = 0; i < text.size();) {
        const size_t start = i;
        const char32_t cp = decodeUtf8(text, i);
        if (cp == kReplacement) {
            out.append(text.substr(start, i - start)); // keep bytes we cannot read as they are
        } else {
            appendUtf8(out, map(cp));
        }
    }
    return out;
}

} // namespace

std::string upper(std::string_view text) { return mapCase(text, toUpper); }
std::string lower(std::string_view text) { return mapCase(text, toLower); }

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() == b.size() && isAscii(a) && isAscii(b)) {
        for (size_t i = 0; i < a.size(); ++i)
            if (toLower(static_cast<unsigned char>(a[i])) !=
                toLower(static_cast<unsigned char>(b[i])))
                return false;
        return true;
    }
    return lower(a) == lower(b);
}

size_t findNoCase(std::string_view text, std::string_view part, size_t from) {
    // Latin-1 letters keep their UTF-8 length when folded, so offsets stay valid.
    const std::string t = lower(text);
    const std::string p = lower(part);
    if (t.size() != text.size()) return text.find(part, from);
    return t.find(p, from);
}

bool containsNoCase(std::string_view text, std::string_view part) {
    return findNoCase(text, part) != std::string_view::npos;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && equalsNoCase(text.substr(0, prefix.size()), prefix);
}

bool endsWithNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           equalsNoCase(text.substr(text.size() - suffix.size()), suffix);
}

std::string replaceAllNoCase(std::string_view text, std::string_view what, std::string_view with) {
    if (what.empty()) return std::string(text);
    // Folded once, not at every match: long texts with many matches stay linear.
    const std::string foldedText = lower(text);
    const std::string foldedWhat = lower(what);
    const bool sameOffsets = foldedText.size() == text.size() && foldedWhat.size() == what.size();
    const std::string_view haystack = sameOffsets ? std::string_view(foldedText) : text;
    const std::string_view needle = sameOffsets ? std::string_view(foldedWhat) : what;
    std::string out;
    size_t pos = 0;
    for (size_t hit; (hit = haystack.find(needle, pos)) != std::string_view::npos;) {
        out.append(text.substr(pos, hit - pos));
        out.append(with);
        pos = hit + what.size();
    }
    out.append(text.substr(pos));
    return out;
}

std::string trim(std::string_view text) {
    constexpr std::string_view blanks = " \t\r\n";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos) return {};
    const size_t last = text.find_last_not_of(blanks);
    return std::string(text.substr(first, last - first + 1));
}

std::vector<std::string> splitList(std::string_view list, char separator) {
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= list.size()) {
        size_t end = list.find(separator, start);
        if (end == std::string_view::npos) end = list.size();
        if (end > start) parts.emplace_back(list.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::optional<int32_t> toInt(std::string_view text) {
    std::string_view digits = text;
    if (!digits.empty() && (digits[0] == '+' || digits[0] == '-')) digits.remove_prefix(1);
    if (digits.empty()) return std::nullopt;
    for (char c : digits)
        if (c < '0' || c > '9') return std::nullopt;
    int64_t value = 0;
    for (char c : digits) {
        value = value * 10 + (c - '0');
        if (value > int64_t{1} << 31) return std::nullopt;
    }
    if (text[0] == '-') value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
    return static_cast<int32_t>(value);
}

int32_t toIntOr(std::string_view text, int32_t fallback) { return toInt(text).value_or(fallback); }

bool isValidUtf8(std::string_view text) {
    for (size_t i = 0; i < text.size();) {
        const size_t start = i;
        const char32_t cp = decodeUtf8(text, i);
        if (cp == kReplacement && text.substr(start, i - start) != "\xEF\xBF\xBD") return false;
    }
    return true;
}

std::u16string utf8ToUtf16(std::string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        const char32_t cp = decodeUtf8(text, i);
        if (cp >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
    }
    return out;
}

std::string utf16ToUtf8(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = kReplacement;
        }
        appendUtf8(out, cp);
    }
    return out;
}

} // namespace cw::str
