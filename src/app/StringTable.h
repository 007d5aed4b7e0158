// Per-module string tables: the texts shown to the user and the module's settings
// (keys beginning with "Param_"), compiled into the program and replaceable, a whole table
// at a time, by the external language file next to the program.
#pragma once

#include "app/LanguageFile.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace cw {

class FileSystem;
class Trace;

// One module's table. Keys are matched ignoring case. Texts are kept as loaded, except
// that the stored line-break pair (codes 25, 26) becomes CR LF.
class StringTable {
public:
    StringTable(std::string module, const std::vector<TableEntry>& storedEntries);

    [[nodiscard]] const std::string& module() const { return module_; }
    // The text for `key`, or an empty text when the key is missing. Never fails.
    [[nodiscard]] std::string GetText(std::string_view key) const;
    [[nodiscard]] bool contains(std::string_view key) const;
    // Replaces the whole table (a language file's section).
    void replace(const std::vector<TableEntry>& storedEntries);
    // The entries in their stored form (line breaks as 25, 26), in table order.
    [[nodiscard]] std::vector<TableEntry> storedEntries() const;

private:
    std::string module_;
    std::vector<TableEntry> entries_;       // loaded texts, in table order
    std::map<std::string, size_t> byKey_;   // lower-case key -> index in entries_
};

// Turns the stored line-break pair into CR LF, and back.
[[nodiscard]] std::string storedToText(std::string_view stored);
[[nodiscard]] std::string textToStored(std::string_view text);

// The language dispatcher: owns every module's table; there is one language, number 1,
// "French", always active. Each module is handed its own table and reads no other.
class Language {
public:
    // Starts from the compiled-in tables.
    explicit Language(const LanguageData& compiledIn);

    static constexpr int kActiveLanguage = 1;
    static constexpr std::string_view kLanguageName = "French";

    // The table of `module`; a module with no compiled-in table gets an empty one.
    [[nodiscard]] StringTable& table(std::string_view module);
    [[nodiscard]] const std::vector<std::unique_ptr<StringTable>>& tables() const { return tables_; }

    // Looks for the language file next to the program: `exePath` with every ".exe"
    // (any case) replaced by ".sib", else by ".sil". A file found replaces the tables it
    // holds; a file that cannot be read or parsed is ignored with a trace. Returns true
    // when a file was loaded.
    bool InitLanguage(FileSystem& fs, std::string_view exePath, Trace& trace);
    // The file loaded by the last InitLanguage, or empty.
    [[nodiscard]] const std::string& languageFile() const { return languageFile_; }

    // Every table in its stored form, e.g. to write a ".sil" for translators.
    [[nodiscard]] LanguageData exportTables() const;

private:
    std::vector<std::unique_ptr<StringTable>> tables_;
    std::string languageFile_;
};

} // namespace cw
