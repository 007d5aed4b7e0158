#include "sim/SimShell.h"

namespace cw {

std::optional<uint32_t> SimShell::startProgram(std::string_view commandLine) {
    if (failStarts) return std::nullopt;
    started.emplace_back(commandLine);
    const uint32_t id = nextId_++;
    running_[id] = std::string(commandLine);
    return id;
}

bool SimShell::isRunning(uint32_t processId) const { return running_.count(processId) != 0; }

bool SimShell::openDocument(std::string_view path) {
    opened.emplace_back(path);
    return true;
}

bool SimShell::openWith(std::string_view program, std::string_view parameters) {
    openedWith.push_back({std::string(program), std::string(parameters)});
    return true;
}

std::optional<uint32_t> SimShell::runAndWait(std::string_view commandLine, ShowMode show) {
    if (failStarts) return std::nullopt;
    ran.push_back({std::string(commandLine), show});
    return exitCode;
}

} // namespace cw
