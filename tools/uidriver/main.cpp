// uidriver.exe: the UI driver for scripts. Each run does one thing to a program's windows and
// ends, so scripts chain runs; the target window is named by its class (and title, process).
//
//   uidriver.exe [options] <command> [arguments...]
//
// Options (before the command):
//   --class <name>      class of the target window (default: CwMainWindow)
//   --title <text>      title of the target window (default: any)
//   --pid <n>           process of the target window (default: any)
//   --env NAME=VALUE    start: add or replace an environment variable (repeatable)
//   --markup            text, wait-text: the raw text, markup tags included
//   --wait-exit <ms>    after the command, wait for the target's process to end and print
//                       "exit <code>" (the process is opened before the command runs, so a
//                       click that ends the program cannot race the wait)
//
// Commands (times in milliseconds; <control> is a declared name, "Outer/Inner" for a control
// below another; when several share a name, the visible one is taken):
//   start <exe> [args...]               start a program (Unix or Windows path), print its pid
//   wait-window <class> <ms>            wait for a top-level window of that class
//   wait-no-window <class> <ms>         wait until no top-level window of that class is left
//   windows                             list the top-level windows: pid, class, visible, title
//   wait-control <control> <ms>         wait for a control of the target window
//   text <control>                      print the control's text (markup stripped)
//   wait-text <control> <part> <ms>     wait until the control's text contains <part>
//   state <control>                     print "visible|hidden enabled|disabled"
//   click <control>                     click a button (posted BM_CLICK)
//   set-text <control> <text>           replace an edit's text (WM_SETTEXT)
//   type <control> <text>               type characters into a control (posted WM_CHAR)
//   items <control>                     print a list box's items, one a line
//   select <control> <index>            select a list box item and notify the parent
//   dump [file]                         print (or write) every control of the target window
//   screenshot <file.bmp>               save what the screen shows of the target window
//   wait-exit <ms>                      wait for the process given by --pid, print "exit <code>"
//   kill                                end the process given by --pid
//
// Exit status: 0 done, 1 failed (the reason goes to stderr), 2 bad command line.
// Output is UTF-8 with "\n" line ends.
#include "uidriver/UiDriver.h"

#include "app/StringUtil.h"
#include "win32/WinString.h"

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <map>
#include <span>

namespace {

using cw::uidriver::UiDriver;

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

struct Options {
    cw::uidriver::WindowQuery target{"CwMainWindow", "", 0};
    cw::uidriver::EnvironmentAdditions environment;
    cw::uidriver::TextForm textForm = cw::uidriver::TextForm::Plain;
    int waitExitMs = -1;
};

void print(const std::string& text) {
    std::fwrite(text.data(), 1, text.size(), stdout);
}

int failed(const std::string& reason) {
    std::fprintf(stderr, "uidriver: %s\n", reason.c_str());
    return kFailed;
}

int usage(const std::string& reason) {
    std::fprintf(stderr, "uidriver: %s (see the comment at the top of main.cpp)\n", reason.c_str());
    return kUsage;
}

class Runner {
  public:
    explicit Runner(Options options) : options_(std::move(options)) {}

    int run(const std::string& command, std::span<const std::string> args);

  private:
    using Args = std::span<const std::string>;

    int start(Args args);
    int waitWindow(Args args) { return waitForWindow(args, true); }
    int waitNoWindow(Args args) { return waitForWindow(args, false); }
    int waitForWindow(Args args, bool appear);
    int windows(Args args);
    int onControl(Args args, size_t argCount, int (Runner::*action)(HWND, Args));
    int waitControl(Args args);
    int text(HWND control, Args args);
    int waitText(HWND control, Args args);
    int state(HWND control, Args args);
    int click(HWND control, Args args);
    int setText(HWND control, Args args);
    int type(HWND control, Args args);
    int items(HWND control, Args args);
    int select(HWND control, Args args);
    int dump(Args args);
    int screenshot(Args args);
    int waitExit(Args args);
    int kill(Args args);

    bool attachTarget();
    HWND targetWindow();
    int reportExit(int timeoutMs);
    int result(bool ok) { return ok ? kDone : failed(driver_.lastError()); }

    Options options_;
    UiDriver driver_;
};

std::optional<int> number(const std::string& text) {
    return cw::str::toInt(text);
}

int Runner::run(const std::string& command, Args args) {
    const bool watchExit = options_.waitExitMs >= 0 && command != "start";
    if (watchExit && !attachTarget()) return kFailed;

    static const std::map<std::string, std::pair<size_t, int (Runner::*)(HWND, Args)>>
        controlCommands = {
            {"text", {0, &Runner::text}},        {"wait-text", {2, &Runner::waitText}},
            {"state", {0, &Runner::state}},      {"click", {0, &Runner::click}},
            {"set-text", {1, &Runner::setText}}, {"type", {1, &Runner::type}},
            {"items", {0, &Runner::items}},      {"select", {1, &Runner::select}},
        };
    static const std::map<std::string, int (Runner::*)(Args)> otherCommands = {
        {"start", &Runner::start},
        {"wait-window", &Runner::waitWindow},
        {"wait-no-window", &Runner::waitNoWindow},
        {"windows", &Runner::windows},
        {"wait-control", &Runner::waitControl},
        {"dump", &Runner::dump},
        {"screenshot", &Runner::screenshot},
        {"wait-exit", &Runner::waitExit},
        {"kill", &Runner::kill},
    };
    int status = kUsage;
    if (auto found = controlCommands.find(command); found != controlCommands.end())
        status = onControl(args, found->second.first, found->second.second);
    else if (auto other = otherCommands.find(command); other != otherCommands.end())
        status = (this->*other->second)(args);
    else
        return usage("unknown command \"" + command + "\"");

    if (status != kDone || !watchExit) return status;
    return reportExit(options_.waitExitMs);
}

int Runner::start(Args args) {
    if (args.empty()) return usage("start needs a program");
    const std::vector<std::string> programArgs(args.begin() + 1, args.end());
    if (!driver_.start(cw::uidriver::unixPathToWine(args[0]), programArgs, options_.environment))
        return failed(driver_.lastError());
    print(std::to_string(driver_.processId()) + "\n");
    return kDone;
}

int Runner::waitForWindow(Args args, bool appear) {
    const auto timeout = args.size() == 2 ? number(args[1]) : std::nullopt;
    if (!timeout) return usage("expected <class> <ms>");
    cw::uidriver::WindowQuery query = options_.target;
    query.className = args[0];
    return result(appear ? driver_.waitForWindow(query, *timeout) != nullptr
                         : driver_.waitForNoWindow(query, *timeout));
}

int Runner::windows(Args args) {
    if (!args.empty()) return usage("windows takes no argument");
    cw::uidriver::WindowQuery query;
    query.processId = options_.target.processId;
    query.visibleOnly = false;
    for (HWND window : driver_.findWindows(query)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        wchar_t title[256] = {};
        GetWindowTextW(window, title, 256);
        print(std::to_string(owner) + "\t" + cw::uidriver::windowClassName(window) + "\t" +
              (IsWindowVisible(window) ? "visible\t" : "hidden\t") + cw::win::narrow(title) + "\n");
    }
    return kDone;
}

HWND Runner::targetWindow() {
    HWND window = driver_.findWindow(options_.target);
    if (!window)
        failed("no window of class \"" + options_.target.className + "\"" +
               (options_.target.processId
                    ? " in process " + std::to_string(options_.target.processId)
                    : std::string()));
    return window;
}

bool Runner::attachTarget() {
    DWORD processId = options_.target.processId;
    if (processId == 0) {
        HWND window = driver_.findWindow(options_.target);
        if (window) GetWindowThreadProcessId(window, &processId);
    }
    if (processId == 0) {
        failed("no window of class \"" + options_.target.className + "\"");
        return false;
    }
    if (driver_.attach(processId)) return true;
    failed(driver_.lastError());
    return false;
}

int Runner::onControl(Args args, size_t argCount, int (Runner::*action)(HWND, Args)) {
    if (args.size() != argCount + 1) return usage("wrong number of arguments");
    HWND window = targetWindow();
    if (!window) return kFailed;
    HWND control = driver_.findControl(window, args[0]);
    if (!control) return failed(driver_.lastError());
    return (this->*action)(control, args.subspan(1));
}

int Runner::waitControl(Args args) {
    const auto timeout = args.size() == 2 ? number(args[1]) : std::nullopt;
    if (!timeout) return usage("expected <control> <ms>");
    HWND window = targetWindow();
    if (!window) return kFailed;
    return result(driver_.waitForControl(window, args[0], *timeout) != nullptr);
}

int Runner::text(HWND control, Args) {
    const auto value = driver_.text(control, options_.textForm);
    if (!value) return failed(driver_.lastError());
    print(*value + "\n");
    return kDone;
}

int Runner::waitText(HWND control, Args args) {
    const auto timeout = number(args[1]);
    if (!timeout) return usage("expected <control> <part> <ms>");
    return result(driver_.waitForText(control, args[0], *timeout, options_.textForm));
}

int Runner::state(HWND control, Args) {
    print(std::string(UiDriver::isVisible(control) ? "visible" : "hidden") +
          (UiDriver::isEnabled(control) ? " enabled\n" : " disabled\n"));
    return kDone;
}

int Runner::click(HWND control, Args) {
    return result(driver_.click(control));
}

int Runner::setText(HWND control, Args args) {
    return result(driver_.setText(control, args[0]));
}

int Runner::type(HWND control, Args args) {
    return result(driver_.typeText(control, args[0]));
}

int Runner::items(HWND control, Args) {
    const auto list = driver_.items(control);
    if (!list) return failed(driver_.lastError());
    for (const std::string& item : *list)
        print(item + "\n");
    return kDone;
}

int Runner::select(HWND control, Args args) {
    const auto index = number(args[0]);
    if (!index) return usage("expected <control> <index>");
    return result(driver_.selectItem(control, *index));
}

int Runner::dump(Args args) {
    if (args.size() > 1) return usage("expected dump [file]");
    HWND window = targetWindow();
    if (!window) return kFailed;
    if (args.empty()) {
        print(driver_.dump(window));
        return kDone;
    }
    return result(driver_.writeDump(window, cw::uidriver::unixPathToWine(args[0])));
}

int Runner::screenshot(Args args) {
    if (args.size() != 1) return usage("expected screenshot <file.bmp>");
    HWND window = targetWindow();
    if (!window) return kFailed;
    return result(driver_.saveScreenshot(window, cw::uidriver::unixPathToWine(args[0])));
}

int Runner::reportExit(int timeoutMs) {
    if (!driver_.waitForExit(timeoutMs)) return failed(driver_.lastError());
    const auto code = driver_.exitCode();
    if (!code) return failed(driver_.lastError());
    print("exit " + std::to_string(*code) + "\n");
    return kDone;
}

int Runner::waitExit(Args args) {
    const auto timeout = args.size() == 1 ? number(args[0]) : std::nullopt;
    if (!timeout) return usage("expected wait-exit <ms>");
    if (options_.target.processId == 0) return usage("wait-exit needs --pid");
    if (!driver_.attach(options_.target.processId)) return failed(driver_.lastError());
    return reportExit(*timeout);
}

int Runner::kill(Args args) {
    if (!args.empty()) return usage("kill takes no argument");
    if (options_.target.processId == 0) return usage("kill needs --pid");
    return result(driver_.attach(options_.target.processId) && driver_.terminate(1));
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY); // "\n" line ends for the shell scripts
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i)
        args.push_back(cw::win::narrow(argv[i]));

    Options options;
    size_t i = 0;
    for (; i < args.size() && args[i].starts_with("--"); ++i) {
        const std::string& option = args[i];
        if (option == "--markup") {
            options.textForm = cw::uidriver::TextForm::Raw;
            continue;
        }
        if (i + 1 >= args.size()) return usage(option + " needs a value");
        const std::string& value = args[++i];
        if (option == "--class") {
            options.target.className = value;
        } else if (option == "--title") {
            options.target.title = value;
        } else if (option == "--pid") {
            const auto pid = number(value);
            if (!pid || *pid <= 0) return usage("bad --pid " + value);
            options.target.processId = static_cast<DWORD>(*pid);
        } else if (option == "--env") {
            const size_t equals = value.find('=');
            if (equals == std::string::npos || equals == 0) return usage("bad --env " + value);
            options.environment.emplace_back(value.substr(0, equals), value.substr(equals + 1));
        } else if (option == "--wait-exit") {
            const auto ms = number(value);
            if (!ms || *ms < 0) return usage("bad --wait-exit " + value);
            options.waitExitMs = *ms;
        } else {
            return usage("unknown option " + option);
        }
    }
    if (i >= args.size()) return usage("no command");
    const std::string command = args[i];
    const std::vector<std::string> rest(args.begin() + static_cast<long>(i) + 1, args.end());
    return Runner(std::move(options)).run(command, rest);
}
