// Programs started with CreateProcess, documents opened with ShellExecute.
#pragma once

#include "platform/Shell.h"

namespace cw {

class Win32Shell : public Shell {
public:
    [[nodiscard]] std::optional<uint32_t> startProgram(std::string_view commandLine) override;
    [[nodiscard]] bool isRunning(uint32_t processId) const override;
    [[nodiscard]] bool openDocument(std::string_view path) override;
};

} // namespace cw
