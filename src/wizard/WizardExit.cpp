#include "wizard/WizardExit.h"

#include "app/StringUtil.h"
#include "app/Trace.h"
#include "platform/FileSystem.h"
#include "platform/Registry.h"
#include "platform/Shell.h"

namespace cw {

void SetIEStartPage(Registry& registry, std::string_view address) {
    const std::string page = str::trim(address);
    if (page.empty()) return;
    if (auto key = registry.create(RegRoot::CurrentUser, "SOFTWARE\\Microsoft\\Internet Explorer\\Main",
                                   RegAccess::AllAccess))
        (void)key->write("Start Page", RegValue::string(page));
}

bool DeleteDesktopShortcut(Registry& registry, FileSystem& fs, bool isVista, std::string_view name) {
    constexpr std::string_view kShellFolders =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    std::string desktop;
    if (auto key = registry.open(isVista ? RegRoot::LocalMachine : RegRoot::CurrentUser,
                                 kShellFolders, RegAccess::Read)) {
        RegValue value;
        if (key->read(isVista ? "Common Desktop" : "Desktop", value)) desktop = value.text;
    }
    const std::string file = desktop + "\\" + std::string(name) + ".lnk";
    return fs.fileExists(file) && fs.deleteFile(file);
}

bool LaunchProgram(Shell& shell, FileSystem& fs, std::string_view path, std::string_view arguments,
                   Trace& trace) {
    if (!fs.fileExists(path)) return false;
    const std::string commandLine(str::trim(std::string(path) + " " + std::string(arguments)));
    const bool started = shell.startProgram(commandLine).has_value();
    if (!started) trace.error("Cannot start " + commandLine);
    return started;
}

} // namespace cw
