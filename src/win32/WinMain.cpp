// Program entry: makes the Win32 ports, keeps to a single instance (a second start hands
// its command line to the first and ends), creates the main window and runs the loop.
#include "app/AppContext.h"
#include "app/MainWindow.h"
#include "app/StringUtil.h"
#include "network/BoxTools.h"
#include "win32/CrashHook.h"
#include "win32/Handles.h"
#include "win32/Win32EventLoop.h"
#include "win32/Win32FileSystem.h"
#include "win32/Win32Http.h"
#include "win32/Win32OsFacts.h"
#include "win32/Win32Processes.h"
#include "win32/Win32Registry.h"
#include "win32/Win32Services.h"
#include "win32/Win32Shell.h"
#include "win32/Win32Window.h"
#include "win32/Win32WindowEffects.h"
#include "win32/WinString.h"
#include "win32/WorldPorts.h"

#include <windows.h>
#include <shellapi.h>

#include <optional>
#include <string>
#include <vector>

namespace {

constexpr const wchar_t* kInstanceMutex = L"ConfigWiFi.Quorvale.SingleInstance";
constexpr const wchar_t* kMainWindowClass = L"CwMainWindow";
// Marks a WM_COPYDATA message as a forwarded command line.
constexpr ULONG_PTR kForwardedCommandLine = 0x43574346;  // "CWCF"
constexpr DWORD kFindFirstInstanceMs = 5000;
constexpr int kUnusableWorldExitCode = 3;

std::vector<std::string> commandLineArguments() {
    std::vector<std::string> args;
    int count = 0;
    if (LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i) args.push_back(cw::win::narrow(argv[i]));
        LocalFree(argv);
    }
    return args;
}

// The arguments travel as UTF-8, one per line.
std::string joinArguments(const std::vector<std::string>& args) {
    std::string joined;
    for (const std::string& arg : args) joined.append(arg).push_back('\n');
    return joined;
}

std::vector<std::string> splitArguments(std::string_view joined) {
    std::vector<std::string> args;
    size_t start = 0;
    for (size_t end; (end = joined.find('\n', start)) != std::string_view::npos; start = end + 1)
        args.emplace_back(joined.substr(start, end - start));
    return args;
}

// Hands the command line to the running instance; its window may still be starting.
void forwardToFirstInstance(const std::vector<std::string>& args) {
    const std::string payload = joinArguments(args);
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kFindFirstInstanceMs) {
        if (HWND first = FindWindowW(kMainWindowClass, nullptr)) {
            COPYDATASTRUCT data{kForwardedCommandLine, static_cast<DWORD>(payload.size()),
                                const_cast<char*>(payload.data())};
            DWORD_PTR result = 0;
            SendMessageTimeoutW(first, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                SMTO_ABORTIFHUNG, 5000, &result);
            return;
        }
        Sleep(100);  // not the UI thread of a running wizard: this start never shows a window
    }
}

// Messages only the real main window receives: forwarded command lines, log-off.
std::optional<LRESULT> mainWindowMessage(cw::TFormWZ& form, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COPYDATA: {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lp);
        if (!data || data->dwData != kForwardedCommandLine) return std::nullopt;
        const std::string joined(static_cast<const char*>(data->lpData), data->cbData);
        form.commandLineForwarded(splitArguments(joined));
        return TRUE;
    }
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // Windows is ending the session: halt now, without the wizard's exit actions.
        if (wp) ExitProcess(0);
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wp) != WA_INACTIVE) form.FormActivate();
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    const std::vector<std::string> args = commandLineArguments();

    // A world file named by CONFIGWIFI_WORLD is read first: one that cannot be used ends the
    // program, which never runs half simulated.
    cw::Win32FileSystem fs;
    cw::Win32OsFacts realOs;
    cw::WorldPorts world(realOs);
    if (std::string error; !world.readWorld(fs, error)) {
        MessageBoxW(nullptr, cw::win::wide(error).c_str(), L"ConfigWiFi", MB_OK | MB_ICONERROR);
        return kUnusableWorldExitCode;
    }

    cw::win::KernelHandle instanceMutex(CreateMutexW(nullptr, FALSE, kInstanceMutex));
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        forwardToFirstInstance(args);
        return 0;
    }

    cw::Win32EventLoop loop;
    cw::Win32Registry registry;
    const cw::OsFacts& os = world.osFacts();
    cw::Win32Processes processes;
    cw::Win32Shell shell;
    cw::Win32WindowFactory windows(instance, loop);
    cw::Win32WindowEffects effects;
    cw::Win32Services services;
    cw::Win32Http http(loop);
    cw::AppContext app({loop, fs, registry, os, processes, shell, windows, effects, services, http});
    cw::Trace httpTrace(app.traceLog, "Win32Http");
    http.setTrace(&httpTrace);
    world.attachTo(app);
    app.traceLog.setClock([&loop] { return loop.tickCount(); });
    cw::CrashHook::install(app.appData, fs,
                           app.language.table(cw::kMainWindowTable).GetText("Param_ProductName"));

    int exitCode = 0;
    {
        cw::TFormWZ form(app);
        cw::TDM_BoxTools boxTools(app);
        app.boxTools = &boxTools;
        auto& window = static_cast<cw::Win32Window&>(form.window());
        window.messageHook = [&form](UINT msg, WPARAM wp, LPARAM lp) {
            return mainWindowMessage(form, msg, wp, lp);
        };
        form.FormCreate(args);
        exitCode = loop.run();
        form.FormDestroy();
        window.messageHook = nullptr;
        app.boxTools = nullptr;
    }
    cw::CrashHook::uninstall();
    return exitCode;
}
