// The crash hook: every unhandled exception (and std::terminate) ends here. It is marked
// handled, so Windows shows nothing; in test mode a report file is written first.
#pragma once

#include <windows.h>

#include <string>

namespace cw {

struct AppData;
class FileSystem;

class CrashHook {
  public:
    // Installs the hook for the whole process. `appData` and `fs` must live until the
    // program ends; `productName` is setting Param_ProductName.
    static void install(const AppData& appData, FileSystem& fs, std::string productName);
    static void uninstall();

    // The hook itself: writes the report in test mode and marks the exception handled.
    static LONG WINAPI onUnhandledException(EXCEPTION_POINTERS* exception);
    // Where the report goes: the per-user data directory, or the program folder.
    [[nodiscard]] static std::string reportPath();

  private:
    [[noreturn]] static void onTerminate();
};

} // namespace cw
