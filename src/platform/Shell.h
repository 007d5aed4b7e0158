// The shell port: start programs and follow them, open documents with their viewer.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace cw {

class Shell {
public:
    virtual ~Shell() = default;
    // Starts `commandLine` (program path, a blank, arguments) in a normally shown window,
    // without waiting. The new process's identifier, or nullopt when it could not start.
    [[nodiscard]] virtual std::optional<uint32_t> startProgram(std::string_view commandLine) = 0;
    // True while the process started by startProgram runs.
    [[nodiscard]] virtual bool isRunning(uint32_t processId) const = 0;
    // Opens a document (an HTML page, say) with the program the system associates with it.
    [[nodiscard]] virtual bool openDocument(std::string_view path) = 0;
};

} // namespace cw
