// box_check_time.exe: the time of one box check as the wizard makes it, on its real Windows
// ports: TDM_BoxTools over the WinINet client on the Win32 event loop, against a box (the
// box simulator) that must answer "all is well".
//   box_check_time.exe <quick-status URL> [runs]
// Prints the median, lowest and highest times in ms of the request (Process_QS_HTTP) and of
// the whole check (the request, then CheckADSL and CheckWeb). Exit status 1 when a check fails.
#include "app/AppContext.h"
#include "app/StringUtil.h"
#include "network/BoxTools.h"
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

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double nowMs() {
    LARGE_INTEGER frequency{}, count{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&count);
    return 1000.0 * static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void report(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("%s: median %.1f ms (lowest %.1f, highest %.1f, %zu runs)\n", what,
                times[times.size() / 2], times.front(), times.back(), times.size());
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    const int runs = argc > 2 ? cw::str::toIntOr(cw::win::narrow(argv[2]), 0) : 20;
    if (argc < 2 || runs < 1) {
        std::fprintf(stderr, "usage: box_check_time <quick-status URL> [runs]\n");
        return 2;
    }
    cw::Win32EventLoop loop;
    cw::Win32FileSystem fs;
    cw::Win32Registry registry;
    cw::Win32OsFacts os;
    cw::Win32Processes processes;
    cw::Win32Shell shell;
    cw::Win32WindowFactory windows(GetModuleHandleW(nullptr), loop);
    cw::Win32WindowEffects effects;
    cw::Win32Services services;
    cw::Win32Http http(loop);
    cw::AppContext app(
        {loop, fs, registry, os, processes, shell, windows, effects, services, http});
    app.boxUrl = cw::win::narrow(argv[1]);
    cw::TDM_BoxTools box(app);

    std::vector<double> requests, checks;
    for (int i = 0; i < runs; ++i) {
        const double start = nowMs();
        const bool answered = box.Process_QS_HTTP();
        const double answeredAt = nowMs();
        const bool cableUp = answered && box.CheckADSL();
        const bool internet = cableUp && box.CheckWeb();
        const double end = nowMs();
        if (!internet) {
            std::fprintf(stderr, "box_check_time: run %d: answered %d, cable %d, Internet %d\n",
                         i + 1, answered, cableUp, internet);
            return 1;
        }
        requests.push_back(answeredAt - start);
        checks.push_back(end - start);
    }
    report("request (Process_QS_HTTP)", requests);
    report("box check (request, CheckADSL, CheckWeb)", checks);
    return 0;
}
