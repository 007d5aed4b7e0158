// The external language file: every module's string table, in two storage forms.
//   ".sil"  UTF-8 text a translator can edit (see docs/language-file.md)
//   ".sib"  a compact binary form of the same content, with a checksum
// Both carry texts in their stored form: a line break inside a text is the character pair
// with codes 25 and 26, turned into CR LF only when a table is loaded.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cw {

// One entry of a string table: a named string ("Param_ProductName") or a control property
// ("LTitleApp.Caption"). Keys are matched ignoring case.
struct TableEntry {
    std::string key;
    std::string value;
    bool operator==(const TableEntry&) const = default;
};

struct ModuleSection {
    std::string module; // the module's table name, e.g. "TFormWZ"
    std::vector<TableEntry> entries;
    bool operator==(const ModuleSection&) const = default;
};

struct LanguageData {
    std::vector<ModuleSection> modules;
    bool operator==(const LanguageData&) const = default;
};

// Both readers reject malformed input as a whole (no partial result) and say why in
// `error`; they never crash, whatever the bytes.
[[nodiscard]] std::optional<LanguageData> parseSil(std::string_view bytes, std::string& error);
[[nodiscard]] std::string writeSil(const LanguageData& data);
[[nodiscard]] std::optional<LanguageData> parseSib(std::string_view bytes, std::string& error);
[[nodiscard]] std::string writeSib(const LanguageData& data);

// The rules both forms hold their content to (module names, keys, values, no duplicates
// ignoring case). Data that passes can be written in either form and read back unchanged.
[[nodiscard]] bool checkLanguageData(const LanguageData& data, std::string& error);

enum class LanguageForm { Text, Binary };
// The first bytes of every ".sib" file.
inline constexpr std::string_view kSibMagic = "CWLF";
// The form named by the file's extension (".sil" or ".sib", any case), if it is one of them.
[[nodiscard]] std::optional<LanguageForm> languageFormOf(std::string_view path);

// The checksum that ends a ".sib" file: CRC-32 as in zip and PNG.
[[nodiscard]] uint32_t crc32(std::string_view bytes);

} // namespace cw
