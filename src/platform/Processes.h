// The processes port: list the running processes and end one by its identifier.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace cw {

struct ProcessInfo {
    std::string name; // program file name without folder, e.g. "wlancfg.exe"
    uint32_t id = 0;
    std::string folder; // folder of the program file without trailing "\", empty when unknown
};

class Processes {
public:
    virtual ~Processes() = default;

    // Fills `processes` with every running process that could be examined. False when the
    // system offers no way to list processes.
    [[nodiscard]] virtual bool list(std::vector<ProcessInfo>& processes) = 0;

    // Opens the process with the rights to terminate and to query it, reads its current
    // exit code and terminates it giving that code. True when the process was opened and
    // its exit code read (it then counts as ended).
    [[nodiscard]] virtual bool terminate(uint32_t id) = 0;
};

} // namespace cw
