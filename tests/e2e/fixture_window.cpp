// A small window for testing the UI driver: named controls that react the way the wizard's
// do (Next changes the title, an edit and a list box report their changes, Cancel ends the
// program with exit code 3). It also shows its arguments and one environment variable, so a
// test can check how the driver started it.
#include <windows.h>

#include <shellapi.h>

#include <string>

namespace {

constexpr wchar_t kNameProperty[] = L"ConfigWiFi.Name";
constexpr int kCancelExitCode = 3;

enum ControlId : int {
    IdNext = 100,
    IdPrevious,
    IdCancel,
    IdEditKey,
    IdListAP,
};

struct Controls {
    HWND title = nullptr;
    HWND keyEcho = nullptr;
    HWND list = nullptr;
    HWND selection = nullptr;
    int page = 1;
    int exitCode = 0; // 3 once Cancel was clicked
} controls;

HINSTANCE instance = nullptr;

// The control carries its declared name as a global atom, readable from another process.
HWND createNamed(HWND parent, const wchar_t* className, const wchar_t* name, const wchar_t* text,
                 DWORD style, int x, int y, int width, int height, int id = 0) {
    HWND hwnd = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width,
                                height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                instance, nullptr);
    if (hwnd) SetPropW(hwnd, kNameProperty, reinterpret_cast<HANDLE>(GlobalAddAtomW(name)));
    return hwnd;
}

BOOL CALLBACK removeName(HWND control, LPARAM) {
    if (auto atom =
            static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(RemovePropW(control, kNameProperty))))
        GlobalDeleteAtom(atom);
    return TRUE;
}

void removeNames(HWND window) {
    EnumChildWindows(window, removeName, 0);
}

std::wstring argumentsText() {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::wstring text;
    for (int i = 1; argv && i < count; ++i)
        text += (i > 1 ? L"|" : L"") + std::wstring(argv[i]);
    LocalFree(argv);
    return text;
}

std::wstring environmentText() {
    wchar_t value[256] = {};
    GetEnvironmentVariableW(L"CW_FIXTURE_GREETING", value, 256);
    return value;
}

void createControls(HWND window) {
    controls.title = createNamed(window, L"STATIC", L"LTitlePage", L"Page 1", 0, 10, 10, 300, 20);
    createNamed(window, L"STATIC", L"LArgs", argumentsText().c_str(), 0, 10, 35, 300, 20);
    createNamed(window, L"STATIC", L"LEnv", environmentText().c_str(), 0, 10, 60, 300, 20);

    createNamed(window, L"EDIT", L"EditKey", L"", WS_BORDER | ES_AUTOHSCROLL, 10, 90, 200, 22,
                IdEditKey);
    controls.keyEcho = createNamed(window, L"STATIC", L"LKeyEcho", L"", 0, 220, 90, 200, 20);

    controls.list = createNamed(window, L"LISTBOX", L"ListAP", L"", WS_BORDER | LBS_NOTIFY, 10, 120,
                                200, 80, IdListAP);
    for (const wchar_t* item : {L"Quorvale-1A2B", L"Voisin", L"Quorvale-9F3C été"})
        SendMessageW(controls.list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    controls.selection = createNamed(window, L"STATIC", L"LSelection", L"", 0, 220, 120, 200, 20);

    // Two pages that both hold an "HTML_Text", as the wizard's pages do; one is hidden.
    HWND hidden = createNamed(window, L"CwFixturePanel", L"Page_Hidden", L"", 0, 10, 210, 400, 40);
    ShowWindow(hidden, SW_HIDE);
    createNamed(hidden, L"CwHtmlLabel", L"HTML_Text", L"Page cachée", 0, 0, 0, 400, 40);
    HWND shown = createNamed(window, L"CwFixturePanel", L"Page_Shown", L"", 0, 10, 210, 400, 40);
    createNamed(shown, L"CwHtmlLabel", L"HTML_Text",
                L"<B>Bienvenue</B><BR>Réseau <FONT size=2 color=#FF0000>Quorvale</FONT>", 0, 0, 0,
                400, 40);

    createNamed(window, L"BUTTON", L"BPrevious", L"Précédent", WS_DISABLED | BS_PUSHBUTTON, 10, 260,
                90, 26, IdPrevious);
    createNamed(window, L"BUTTON", L"BNext", L"Suivant", BS_PUSHBUTTON, 110, 260, 90, 26, IdNext);
    createNamed(window, L"BUTTON", L"BCancel", L"Annuler", BS_PUSHBUTTON, 210, 260, 90, 26,
                IdCancel);
}

void showSelection() {
    const LRESULT index = SendMessageW(controls.list, LB_GETCURSEL, 0, 0);
    wchar_t item[128] = {};
    if (index != LB_ERR)
        SendMessageW(controls.list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(item));
    SetWindowTextW(controls.selection, item);
}

void onCommand(HWND window, int id, int code, HWND control) {
    if (id == IdNext && code == BN_CLICKED) {
        SetWindowTextW(controls.title, (L"Page " + std::to_wstring(++controls.page)).c_str());
    } else if (id == IdCancel && code == BN_CLICKED) {
        controls.exitCode = kCancelExitCode;
        DestroyWindow(window);
    } else if (id == IdEditKey && code == EN_CHANGE) {
        wchar_t text[256] = {};
        GetWindowTextW(control, text, 256);
        SetWindowTextW(controls.keyEcho, text);
    } else if (id == IdListAP && code == LBN_SELCHANGE) {
        showSelection();
    }
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        createControls(window);
        return 0;
    case WM_COMMAND:
        onCommand(window, LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_DESTROY:
        removeNames(window);
        PostQuitMessage(controls.exitCode);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool registerClass(const wchar_t* name, WNDPROC procedure) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    return RegisterClassW(&windowClass) != 0;
}

} // namespace

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int) {
    instance = hInstance;
    if (!registerClass(L"CwFixtureWindow", windowProc) ||
        !registerClass(L"CwFixturePanel", DefWindowProcW) ||
        !registerClass(L"CwHtmlLabel", DefWindowProcW))
        return 1;
    HWND window =
        CreateWindowExW(0, L"CwFixtureWindow", L"Fenêtre de test",
                        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE, CW_USEDEFAULT,
                        CW_USEDEFAULT, 440, 330, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
