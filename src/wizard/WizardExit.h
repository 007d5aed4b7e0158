// What the wizard does as it ends: the Internet Explorer start page, the removal of the
// wizard's desktop shortcut, and the start of the box assistant and of the tray agent.
#pragma once

#include <string_view>

namespace cw {

class FileSystem;
class Registry;
class Shell;
class Trace;

// Writes "Start Page" under HKCU "SOFTWARE\Microsoft\Internet Explorer\Main" when the
// trimmed address is not empty; every error is swallowed.
void SetIEStartPage(Registry& registry, std::string_view address);

// Deletes "<desktop>\<name>.lnk": the all-users desktop on Vista, the user's otherwise, as
// the shell folders key names them. True when the file existed and was deleted.
[[nodiscard]] bool DeleteDesktopShortcut(Registry& registry, FileSystem& fs, bool isVista,
                                         std::string_view name);

// Starts "<path> <arguments>" (trimmed, path not quoted) when the file exists, without
// waiting. True when it started.
[[nodiscard]] bool LaunchProgram(Shell& shell, FileSystem& fs, std::string_view path,
                                 std::string_view arguments, Trace& trace);

} // namespace cw
