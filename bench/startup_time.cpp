// Measures how long ConfigWiFi.exe takes from process start to its main window being
// visible, and its peak working set, over several runs (median reported).
//   startup_time.exe <path to ConfigWiFi.exe> [runs]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Run {
    double visibleMs = -1;
    SIZE_T peakWorkingSet = 0;
};

struct Search {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK findVisibleMain(HWND hwnd, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t cls[64] = {};
    GetClassNameW(hwnd, cls, 64);
    if (pid == s->pid && IsWindowVisible(hwnd) && lstrcmpW(cls, L"CwMainWindow") == 0) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

Run measure(const std::wstring& exe) {
    Run run;
    std::wstring commandLine = L"\"" + exe + L"\" -ForceAdmin";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        return run;
    for (;;) {
        Search s{pi.dwProcessId, nullptr};
        EnumWindows(findVisibleMain, reinterpret_cast<LPARAM>(&s));
        QueryPerformanceCounter(&now);
        const double elapsed = 1000.0 * double(now.QuadPart - start.QuadPart) / double(frequency.QuadPart);
        if (s.found) {
            run.visibleMs = elapsed;
            break;
        }
        if (elapsed > 30000 || WaitForSingleObject(pi.hProcess, 2) == WAIT_OBJECT_0) break;
    }
    // Let the first page settle before reading the memory figure.
    Sleep(1000);
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(pi.hProcess, &counters, sizeof counters))
        run.peakWorkingSet = counters.PeakWorkingSetSize;
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return run;
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: startup_time <ConfigWiFi.exe> [runs]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, _wtoi(argv[2])) : 5;
    std::vector<double> times;
    std::vector<SIZE_T> sets;
    for (int i = 0; i < runs; ++i) {
        const Run r = measure(argv[1]);
        std::printf("run %d: visible after %.0f ms, peak working set %.1f MB\n", i + 1, r.visibleMs,
                    double(r.peakWorkingSet) / (1024.0 * 1024.0));
        if (r.visibleMs < 0) return 1;
        times.push_back(r.visibleMs);
        sets.push_back(r.peakWorkingSet);
    }
    std::sort(times.begin(), times.end());
    std::sort(sets.begin(), sets.end());
    std::printf("median: visible after %.0f ms, peak working set %.1f MB\n", times[times.size() / 2],
                double(sets[sets.size() / 2]) / (1024.0 * 1024.0));
    return 0;
}
