// Installs the crash hook and then crashes, so the tests see what a real crash leaves behind.
//   crash_dummy.exe <data directory> <test|quiet> <access|throw>
#include "app/AppData.h"
#include "win32/CrashHook.h"
#include "win32/Win32FileSystem.h"
#include "win32/WinString.h"

#include <stdexcept>

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) return 2;
    cw::AppData appData;
    appData.AppDataDir = cw::win::narrow(argv[1]);
    appData.TestMode = std::wstring_view(argv[2]) == L"test";
    appData.VersionMajor = "1";
    appData.VersionMinor = "3";
    appData.VersionRelease = "0";
    appData.VersionBuild = "70";
    cw::Win32FileSystem fs;
    cw::CrashHook::install(appData, fs, "Configuration WiFi Quorvale");
    if (std::wstring_view(argv[3]) == L"throw") throw std::runtime_error("boom");
    volatile int* nowhere = nullptr;
    *nowhere = 1;
    return 0;
}
