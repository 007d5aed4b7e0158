// Program entry. For now it sets up the ports, loads the language file and ends.
#include "app/StringTable.h"
#include "app/StringTables.h"
#include "app/Trace.h"
#include "win32/Win32EventLoop.h"
#include "win32/Win32FileSystem.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    cw::Win32FileSystem fileSystem;
    cw::Win32EventLoop eventLoop;
    cw::TraceLog traceLog;
    traceLog.setClock([&eventLoop] { return eventLoop.tickCount(); });
    cw::Trace trace(traceLog, std::string(cw::kMainWindowTable));

    cw::Language language(cw::compiledInTables());
    language.InitLanguage(fileSystem, cw::currentExePath(), trace);
    return 0;
}
