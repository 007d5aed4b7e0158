// Programs started with CreateProcess, documents opened with ShellExecute.
#pragma once

#include "platform/Shell.h"
#include "win32/Handles.h"

#include <map>

namespace cw {

class Win32Shell : public Shell {
public:
    [[nodiscard]] std::optional<uint32_t> startProgram(std::string_view commandLine) override;
    [[nodiscard]] bool isRunning(uint32_t processId) const override;
    [[nodiscard]] bool openDocument(std::string_view path) override;
    [[nodiscard]] bool openWith(std::string_view program, std::string_view parameters) override;
    [[nodiscard]] std::optional<uint32_t> runAndWait(std::string_view commandLine,
                                                     ShowMode show) override;

private:
    // The programs this shell started, by identifier: their handles keep the identifier
    // from being given to another process while we still ask about it. An ended program
    // keeps its entry with an empty handle.
    mutable std::map<uint32_t, win::KernelHandle> started_;
};

} // namespace cw
