#include "win32/CrashHook.h"

#include "app/AppData.h"
#include "app/CrashReport.h"
#include "platform/FileSystem.h"

#include <exception>

namespace cw {
namespace {

// The hook is called by Windows without context, so what it needs is kept here.
struct HookState {
    const AppData* appData = nullptr;
    FileSystem* fs = nullptr;
    std::string productName;
    LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;
    std::terminate_handler previousTerminate = nullptr;
    bool installed = false;
};

HookState& state() {
    static HookState s;
    return s;
}

void writeReport(const CrashDetails& details) {
    const HookState& s = state();
    if (!s.appData || !s.fs || !s.appData->TestMode) return; // outside test mode: nothing at all
    const std::string text = crashReportText(*s.appData, s.productName, details);
    (void)s.fs->writeFile(CrashHook::reportPath(), text);
}

std::string currentExceptionText() {
    try {
        if (const std::exception_ptr current = std::current_exception())
            std::rethrow_exception(current);
    } catch (const std::exception& e) {
        return std::string("Uncaught exception: ") + e.what();
    } catch (...) {
        return "Uncaught exception of unknown type";
    }
    return "std::terminate called";
}

} // namespace

void CrashHook::install(const AppData& appData, FileSystem& fs, std::string productName) {
    HookState& s = state();
    s.appData = &appData;
    s.fs = &fs;
    s.productName = std::move(productName);
    if (s.installed) return;
    s.previousFilter = SetUnhandledExceptionFilter(&CrashHook::onUnhandledException);
    s.previousTerminate = std::set_terminate(&CrashHook::onTerminate);
    s.installed = true;
}

void CrashHook::uninstall() {
    HookState& s = state();
    if (s.installed) {
        SetUnhandledExceptionFilter(s.previousFilter);
        std::set_terminate(s.previousTerminate);
    }
    s = HookState{};
}

std::string CrashHook::reportPath() {
    const HookState& s = state();
    return s.appData ? dataFilePath(*s.appData, kCrashReportFileName)
                     : std::string(kCrashReportFileName);
}

LONG WINAPI CrashHook::onUnhandledException(EXCEPTION_POINTERS* exception) {
    CrashDetails details;
    if (exception && exception->ExceptionRecord) {
        details.exceptionCode = exception->ExceptionRecord->ExceptionCode;
        details.address = reinterpret_cast<uintptr_t>(exception->ExceptionRecord->ExceptionAddress);
    }
    writeReport(details);
    return EXCEPTION_EXECUTE_HANDLER; // handled: no Windows error dialog
}

void CrashHook::onTerminate() {
    CrashDetails details;
    details.description = currentExceptionText();
    writeReport(details);
    // Ends quietly, as an unhandled exception does (abort() could show a runtime dialog).
    ExitProcess(3);
}

} // namespace cw
