#include "app/LanguageFile.h"

#include "app/StringUtil.h"

#include <array>
#include <cstdio>
#include <set>

namespace cw {
namespace {

constexpr std::string_view kLineBreak = "\x19\x1A"; // stored form of a line break
constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kNewline = "\r\n"; // Notepad on older Windows needs CR LF
constexpr uint32_t kVersion = 1;
constexpr size_t kHeaderSize = 12; // magic, version, module count
constexpr size_t kChecksumSize = 4;
constexpr size_t kMinModuleSize = 8; // name length and entry count, both possibly empty
constexpr size_t kMinEntrySize = 8;  // key length and value length

constexpr std::string_view kSilHeader =
    "# ConfigWiFi language file, UTF-8 text.\r\n"
    "# [Module] starts a module's table; Key=Text sets one text (all after the first \"=\").\r\n"
    "# A line starting with \"+\" continues the text above on a new line.\r\n";

constexpr std::array<uint32_t, 256> makeCrcTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}
constexpr auto kCrcTable = makeCrcTable();

std::string hexByte(unsigned char c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%02X", c);
    return buf;
}

bool isBlankLine(std::string_view line) {
    return line.find_first_not_of(" \t") == std::string_view::npos;
}

// Each check returns why the item is refused, or an empty text when it is fine.

// Module names are the programs' class names: ASCII letters, digits, "_", "." and "-".
std::string moduleNameProblem(std::string_view name) {
    if (name.empty()) return "empty module name";
    for (char c : name) {
        const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                        (c >= '0' && c <= '9') || c == '_' || c == '.' || c == '-';
        if (!ok) return "module name may hold only letters, digits, '_', '.' and '-'";
    }
    return {};
}

// Keys hold no blank, control character or "=", and do not start with a character that
// the text form reads as a comment, a section or a continuation.
std::string keyProblem(std::string_view key) {
    if (key.empty()) return "empty key";
    if (key.front() == '#' || key.front() == '[' || key.front() == '+')
        return "key starts with '#', '[' or '+'";
    for (unsigned char c : key) {
        if (c <= 0x20 || c == 0x7F) return "key holds a blank or control character";
        if (c == '=') return "key holds '='";
    }
    return {};
}

// Texts hold no control character but the tab; in the stored form the line-break pair
// 25, 26 is allowed as a whole, never one of its two codes alone.
std::string valueProblem(std::string_view value, bool allowLineBreaks) {
    for (size_t i = 0; i < value.size(); ++i) {
        const auto c = static_cast<unsigned char>(value[i]);
        if (allowLineBreaks && value.substr(i, kLineBreak.size()) == kLineBreak) {
            ++i;
            continue;
        }
        if ((c < 0x20 && c != '\t') || c == 0x7F) return "control character " + hexByte(c) + " in text";
    }
    return {};
}

void putU32(std::string& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

void putText(std::string& out, std::string_view text) {
    putU32(out, static_cast<uint32_t>(text.size()));
    out.append(text);
}

uint32_t getU32(std::string_view bytes) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(bytes[i]);
    return v;
}

// Reads little-endian lengths and the bytes they announce, never past the end.
class ByteReader {
public:
    explicit ByteReader(std::string_view bytes) : bytes_(bytes) {}
    size_t left() const { return bytes_.size() - pos_; }
    bool u32(uint32_t& v) {
        if (left() < 4) return false;
        v = getU32(bytes_.substr(pos_));
        pos_ += 4;
        return true;
    }
    bool text(std::string_view& out) {
        uint32_t n = 0;
        if (!u32(n) || n > left()) return false;
        out = bytes_.substr(pos_, n);
        pos_ += n;
        return true;
    }

private:
    std::string_view bytes_;
    size_t pos_ = 0;
};

} // namespace

uint32_t crc32(std::string_view bytes) {
    uint32_t c = 0xFFFFFFFFu;
    for (unsigned char b : bytes) c = kCrcTable[(c ^ b) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

std::optional<LanguageForm> languageFormOf(std::string_view path) {
    if (str::endsWithNoCase(path, ".sil")) return LanguageForm::Text;
    if (str::endsWithNoCase(path, ".sib")) return LanguageForm::Binary;
    return std::nullopt;
}

bool checkLanguageData(const LanguageData& data, std::string& error) {
    error.clear();
    std::set<std::string> modules;
    for (size_t m = 0; m < data.modules.size(); ++m) {
        const ModuleSection& section = data.modules[m];
        std::string problem = moduleNameProblem(section.module);
        if (!problem.empty()) {
            error = "module #" + std::to_string(m + 1) + ": " + problem;
            return false;
        }
        if (!modules.insert(str::lower(section.module)).second) {
            error = "module '" + section.module + "' appears twice";
            return false;
        }
        const std::string where = "module '" + section.module + "'";
        std::set<std::string> keys;
        for (size_t e = 0; e < section.entries.size(); ++e) {
            const TableEntry& entry = section.entries[e];
            const std::string which = where + ", entry #" + std::to_string(e + 1) + ": ";
            if (!str::isValidUtf8(entry.key) || !str::isValidUtf8(entry.value)) {
                error = which + "invalid UTF-8";
                return false;
            }
            problem = keyProblem(entry.key);
            if (problem.empty()) problem = valueProblem(entry.value, true);
            if (!problem.empty()) {
                error = which + problem;
                return false;
            }
            if (!keys.insert(str::lower(entry.key)).second) {
                error = where + ": key '" + entry.key + "' appears twice";
                return false;
            }
        }
    }
    return true;
}

std::optional<LanguageData> parseSil(std::string_view bytes, std::string& error) {
    error.clear();
    if (bytes.starts_with(kBom)) bytes.remove_prefix(kBom.size());

    LanguageData data;
    std::set<std::string> modules; // folded names, to find a module given twice
    std::set<std::string> keys;    // folded keys of the current module
    bool afterEntry = false;       // the line before was an entry or one of its continuations
    size_t lineNo = 0;
    const auto fail = [&](const std::string& why) {
        error = "line " + std::to_string(lineNo) + ": " + why;
        return std::nullopt;
    };

    for (size_t pos = 0; pos < bytes.size();) {
        size_t end = bytes.find('\n', pos);
        if (end == std::string_view::npos) end = bytes.size();
        std::string_view line = bytes.substr(pos, end - pos);
        pos = end + 1;
        ++lineNo;
        if (line.ends_with('\r')) line.remove_suffix(1);
        if (!str::isValidUtf8(line)) return fail("invalid UTF-8");

        if (isBlankLine(line) || line.front() == '#') {
            afterEntry = false;
            continue;
        }
        if (line.front() == '+') {
            if (!afterEntry) return fail("continuation line ('+') without an entry before it");
            const std::string_view more = line.substr(1);
            if (const std::string problem = valueProblem(more, false); !problem.empty())
                return fail(problem);
            std::string& value = data.modules.back().entries.back().value;
            value.append(kLineBreak);
            value.append(more);
            continue;
        }
        afterEntry = false;
        if (line.front() == '[') {
            std::string_view section = line;
            while (section.back() == ' ' || section.back() == '\t') section.remove_suffix(1);
            if (section.size() < 2 || section.back() != ']')
                return fail("malformed section line, expected [ModuleName]");
            const std::string_view name = section.substr(1, section.size() - 2);
            if (const std::string problem = moduleNameProblem(name); !problem.empty())
                return fail(problem);
            if (!modules.insert(str::lower(name)).second)
                return fail("module '" + std::string(name) + "' appears twice");
            data.modules.push_back({std::string(name), {}});
            keys.clear();
            continue;
        }

        const size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            return fail("not a section, entry, comment or continuation (no '=')");
        if (data.modules.empty()) return fail("entry before any section");
        const std::string_view key = line.substr(0, eq);
        const std::string_view value = line.substr(eq + 1);
        if (const std::string problem = keyProblem(key); !problem.empty()) return fail(problem);
        if (const std::string problem = valueProblem(value, false); !problem.empty())
            return fail(problem);
        if (!keys.insert(str::lower(key)).second)
            return fail("key '" + std::string(key) + "' appears twice in module '" +
                        data.modules.back().module + "'");
        data.modules.back().entries.push_back({std::string(key), std::string(value)});
        afterEntry = true;
    }
    return data;
}

std::string writeSil(const LanguageData& data) {
    std::string out(kSilHeader);
    for (const ModuleSection& section : data.modules) {
        out.append(kNewline);
        out += '[';
        out += section.module;
        out += ']';
        out.append(kNewline);
        for (const TableEntry& entry : section.entries) {
            out += entry.key;
            out += '=';
            const std::string_view value = entry.value;
            size_t start = 0;
            for (size_t hit; (hit = value.find(kLineBreak, start)) != std::string_view::npos;) {
                out.append(value.substr(start, hit - start));
                out.append(kNewline);
                out += '+';
                start = hit + kLineBreak.size();
            }
            out.append(value.substr(start));
            out.append(kNewline);
        }
    }
    return out;
}

std::string writeSib(const LanguageData& data) {
    std::string out(kSibMagic);
    putU32(out, kVersion);
    putU32(out, static_cast<uint32_t>(data.modules.size()));
    for (const ModuleSection& section : data.modules) {
        putText(out, section.module);
        putU32(out, static_cast<uint32_t>(section.entries.size()));
        for (const TableEntry& entry : section.entries) {
            putText(out, entry.key);
            putText(out, entry.value);
        }
    }
    putU32(out, crc32(out));
    return out;
}

std::optional<LanguageData> parseSib(std::string_view bytes, std::string& error) {
    error.clear();
    const auto fail = [&](const std::string& why) {
        error = why;
        return std::nullopt;
    };
    if (!bytes.starts_with(kSibMagic)) return fail("not a ConfigWiFi language file (bad magic)");
    if (bytes.size() < kHeaderSize + kChecksumSize) return fail("truncated: header incomplete");
    const uint32_t version = getU32(bytes.substr(4));
    if (version != kVersion) return fail("unsupported format version " + std::to_string(version));

    ByteReader in(bytes.substr(8, bytes.size() - 8 - kChecksumSize));
    uint32_t moduleCount = 0;
    (void)in.u32(moduleCount); // present: the size was checked above
    // Counts are checked against the bytes left, so a forged count cannot make us loop
    // or allocate beyond what the file can hold.
    if (moduleCount > in.left() / kMinModuleSize)
        return fail("truncated: " + std::to_string(moduleCount) + " modules announced");

    LanguageData data;
    for (uint32_t m = 0; m < moduleCount; ++m) {
        const std::string where = "module #" + std::to_string(m + 1) + ": ";
        std::string_view name;
        uint32_t entryCount = 0;
        if (!in.text(name) || !in.u32(entryCount)) return fail(where + "truncated");
        if (entryCount > in.left() / kMinEntrySize)
            return fail(where + "truncated: " + std::to_string(entryCount) + " entries announced");
        ModuleSection& section = data.modules.emplace_back();
        section.module = name;
        for (uint32_t e = 0; e < entryCount; ++e) {
            std::string_view key;
            std::string_view value;
            if (!in.text(key) || !in.text(value))
                return fail(where + "entry #" + std::to_string(e + 1) + " truncated");
            section.entries.push_back({std::string(key), std::string(value)});
        }
    }
    if (in.left() != 0)
        return fail(std::to_string(in.left()) + " unexpected bytes after the last module");

    const size_t body = bytes.size() - kChecksumSize;
    if (crc32(bytes.substr(0, body)) != getU32(bytes.substr(body)))
        return fail("checksum mismatch: the file is damaged");
    if (!checkLanguageData(data, error)) return std::nullopt;
    return data;
}

} // namespace cw
