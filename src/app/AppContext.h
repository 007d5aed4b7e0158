// The application context: the ports to the outside world, handed in by the program entry
// (Win32) or a test (simulated), and the program-wide state every module may reach.
#pragma once

#include "app/AppData.h"
#include "app/Dialogs.h"
#include "app/StringTable.h"
#include "app/StringTables.h"
#include "app/Trace.h"
#include "wifi/WiFiManager.h"

#include <memory>

namespace cw {

class EventLoop;
class FileSystem;
class Http;
class OsFacts;
class Processes;
class Registry;
class Services;
class Shell;
class TDM_BoxTools;
class DeviceInventory;
class WiFiLibrary;
class WindowEffects;
class WindowFactory;

struct Ports {
    EventLoop& loop;
    FileSystem& fs;
    Registry& registry;
    const OsFacts& os;
    Processes& processes;
    Shell& shell;
    WindowFactory& windows;
    WindowEffects& effects;
    Services& services;
    Http& http;
};

class AppContext {
public:
    explicit AppContext(Ports ports)
        : ports(ports), language(compiledInTables()),
          dialogs(ports.windows, language.table(kDialogTable), appData) {}
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    Ports ports;
    AppData appData;
    TraceLog traceLog;
    Language language;
    Dialogs dialogs;  // the message dialog and the one wait form

    // The box checks, created once at start-up; null before.
    TDM_BoxTools* boxTools = nullptr;
    // The box's quick-status address when a simulated world names one; empty: the usual one.
    std::string boxUrl;

    // The Wi-Fi key from the key page, read by the Wi-Fi manager's connection attempt.
    TProfile profile;
    // Set once a start of the Wi-Fi library forced its NDIS driver; never cleared.
    bool ForcedNDISDriver = false;
    // The Wi-Fi manager, made by the Wi-Fi device page; the main window stops and frees it.
    std::unique_ptr<TDM_WiFi_Mgr_NG> wifiManager;
    // What the Wi-Fi device page works with, given by the program entry or a test: the Wi-Fi
    // library the manager drives, and the installed devices of the driver check. Null: none.
    WiFiLibrary* wifiLibrary = nullptr;
    const DeviceInventory* deviceInventory = nullptr;
};

} // namespace cw
