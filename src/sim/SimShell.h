// A shell that records what was started or opened; started programs run until a test
// ends them.
#pragma once

#include "platform/Shell.h"

#include <map>
#include <string>
#include <vector>

namespace cw {

class SimShell : public Shell {
public:
    [[nodiscard]] std::optional<uint32_t> startProgram(std::string_view commandLine) override;
    [[nodiscard]] bool isRunning(uint32_t processId) const override;
    [[nodiscard]] bool openDocument(std::string_view path) override;
    [[nodiscard]] bool openWith(std::string_view program, std::string_view parameters) override;
    // Records the command and gives `exitCode` at once (nullopt when starts fail).
    [[nodiscard]] std::optional<uint32_t> runAndWait(std::string_view commandLine,
                                                     ShowMode show) override;

    void end(uint32_t processId) { running_.erase(processId); }
    // When set, every start fails.
    bool failStarts = false;

    std::vector<std::string> started;  // command lines, in order
    std::vector<std::string> opened;
    struct OpenedWith {
        std::string program;
        std::string parameters;
        bool operator==(const OpenedWith&) const = default;
    };
    std::vector<OpenedWith> openedWith;
    struct Ran {
        std::string commandLine;
        ShowMode show;
        bool operator==(const Ran&) const = default;
    };
    std::vector<Ran> ran;
    uint32_t exitCode = 0;

private:
    uint32_t nextId_ = 1000;
    std::map<uint32_t, std::string> running_;
};

} // namespace cw
