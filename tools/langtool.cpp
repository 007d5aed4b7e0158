// langtool: converts and checks the wizard's language files.
//   langtool export <out.sil>              the compiled-in tables, as a start for translators
//   langtool compile <in.sil> <out.sib>    text form to compact form
//   langtool decompile <in.sib> <out.sil>  compact form back to text
//   langtool check <file>                  validates either form
// Exit codes: 0 done, 1 a file could not be read, parsed or written, 2 bad arguments.
#include "app/LanguageFile.h"
#include "app/StringTables.h"

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kOk = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

int usage() {
    std::cerr << "usage:\n"
                 "  langtool export <out.sil>\n"
                 "  langtool compile <in.sil> <out.sib>\n"
                 "  langtool decompile <in.sib> <out.sil>\n"
                 "  langtool check <file.sil|file.sib>\n";
    return kUsage;
}

int failure(const std::string& path, const std::string& why) {
    std::cerr << "langtool: " << path << ": " << why << '\n';
    return kFailed;
}

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return bytes.str();
}

bool writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

// Reads and parses `path` in the given form; reports the reason on failure.
std::optional<cw::LanguageData> load(const std::string& path, cw::LanguageForm form) {
    const std::optional<std::string> bytes = readFile(path);
    if (!bytes) {
        failure(path, "cannot read the file");
        return std::nullopt;
    }
    std::string error;
    std::optional<cw::LanguageData> data = form == cw::LanguageForm::Text
                                               ? cw::parseSil(*bytes, error)
                                               : cw::parseSib(*bytes, error);
    if (!data) failure(path, error);
    return data;
}

int save(const std::string& path, const std::string& bytes) {
    return writeFile(path, bytes) ? kOk : failure(path, "cannot write the file");
}

int exportTables(const std::string& out) {
    const cw::LanguageData tables = cw::compiledInTables();
    std::string error;
    if (!cw::checkLanguageData(tables, error))
        return failure("compiled-in tables", error); // would not read back: refuse to write
    return save(out, cw::writeSil(tables));
}

int check(const std::string& path) {
    std::optional<cw::LanguageForm> form = cw::languageFormOf(path);
    if (!form) {
        // Any other name: the compact form is known by its first bytes.
        const std::optional<std::string> bytes = readFile(path);
        if (!bytes) return failure(path, "cannot read the file");
        form = bytes->starts_with(cw::kSibMagic) ? cw::LanguageForm::Binary : cw::LanguageForm::Text;
    }
    const std::optional<cw::LanguageData> data = load(path, *form);
    if (!data) return kFailed;
    size_t entries = 0;
    for (const cw::ModuleSection& section : data->modules) entries += section.entries.size();
    std::cout << path << ": OK, " << data->modules.size() << " modules, " << entries
              << " entries\n";
    return kOk;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.empty()) return usage();
    const std::string& command = args[0];
    if (command == "export" && args.size() == 2) return exportTables(args[1]);
    if (command == "check" && args.size() == 2) return check(args[1]);
    if ((command == "compile" || command == "decompile") && args.size() == 3) {
        const bool toBinary = command == "compile";
        const auto data =
            load(args[1], toBinary ? cw::LanguageForm::Text : cw::LanguageForm::Binary);
        if (!data) return kFailed;
        return save(args[2], toBinary ? cw::writeSib(*data) : cw::writeSil(*data));
    }
    return usage();
}
