#include "app/RunMode.h"

#include "app/AppData.h"
#include "app/OsVersion.h"
#include "app/StringUtil.h"
#include "app/Trace.h"
#include "platform/OsFacts.h"

namespace cw {
namespace {

constexpr BuildSwitch kBuildSwitches[] = {
    BuildSwitch::KitBackupSwitch, BuildSwitch::DongleModeSwitch, BuildSwitch::EthernetModeSwitch};

std::string onOff(bool on) {
    return on ? "True" : "False";
}

} // namespace

bool isBuildSwitchOn(const OsFacts& os, BuildSwitch which) {
    return os.stringResource(static_cast<uint32_t>(which)) == "1";
}

std::string_view buildSwitchTraceName(BuildSwitch which) {
    switch (which) {
    case BuildSwitch::KitBackupSwitch:
        return "Dongle   Backup";
    case BuildSwitch::DongleModeSwitch:
        return "Dongle   Mode";
    case BuildSwitch::EthernetModeSwitch:
        return "Ethernet Mode";
    }
    return {};
}

bool hasQuitSwitch(const std::vector<std::string>& args) {
    for (const std::string& arg : args)
        if (str::containsNoCase(arg, "-Q")) return true;
    return false;
}

bool isTestSwitch(std::string_view arg) {
    return str::equalsNoCase(arg, "-Test") || str::equalsNoCase(arg, "-t");
}

bool scanStartArguments(const std::vector<std::string>& args, AppData& appData, Trace& trace) {
    for (size_t i = 0; i < args.size(); ++i) {
        trace.message("Param[" + std::to_string(i) + "] = " + args[i]);
        if (str::containsNoCase(args[i], "-Q")) {
            trace.message("Quit switch found: the application ends");
            return true;
        }
        if (isTestSwitch(args[i])) appData.TestMode = true;
    }
    return false;
}

void StartMode(const std::vector<std::string>& args, AppData& appData, const OsFacts& os,
               Trace& trace) {
    auto scope = trace.scope("StartMode");
    appData.ForceAdmin = false;
    appData.TestMode = false;
    appData.JumpStartMode = false;
    appData.EthernetPath = false;
    appData.NdisMode = false;
    appData.WepMode = false;

    for (const std::string& arg : args) {
        if (isTestSwitch(arg))
            appData.TestMode = true;
        else if (str::equalsNoCase(arg, "-ForceAdmin"))
            appData.ForceAdmin = true;
        else if (str::equalsNoCase(arg, "-noJS"))
            appData.JumpStartMode = false;
        else if (str::equalsNoCase(arg, "-WEP"))
            appData.WepMode = true;
        else if (str::equalsNoCase(arg, "-NDIS"))
            appData.NdisMode = true;
    }

    trace.message("TestMode       = " + onOff(appData.TestMode));
    trace.message("ForceAdmin     = " + onOff(appData.ForceAdmin));
    trace.message("JumpStartMode  = " + onOff(appData.JumpStartMode));
    trace.message("WepMode        = " + onOff(appData.WepMode));
    trace.message("NdisMode       = " + onOff(appData.NdisMode));
    for (BuildSwitch which : kBuildSwitches)
        trace.message(std::string(buildSwitchTraceName(which)) + "  = " +
                      onOff(isBuildSwitchOn(os, which)));
}

void confirmJumpStartMode(AppData& appData, const OsFacts& os) {
    if (appData.JumpStartMode && !appData.IsXPSP2Plus && !IsVistaOrLater(os))
        appData.JumpStartMode = false;
}

} // namespace cw
