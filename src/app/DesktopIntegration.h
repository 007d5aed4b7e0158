// Small system routines several modules share: is a program running, run one and wait for
// its end, open a page with the registered HTML viewer, remove the tray agent's start-up
// entry.
#pragma once

#include "app/AppData.h"
#include "app/RegistryEnhanced.h"
#include "platform/Processes.h"
#include "platform/Registry.h"
#include "platform/Shell.h"

#include <cstdint>
#include <string_view>

namespace cw {

// The tray agent's start-up entry: this value under the run key.
inline constexpr std::string_view kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\run";
inline constexpr std::string_view kRunValueName = "ZKAgent WiFi";
// Where the command of the registered HTML viewer lives, under HKEY_CLASSES_ROOT.
inline constexpr std::string_view kHtmlViewerKey = "htmlfile\\shell\\open\\command";

// True when a running process's program file name, or else its whole path, equals `name`
// ignoring case.
[[nodiscard]] bool IsProcessRunning(Processes& processes, std::string_view name);

// Runs `commandLine` and waits for its end (the windows keep painting, input waits). The
// exit code, or -1 when the process cannot be created.
[[nodiscard]] int32_t RunAndWait(Shell& shell, std::string_view commandLine, ShowMode show);

// The program between the first two double quotes of the HTML viewer's command, or empty.
[[nodiscard]] std::string htmlViewerProgram(std::string_view command);

// Opens `target` (a path or an address) with the program registered for HTML files. Does
// nothing when no viewer with a quoted program path is registered.
void OpenHtmlFile(Registry& registry, Shell& shell, std::string_view target);

// Deletes the tray agent's start-up entry, under HKEY_CURRENT_USER on the NT family and
// HKEY_LOCAL_MACHINE on 9x, through `reg` at write access (its access is restored after).
// True when a value was deleted.
[[nodiscard]] bool DeleteRunValue(TRegistryEnhanced& reg, const AppData& appData);

} // namespace cw
