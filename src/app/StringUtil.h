// Text helpers shared by every module: case-insensitive comparisons (keys, names, SSIDs),
// the ";" lists of the settings, strict integer conversion and UTF-8 <-> UTF-16.
// Texts are UTF-8 everywhere inside the program; UTF-16 exists only at the Win32 calls.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cw::str {

// Case folding covers ASCII and the Latin-1 letters (é == É), enough for French texts.
[[nodiscard]] std::string upper(std::string_view text);
[[nodiscard]] std::string lower(std::string_view text);

[[nodiscard]] bool equalsNoCase(std::string_view a, std::string_view b);
[[nodiscard]] bool containsNoCase(std::string_view text, std::string_view part);
[[nodiscard]] bool startsWithNoCase(std::string_view text, std::string_view prefix);
[[nodiscard]] bool endsWithNoCase(std::string_view text, std::string_view suffix);
// Byte offset of the first match at or after `from`, or std::string_view::npos.
[[nodiscard]] size_t findNoCase(std::string_view text, std::string_view part, size_t from = 0);
// Replaces every occurrence of `what`, ignoring case; an empty `what` changes nothing.
[[nodiscard]] std::string replaceAllNoCase(std::string_view text, std::string_view what,
                                           std::string_view with);

// Removes blanks, tabs, CR and LF at both ends.
[[nodiscard]] std::string trim(std::string_view text);

// Splits a ";" list; empty parts ("a;;b;") are dropped.
[[nodiscard]] std::vector<std::string> splitList(std::string_view list, char separator = ';');

// Strict decimal conversion: an optional sign and digits only, within 32 bits.
// Anything else (blanks, "1.5", "0x10", "") fails.
[[nodiscard]] std::optional<int32_t> toInt(std::string_view text);
// The integer, or `fallback` when the text is not a strict decimal integer.
[[nodiscard]] int32_t toIntOr(std::string_view text, int32_t fallback);

// A setting flag is on when its text equals the expected word, ignoring case.
[[nodiscard]] inline bool isFlagOn(std::string_view setting, std::string_view word) {
    return equalsNoCase(setting, word);
}

[[nodiscard]] bool isValidUtf8(std::string_view text);
// Invalid sequences become U+FFFD, so a conversion never fails.
[[nodiscard]] std::u16string utf8ToUtf16(std::string_view text);
[[nodiscard]] std::string utf16ToUtf8(std::u16string_view text);
// Appends one code point, encoded as UTF-8.
void appendUtf8(std::string& out, char32_t codePoint);

} // namespace cw::str
