// The shell port: start programs and follow them, open documents with their viewer.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace cw {

// How a started program's window is first shown; the values are the system's own.
enum class ShowMode : int {
    Hide = 0,
    Normal = 1,
    Minimized = 2,
    Maximized = 3,
    NoActivate = 4,
    Show = 5,
    Minimize = 6,
    MinimizedNoActivate = 7,
    ShowNoActivate = 8,
    Restore = 9,
};

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
    // Opens `program` with `parameters`, shown normally.
    [[nodiscard]] virtual bool openWith(std::string_view program, std::string_view parameters) = 0;
    // Runs `commandLine` in a new console with the given show mode and waits for its end,
    // keeping the program's windows painted but handling no user input meanwhile. The
    // exit code, or nullopt when the process could not be created.
    [[nodiscard]] virtual std::optional<uint32_t> runAndWait(std::string_view commandLine,
                                                             ShowMode show) = 0;
};

} // namespace cw
