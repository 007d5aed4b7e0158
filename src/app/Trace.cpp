#include "app/Trace.h"

#include "app/StringUtil.h"
#include "platform/FileSystem.h"

#include <cstdio>

namespace cw {

void TraceLog::writeToFile(FileSystem& fs, std::string path) {
    setSink([&fs, path = std::move(path)](std::string_view line) {
        std::string text(line);
        text += "\r\n";
        (void)fs.appendFile(path, text); // a log that cannot be written must not stop the program
    });
}

void TraceLog::write(std::string_view category, std::string_view kind, std::string_view text) {
    if (!enabled()) return;
    const uint64_t ms = clock_ ? clock_() : 0;
    char time[32];
    std::snprintf(time, sizeof time, "%llu.%03llu", static_cast<unsigned long long>(ms / 1000),
                  static_cast<unsigned long long>(ms % 1000));
    std::string line;
    line.reserve(text.size() + category.size() + 24);
    line.append(time).append("\t").append(category).append("\t").append(kind).append("\t");
    line.append(text);
    sink_(line);
}

std::string maskSecret(std::string_view secret) {
    if (secret.empty()) return "<empty>";
    return "<hidden, " + std::to_string(str::utf8ToUtf16(secret).size()) + " characters>";
}

bool isTracerWanted(std::string_view activeTracerSetting, bool testMode) {
    return testMode || str::isFlagOn(activeTracerSetting, "yes") ||
           str::isFlagOn(activeTracerSetting, "true");
}

} // namespace cw
