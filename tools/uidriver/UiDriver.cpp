#include "uidriver/UiDriver.h"

#include "app/HtmlText.h"
#include "app/StringUtil.h"
#include "win32/WinString.h"

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace cw::uidriver {

namespace {

constexpr DWORD kPollMs = 50;
// Long enough for a busy program that still pumps messages between its steps.
constexpr UINT kSendTimeoutMs = 5000;

// Calls `done` every 50 ms until it answers true or the time-out passes.
template <typename Done> bool pollUntil(int timeoutMs, Done done) {
    const DWORD started = GetTickCount(); // unsigned differences survive its wrap-around
    for (;;) {
        if (done()) return true;
        if (GetTickCount() - started >= static_cast<DWORD>(std::max(timeoutMs, 0))) return false;
        Sleep(kPollMs);
    }
}

std::string windowTitle(HWND window) {
    wchar_t buffer[512] = {};
    const int length = GetWindowTextW(window, buffer, static_cast<int>(std::size(buffer)));
    return win::narrow(std::wstring_view(buffer, length > 0 ? length : 0));
}

std::string describe(HWND hwnd) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%p", static_cast<void*>(hwnd));
    const std::string name = declaredName(hwnd);
    return name.empty() ? std::string("window ") + buffer : "\"" + name + "\" (" + buffer + ")";
}

bool matches(HWND window, const WindowQuery& query) {
    if (query.visibleOnly && !IsWindowVisible(window)) return false;
    if (query.processId != 0) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner != query.processId) return false;
    }
    if (!query.className.empty() && windowClassName(window) != query.className) return false;
    return query.title.empty() || windowTitle(window) == query.title;
}

BOOL CALLBACK collectWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

std::vector<HWND> descendants(HWND window) {
    std::vector<HWND> found;
    EnumChildWindows(window, collectWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

// The visible one among same-named controls, else the first of them.
HWND pickNamed(const std::vector<HWND>& candidates, std::string_view name) {
    HWND first = nullptr;
    for (HWND candidate : candidates) {
        if (declaredName(candidate) != name) continue;
        if (IsWindowVisible(candidate)) return candidate;
        if (!first) first = candidate;
    }
    return first;
}

int depthBelow(HWND control, HWND window) {
    int depth = 0;
    for (HWND parent = GetParent(control); parent && parent != window; parent = GetParent(parent))
        ++depth;
    return depth;
}

std::string escapeForDump(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\t':
            out += "\\t";
            break;
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string padded(std::string text, size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

struct ScreenDcTraits {
    using Handle = HDC;
    static HDC invalid() { return nullptr; }
    static void close(HDC dc) { ReleaseDC(nullptr, dc); }
};
struct MemoryDcTraits {
    using Handle = HDC;
    static HDC invalid() { return nullptr; }
    static void close(HDC dc) { DeleteDC(dc); }
};
using ScreenDc = win::UniqueHandle<ScreenDcTraits>;
using MemoryDc = win::UniqueHandle<MemoryDcTraits>;

// A bottom-up 24-bit BMP file of `pixels` (rows padded to 4 bytes).
std::string bmpFile(int width, int height, const void* pixels) {
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageSize;
    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = imageSize;
    std::string out(reinterpret_cast<const char*>(&file), sizeof file);
    out.append(reinterpret_cast<const char*>(&info), sizeof info);
    out.append(static_cast<const char*>(pixels), imageSize);
    return out;
}

// This process's environment block with `additions` replacing or extending it by name.
std::wstring environmentBlock(const EnvironmentAdditions& additions) {
    std::vector<std::string> entries;
    if (wchar_t* block = GetEnvironmentStringsW()) {
        for (const wchar_t* entry = block; *entry; entry += wcslen(entry) + 1)
            entries.push_back(win::narrow(entry));
        FreeEnvironmentStringsW(block);
    }
    for (const auto& [name, value] : additions) {
        std::erase_if(entries, [&name](const std::string& entry) {
            const size_t equals = entry.find('=', 1); // "=C:=C:\\" entries start with '='
            return str::equalsNoCase(std::string_view(entry).substr(0, equals), name);
        });
        entries.push_back(name + "=" + value);
    }
    std::wstring result;
    for (const std::string& entry : entries) {
        result += win::wide(entry);
        result += L'\0';
    }
    result += L'\0';
    return result;
}

} // namespace

// --- Program --------------------------------------------------------------------------------

bool UiDriver::start(const std::string& exePath, const std::vector<std::string>& args,
                     const EnvironmentAdditions& environment) {
    std::string commandLine = quoteArgument(exePath);
    for (const std::string& arg : args)
        commandLine += " " + quoteArgument(arg);
    std::wstring wideCommandLine = win::wide(commandLine);
    std::wstring block = environmentBlock(environment);

    // No standard handles: under Wine the child would otherwise keep the caller's stdout,
    // and a script reading it ($(uidriver start ...)) would wait until the program ends.
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = INVALID_HANDLE_VALUE;
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(win::wide(exePath).c_str(), wideCommandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_UNICODE_ENVIRONMENT, block.data(), nullptr, &startup, &info))
        return failWithSystemError("cannot start " + commandLine);
    win::KernelHandle thread(info.hThread);
    process_.reset(info.hProcess);
    processId_ = info.dwProcessId;
    return true;
}

bool UiDriver::attach(DWORD processId) {
    HANDLE process =
        OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION | PROCESS_TERMINATE, FALSE, processId);
    if (!process)
        return failWithSystemError("cannot open process " + std::to_string(processId) +
                                   " (not running?)");
    process_.reset(process);
    processId_ = processId;
    return true;
}

bool UiDriver::isRunning() const {
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> UiDriver::exitCode() const {
    if (!process_ || isRunning()) return std::nullopt;
    DWORD code = 0;
    if (!GetExitCodeProcess(process_.get(), &code)) {
        failWithSystemError("cannot read the exit code");
        return std::nullopt;
    }
    return code;
}

bool UiDriver::waitForExit(int timeoutMs) {
    if (!process_) return fail("no program started");
    const DWORD result = WaitForSingleObject(process_.get(), static_cast<DWORD>(timeoutMs));
    if (result == WAIT_OBJECT_0) return true;
    if (result == WAIT_TIMEOUT)
        return fail("process " + std::to_string(processId_) + " still runs after " +
                    std::to_string(timeoutMs) + " ms");
    return failWithSystemError("cannot wait for process " + std::to_string(processId_));
}

bool UiDriver::terminate(UINT exitCode) {
    if (!process_) return fail("no program started");
    if (!TerminateProcess(process_.get(), exitCode))
        return failWithSystemError("cannot end process " + std::to_string(processId_));
    WaitForSingleObject(process_.get(), kSendTimeoutMs);
    return true;
}

// --- Top-level windows ----------------------------------------------------------------------

std::vector<HWND> UiDriver::findWindows(const WindowQuery& query) const {
    std::vector<HWND> all;
    EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&all));
    std::erase_if(all, [&query](HWND window) { return !matches(window, query); });
    return all;
}

HWND UiDriver::findWindow(const WindowQuery& query) const {
    const std::vector<HWND> found = findWindows(query);
    for (HWND window : found)
        if (IsWindowVisible(window)) return window;
    return found.empty() ? nullptr : found.front();
}

HWND UiDriver::waitForWindow(const WindowQuery& query, int timeoutMs) const {
    HWND window = nullptr;
    if (pollUntil(timeoutMs, [&] { return (window = findWindow(query)) != nullptr; }))
        return window;
    fail("no window of class \"" + query.className + "\" titled \"" + query.title + "\" after " +
         std::to_string(timeoutMs) + " ms");
    return nullptr;
}

bool UiDriver::waitForNoWindow(const WindowQuery& query, int timeoutMs) const {
    if (pollUntil(timeoutMs, [&] { return findWindows(query).empty(); })) return true;
    return fail("a window of class \"" + query.className + "\" is still there after " +
                std::to_string(timeoutMs) + " ms");
}

// --- Controls -------------------------------------------------------------------------------

std::vector<ControlInfo> UiDriver::controls(HWND window) const {
    std::vector<ControlInfo> result;
    for (HWND hwnd : descendants(window)) {
        ControlInfo info;
        info.hwnd = hwnd;
        info.name = declaredName(hwnd);
        info.className = windowClassName(hwnd);
        info.text = text(hwnd).value_or("");
        info.visible = isVisible(hwnd);
        info.enabled = isEnabled(hwnd);
        result.push_back(std::move(info));
    }
    return result;
}

HWND UiDriver::findControl(HWND window, std::string_view name) const {
    HWND scope = window;
    for (const std::string& part : str::splitList(name, '/')) {
        scope = pickNamed(descendants(scope), part);
        if (!scope) {
            fail("no control named \"" + std::string(name) + "\" in " + describe(window));
            return nullptr;
        }
    }
    return scope == window ? nullptr : scope;
}

HWND UiDriver::waitForControl(HWND window, std::string_view name, int timeoutMs) const {
    HWND control = nullptr;
    if (pollUntil(timeoutMs, [&] { return (control = findControl(window, name)) != nullptr; }))
        return control;
    return nullptr;
}

bool UiDriver::sendMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result,
                           std::string_view what) const {
    if (!SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs,
                             result))
        return failWithSystemError(std::string(what) + " " + describe(hwnd) +
                                   ": no answer to message " + std::to_string(message));
    return true;
}

std::optional<std::string> UiDriver::text(HWND control, TextForm form) const {
    DWORD_PTR length = 0;
    if (!sendMessage(control, WM_GETTEXTLENGTH, 0, 0, &length, "cannot read")) return std::nullopt;
    std::wstring buffer(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!sendMessage(control, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                     &copied, "cannot read"))
        return std::nullopt;
    buffer.resize(std::min<size_t>(copied, length));
    const std::string utf8 = win::narrow(buffer);
    return form == TextForm::Plain ? stripMarkup(utf8) : utf8;
}

bool UiDriver::waitForText(HWND control, std::string_view part, int timeoutMs,
                           TextForm form) const {
    std::string last;
    if (pollUntil(timeoutMs, [&] {
            last = text(control, form).value_or("");
            return last.find(part) != std::string::npos;
        }))
        return true;
    return fail(describe(control) + " still reads \"" + last + "\", not \"" + std::string(part) +
                "\", after " + std::to_string(timeoutMs) + " ms");
}

bool UiDriver::click(HWND button) {
    if (!IsWindow(button)) return fail("cannot click: no such window");
    if (!isVisible(button)) return fail("cannot click " + describe(button) + ": hidden");
    if (!isEnabled(button)) return fail("cannot click " + describe(button) + ": disabled");
    if (!PostMessageW(button, BM_CLICK, 0, 0))
        return failWithSystemError("cannot click " + describe(button));
    return true;
}

bool UiDriver::setText(HWND control, std::string_view text) {
    const std::wstring wide = win::wide(text);
    DWORD_PTR result = 0;
    if (!sendMessage(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), &result,
                     "cannot set the text of"))
        return false;
    return result == TRUE || fail(describe(control) + " refused its new text");
}

bool UiDriver::typeText(HWND control, std::string_view text) {
    if (str::containsNoCase(windowClassName(control), "edit")) {
        // Typing goes on after the current text, as after a click at the end of the field.
        DWORD_PTR length = 0, ignored = 0;
        if (!sendMessage(control, WM_GETTEXTLENGTH, 0, 0, &length, "cannot read") ||
            !sendMessage(control, EM_SETSEL, length, static_cast<LPARAM>(length), &ignored,
                         "cannot place the caret in"))
            return false;
    }
    for (wchar_t unit : win::wide(text))
        if (!PostMessageW(control, WM_CHAR, unit, 1))
            return failWithSystemError("cannot type into " + describe(control));
    return true;
}

std::optional<std::vector<std::string>> UiDriver::items(HWND listBox) const {
    // Any window answers LB_GETCOUNT (with 0 or garbage): only list boxes are asked.
    if (!str::containsNoCase(windowClassName(listBox), "listbox")) {
        fail(describe(listBox) + " is not a list box");
        return std::nullopt;
    }
    DWORD_PTR count = 0;
    if (!sendMessage(listBox, LB_GETCOUNT, 0, 0, &count, "cannot count the items of"))
        return std::nullopt;
    std::vector<std::string> result;
    for (WPARAM i = 0; i < count; ++i) {
        DWORD_PTR length = 0;
        if (!sendMessage(listBox, LB_GETTEXTLEN, i, 0, &length, "cannot read an item of"))
            return std::nullopt;
        std::wstring buffer(length + 1, L'\0');
        DWORD_PTR copied = 0;
        if (!sendMessage(listBox, LB_GETTEXT, i, reinterpret_cast<LPARAM>(buffer.data()), &copied,
                         "cannot read an item of"))
            return std::nullopt;
        buffer.resize(std::min<size_t>(copied, length));
        result.push_back(win::narrow(buffer));
    }
    return result;
}

int UiDriver::selectedIndex(HWND listBox) const {
    DWORD_PTR index = 0;
    if (!sendMessage(listBox, LB_GETCURSEL, 0, 0, &index, "cannot read the selection of"))
        return LB_ERR;
    return static_cast<int>(static_cast<LRESULT>(index));
}

bool UiDriver::selectItem(HWND listBox, int index) {
    if (!isEnabled(listBox)) return fail("cannot select in " + describe(listBox) + ": disabled");
    DWORD_PTR result = 0;
    if (!sendMessage(listBox, LB_SETCURSEL, static_cast<WPARAM>(index), 0, &result,
                     "cannot select in"))
        return false;
    if (static_cast<LRESULT>(result) == LB_ERR && index != -1)
        return fail(describe(listBox) + " has no item " + std::to_string(index));
    const WPARAM notification =
        MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(listBox)), static_cast<WORD>(LBN_SELCHANGE));
    if (!PostMessageW(GetParent(listBox), WM_COMMAND, notification,
                      reinterpret_cast<LPARAM>(listBox)))
        return failWithSystemError("cannot notify the selection of " + describe(listBox));
    return true;
}

std::string UiDriver::dump(HWND window) const {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    std::string out = "window class=" + windowClassName(window) + " title=\"" +
                      escapeForDump(windowTitle(window)) + "\" pid=" + std::to_string(owner) +
                      (IsWindowVisible(window) ? " visible" : " hidden") + "\n";
    // Columns as wide as their longest entry.
    std::vector<std::pair<ControlInfo, std::string>> rows;
    size_t nameWidth = 0, classWidth = 0;
    for (ControlInfo& control : controls(window)) {
        std::string name = std::string(2 * (1 + depthBelow(control.hwnd, window)), ' ') +
                           (control.name.empty() ? "-" : control.name);
        nameWidth = std::max(nameWidth, name.size());
        classWidth = std::max(classWidth, control.className.size());
        rows.emplace_back(std::move(control), std::move(name));
    }
    for (const auto& [control, name] : rows) {
        out += padded(name, nameWidth) + " " + padded(control.className, classWidth) + " " +
               (control.visible ? "visible " : "hidden  ") +
               (control.enabled ? "enabled  " : "disabled ") + "\"" + escapeForDump(control.text) +
               "\"" + listContent(control) + "\n";
    }
    return out;
}

std::string UiDriver::listContent(const ControlInfo& control) const {
    if (!str::containsNoCase(control.className, "listbox")) return {};
    const auto list = items(control.hwnd);
    if (!list) return " items=?";
    std::string out = " items=[";
    for (size_t i = 0; i < list->size(); ++i)
        out += (i ? "; " : "") + escapeForDump((*list)[i]);
    return out + "] selected=" + std::to_string(selectedIndex(control.hwnd));
}

bool UiDriver::writeDump(HWND window, const std::string& path) const {
    return writeFile(path, dump(window));
}

bool UiDriver::writeFile(const std::string& path, const std::string& content) const {
    const win::FileHandle file(CreateFileW(win::wide(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                           CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return failWithSystemError("cannot create " + path);
    DWORD written = 0;
    if (!WriteFile(file.get(), content.data(), static_cast<DWORD>(content.size()), &written,
                   nullptr) ||
        written != content.size())
        return failWithSystemError("cannot write " + path);
    return true;
}

bool UiDriver::saveScreenshot(HWND window, const std::string& bmpPath) const {
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (window && !GetWindowRect(window, &area))
        return failWithSystemError("cannot place " + describe(window));
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return fail("nothing to capture: empty area");

    const ScreenDc screen(GetDC(nullptr));
    const MemoryDc memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    const win::GdiObject bitmap(
        CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    if (!screen || !memory || !bitmap) return failWithSystemError("cannot capture the screen");
    const HGDIOBJ previous = SelectObject(memory.get(), bitmap.get());
    const bool copied =
        BitBlt(memory.get(), 0, 0, width, height, screen.get(), area.left, area.top, SRCCOPY) != 0;
    SelectObject(memory.get(), previous);
    if (!copied) return failWithSystemError("cannot copy the screen");
    GdiFlush();

    return writeFile(bmpPath, bmpFile(width, height, pixels));
}

bool UiDriver::fail(std::string what) const {
    lastError_ = std::move(what);
    return false;
}

bool UiDriver::failWithSystemError(std::string what) const {
    const DWORD error = GetLastError();
    return fail(what + " (error " + std::to_string(error) + ")");
}

// --- Helpers --------------------------------------------------------------------------------

std::string declaredName(HWND control) {
    const auto atom =
        static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropW(control, kNameProperty)));
    if (atom == 0) return {};
    wchar_t buffer[256] = {};
    const UINT length = GlobalGetAtomNameW(atom, buffer, static_cast<int>(std::size(buffer)));
    return win::narrow(std::wstring_view(buffer, length));
}

std::string windowClassName(HWND window) {
    wchar_t buffer[256] = {};
    const int length = GetClassNameW(window, buffer, static_cast<int>(std::size(buffer)));
    return win::narrow(std::wstring_view(buffer, length > 0 ? length : 0));
}

std::string stripMarkup(std::string_view markup) {
    return html::plainText(markup);
}

std::string quoteArgument(std::string_view argument) {
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string_view::npos)
        return std::string(argument);
    std::string out = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        // Backslashes before a quote are escaped, and so is the quote.
        out.append(c == '"' ? 2 * backslashes + 1 : backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    out.append(2 * backslashes, '\\'); // they precede the closing quote
    out += '"';
    return out;
}

std::string unixPathToWine(std::string_view path) {
    if (path.empty() || path.front() != '/') return std::string(path);
    std::string out = "Z:";
    for (char c : path)
        out += c == '/' ? '\\' : c;
    return out;
}

} // namespace cw::uidriver
