#include "app/StringTable.h"

#include "app/StringUtil.h"
#include "app/Trace.h"
#include "platform/FileSystem.h"

#include <algorithm>

namespace cw {

namespace {
constexpr std::string_view kStoredBreak = "\x19\x1A";
constexpr std::string_view kTextBreak = "\r\n";

std::string replaceAll(std::string_view text, std::string_view what, std::string_view with) {
    std::string out;
    size_t pos = 0;
    for (size_t hit; (hit = text.find(what, pos)) != std::string_view::npos; pos = hit + what.size())
        out.append(text.substr(pos, hit - pos)).append(with);
    out.append(text.substr(pos));
    return out;
}
} // namespace

std::string storedToText(std::string_view stored) { return replaceAll(stored, kStoredBreak, kTextBreak); }
std::string textToStored(std::string_view text) { return replaceAll(text, kTextBreak, kStoredBreak); }

StringTable::StringTable(std::string module, const std::vector<TableEntry>& storedEntries)
    : module_(std::move(module)) {
    replace(storedEntries);
}

void StringTable::replace(const std::vector<TableEntry>& storedEntries) {
    entries_.clear();
    byKey_.clear();
    for (const auto& e : storedEntries) {
        const std::string key = str::lower(e.key);
        if (auto it = byKey_.find(key); it != byKey_.end()) {
            entries_[it->second].value = storedToText(e.value); // a repeated key: the last wins
            continue;
        }
        byKey_.emplace(key, entries_.size());
        entries_.push_back({e.key, storedToText(e.value)});
    }
}

std::string StringTable::GetText(std::string_view key) const {
    const auto it = byKey_.find(str::lower(key));
    return it == byKey_.end() ? std::string() : entries_[it->second].value;
}

bool StringTable::contains(std::string_view key) const { return byKey_.count(str::lower(key)) != 0; }

std::vector<TableEntry> StringTable::storedEntries() const {
    std::vector<TableEntry> out;
    out.reserve(entries_.size());
    for (const auto& e : entries_) out.push_back({e.key, textToStored(e.value)});
    return out;
}

Language::Language(const LanguageData& compiledIn) {
    for (const auto& section : compiledIn.modules)
        tables_.push_back(std::make_unique<StringTable>(section.module, section.entries));
}

StringTable& Language::table(std::string_view module) {
    for (auto& t : tables_)
        if (str::equalsNoCase(t->module(), module)) return *t;
    tables_.push_back(std::make_unique<StringTable>(std::string(module), std::vector<TableEntry>{}));
    return *tables_.back();
}

bool Language::InitLanguage(FileSystem& fs, std::string_view exePath, Trace& trace) {
    auto scope = trace.scope("InitLanguage");
    const std::string sib = str::replaceAllNoCase(exePath, ".exe", ".sib");
    const std::string sil = str::replaceAllNoCase(exePath, ".exe", ".sil");
    const bool binary = fs.fileExists(sib);
    const std::string path = binary ? sib : sil;
    if (!binary && !fs.fileExists(sil)) {
        trace.message("External Sib or Sil File not Found : " + sil);
        return false;
    }

    const std::optional<std::string> bytes = fs.readFile(path);
    if (!bytes) {
        trace.error("Language file cannot be read, built-in texts kept: " + path);
        return false;
    }
    std::string error;
    const std::optional<LanguageData> data = binary ? parseSib(*bytes, error) : parseSil(*bytes, error);
    if (!data) {
        trace.error("Language file ignored, built-in texts kept: " + path + ": " + error);
        return false;
    }

    for (const auto& section : data->modules) {
        const bool known = std::any_of(tables_.begin(), tables_.end(), [&](const auto& t) {
            return str::equalsNoCase(t->module(), section.module);
        });
        if (!known) {
            trace.message("Language file: unknown module ignored: " + section.module);
            continue;
        }
        table(section.module).replace(section.entries);
    }
    languageFile_ = path;
    trace.message("Language file loaded: " + path + " (language 1, French)");
    return true;
}

LanguageData Language::exportTables() const {
    LanguageData data;
    for (const auto& t : tables_) data.modules.push_back({t->module(), t->storedEntries()});
    return data;
}

} // namespace cw
