#include "app/DesktopIntegration.h"

#include "app/StringUtil.h"

#include <vector>

namespace cw {

bool IsProcessRunning(Processes& processes, std::string_view name) {
    std::vector<ProcessInfo> running;
    if (!processes.list(running)) return false;
    for (const ProcessInfo& process : running) {
        if (str::equalsNoCase(process.name, name)) return true;
        if (!process.folder.empty() &&
            str::equalsNoCase(process.folder + "\\" + process.name, name))
            return true;
    }
    return false;
}

int32_t RunAndWait(Shell& shell, std::string_view commandLine, ShowMode show) {
    const std::optional<uint32_t> exitCode = shell.runAndWait(commandLine, show);
    return exitCode ? static_cast<int32_t>(*exitCode) : -1;
}

std::string htmlViewerProgram(std::string_view command) {
    const size_t open = command.find('"');
    if (open == std::string_view::npos) return {};
    const size_t close = command.find('"', open + 1);
    if (close == std::string_view::npos) return {};
    return std::string(command.substr(open + 1, close - open - 1));
}

void OpenHtmlFile(Registry& registry, Shell& shell, std::string_view target) {
    const auto key = registry.open(RegRoot::ClassesRoot, kHtmlViewerKey, RegAccess::Read);
    RegValue command;
    if (!key || !key->read("", command)) return;
    const std::string program = htmlViewerProgram(command.text);
    if (program.empty()) return;
    (void)shell.openWith(program, target);
}

bool DeleteRunValue(TRegistryEnhanced& reg, const AppData& appData) {
    const TRegistryEnhanced::TAccess previousAccess = reg.Access;
    reg.Access = TRegistryEnhanced::TAccess::kWrite;
    reg.RootKey = appData.IsNT ? TRegistryEnhanced::TRootKey::hkCurrentUser
                               : TRegistryEnhanced::TRootKey::hkLocalMachine;
    reg.Key = std::string(kRunKey);
    const bool deleted = reg.DeleteValue(kRunValueName);
    reg.Access = previousAccess;
    return deleted;
}

} // namespace cw
