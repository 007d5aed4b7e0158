// The run mode: the command-line switches and the build switches of the program.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cw {

struct AppData;
class OsFacts;
class Trace;

// Switches fixed when the program is built, kept as the program's string resources; a switch
// is on when its text is exactly "1". They are read afresh whenever needed.
enum class BuildSwitch : uint32_t {
    KitBackupSwitch = 1000,
    DongleModeSwitch = 2000,
    EthernetModeSwitch = 3000,
};

[[nodiscard]] bool isBuildSwitchOn(const OsFacts& os, BuildSwitch which);
// The switch's name in the trace log ("Dongle   Backup", "Dongle   Mode", "Ethernet Mode").
[[nodiscard]] std::string_view buildSwitchTraceName(BuildSwitch which);

// True when any argument (the program path included) contains "-Q" in any case: the program
// then ends at once, also when a second instance forwards such a command line.
[[nodiscard]] bool hasQuitSwitch(const std::vector<std::string>& args);
[[nodiscard]] bool isTestSwitch(std::string_view arg);

// The first look at the command line in the main window's creation handler: traces every
// argument, sets TestMode for "-Test" / "-t", and returns true when the program must quit
// (the scan stops at the quitting argument).
[[nodiscard]] bool scanStartArguments(const std::vector<std::string>& args, AppData& appData,
                                      Trace& trace);

// Clears the run mode flags, sets them from the command line (whole arguments, any case) and
// traces the flags and the three build switches.
void StartMode(const std::vector<std::string>& args, AppData& appData, const OsFacts& os,
               Trace& trace);

// Once the pages exist: the WPS path stays on only on XP SP2 or later, or Vista and later.
void confirmJumpStartMode(AppData& appData, const OsFacts& os);

} // namespace cw
