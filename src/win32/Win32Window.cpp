#include "win32/Win32Window.h"

#include "app/ShapeMask.h"
#include "app/StringUtil.h"
#include "platform/EventLoop.h"
#include "win32/AnimatedBitmapControl.h"
#include "win32/HtmlLabel.h"
#include "win32/WinString.h"

#include <commctrl.h>

#include <algorithm>

namespace cw {

struct Win32Window::Control {
    ControlDecl decl;
    HWND hwnd = nullptr;
    int id = 0;
    Color color = kBlack;
    win::GdiObject picture;  // the bitmap an Image shows (the control does not own it)
    ATOM nameAtom = 0;
    std::function<bool(char32_t)> charFilter;  // edits: typed characters pass it first
};

namespace {

constexpr const wchar_t* kPanelClass = L"CwPanel";
constexpr int kFirstControlId = 100;
constexpr Color kButtonFace = 0x1F6FB2;
constexpr Color kButtonPushed = 0x0B3D6E;
constexpr Color kButtonDisabled = 0xB8C4D0;
constexpr int kCaptionDragHeight = 32;

COLORREF toColorRef(Color c) { return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

// How each kind of control is made: its window class and styles.
struct KindStyle {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

KindStyle styleFor(const ControlDecl& c) {
    const DWORD centred = c.centred ? SS_CENTER : SS_LEFT;
    switch (c.kind) {
    case ControlKind::Label: return {L"STATIC", centred | SS_NOPREFIX, 0};
    case ControlKind::HtmlLabel: return {kHtmlLabelClass, 0, 0};
    case ControlKind::Image:
        return {L"STATIC", SS_BITMAP | (c.centred ? SS_CENTERIMAGE : 0u), 0};
    case ControlKind::ListBox:
        return {L"LISTBOX", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE};
    case ControlKind::Edit: return {L"EDIT", WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::Button: return {L"BUTTON", WS_TABSTOP | BS_OWNERDRAW, 0};
    case ControlKind::ProgressBar: return {PROGRESS_CLASSW, PBS_SMOOTH, 0};
    case ControlKind::GroupBox: return {L"BUTTON", BS_GROUPBOX, 0};
    case ControlKind::Bevel: return {L"STATIC", SS_ETCHEDFRAME, 0};
    case ControlKind::Panel: return {kPanelClass, WS_CLIPSIBLINGS, WS_EX_CONTROLPARENT};
    case ControlKind::Animation: return {kAnimatedBitmapClass, 0, 0};
    }
    return {L"STATIC", 0, 0};
}

// A small creation record, so every control is made the same way.
struct CreateArgs {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
    Rect rect;
    std::string text;
    HWND parent;
    int id;
    void* param;
};

HWND createControl(HINSTANCE instance, const CreateArgs& a) {
    HWND hwnd = CreateWindowExW(a.exStyle, a.className, win::wide(a.text).c_str(),
                                WS_CHILD | a.style, a.rect.x, a.rect.y, a.rect.width,
                                a.rect.height, a.parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(a.id)), instance,
                                a.param);
    return hwnd;
}

LRESULT CALLBACK handCursorProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR) {
    if (msg == WM_SETCURSOR) {
        SetCursor(LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

// An edit's typed characters go through its filter; a refused one is dropped.
LRESULT CALLBACK charFilterProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    if (msg == WM_CHAR) {
        const auto& filter = *reinterpret_cast<const std::function<bool(char32_t)>*>(data);
        if (filter && !filter(static_cast<char32_t>(wp))) return 0;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

std::wstring windowText(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd, text.data(), length + 1)));
    return text;
}

HBITMAP loadPicture(HINSTANCE instance, const Picture& picture) {
    if (!picture.file.empty()) {
        if (auto* bmp = static_cast<HBITMAP>(LoadImageW(nullptr, win::wide(picture.file).c_str(),
                                                        IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)))
            return bmp;
    }
    if (picture.resource.empty()) return nullptr;
    return static_cast<HBITMAP>(LoadImageW(instance, win::wide(picture.resource).c_str(),
                                           IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

// The mask's pixels, read as 32-bit colours, top row first.
bool readPixels(HBITMAP bitmap, std::vector<Color>& pixels, int& width, int& height) {
    BITMAP info{};
    if (!GetObjectW(bitmap, sizeof info, &info)) return false;
    width = info.bmWidth;
    height = info.bmHeight;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    pixels.assign(static_cast<size_t>(width) * height, 0);
    HDC screen = GetDC(nullptr);
    const int lines = GetDIBits(screen, bitmap, 0, height, pixels.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return lines == height;
}

} // namespace

bool Win32Window::registerClasses(HINSTANCE instance) {
    static bool done = false;
    if (done) return true;
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kPanelClass;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;
    done = registerHtmlLabelClass(instance) && registerAnimatedBitmapClass(instance);
    return done;
}

Win32Window::Win32Window(HINSTANCE instance, EventLoop& loop, FontCache& fonts,
                         const WindowDecl& decl, HWND owner, HWND parent)
    : instance_(instance), loop_(loop), fonts_(fonts), decl_(decl), owner_(owner) {
    registerClasses(instance);
    const std::wstring className = win::wide(decl.className);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    if (!GetClassInfoExW(instance, className.c_str(), &wc)) {
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = windowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hIcon = LoadIconW(instance, L"MAINICON");
        wc.lpszClassName = className.c_str();
        RegisterClassExW(&wc);
    }

    if (parent) {
        RECT area{};
        GetClientRect(parent, &area);
        hwnd_ = CreateWindowExW(WS_EX_CONTROLPARENT, className.c_str(), win::wide(decl.title).c_str(),
                                WS_CHILD | WS_CLIPSIBLINGS, 0, 0, area.right, area.bottom, parent,
                                nullptr, instance, this);
    } else {
        DWORD exStyle = WS_EX_CONTROLPARENT;
        exStyle |= decl.taskbarButton ? WS_EX_APPWINDOW : WS_EX_TOOLWINDOW;
        if (decl.topmost) exStyle |= WS_EX_TOPMOST;
        RECT work{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        const int x = work.left + (work.right - work.left - decl.width) / 2;
        const int y = work.top + (work.bottom - work.top - decl.height) / 2;
        hwnd_ = CreateWindowExW(exStyle, className.c_str(), win::wide(decl.title).c_str(),
                                WS_POPUP | WS_CLIPSIBLINGS, x, y, decl.width, decl.height, owner,
                                nullptr, instance, this);
    }
    if (!hwnd_) return;
    if (parent) {
        if (!decl.name.empty()) {
            nameAtom_ = GlobalAddAtomW(win::wide(decl.name).c_str());
            SetPropW(hwnd_, kControlNameProperty,
                     reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(nameAtom_)));
        }
    } else {
        // Lets the message loop give this window dialog keyboard navigation (Tab, Enter, Esc).
        SetPropW(hwnd_, kKeyboardNavigationProperty, reinterpret_cast<HANDLE>(1));
    }
    SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.get(decl.font)), FALSE);
    if (!decl.background.empty())
        background_.reset(loadPicture(instance, {"", decl.background}));
    createControls();
    if (!parent) applyShape();
}

Win32Window::~Win32Window() {
    if (inModal_) endModal(0);
    for (const auto& c : controls_) {
        if (c->hwnd) RemovePropW(c->hwnd, kControlNameProperty);
        if (c->nameAtom) GlobalDeleteAtom(c->nameAtom);
    }
    if (nameAtom_) {
        RemovePropW(hwnd_, kControlNameProperty);
        GlobalDeleteAtom(nameAtom_);
    }
    if (hwnd_) {
        RemovePropW(hwnd_, kKeyboardNavigationProperty);
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void Win32Window::createControls() {
    int nextId = kFirstControlId;
    for (const ControlDecl& decl : decl_.controls) {
        auto control = std::make_unique<Control>();
        control->decl = decl;
        control->id = nextId++;
        control->color = decl.font.color;
        HWND parent = hwnd_;
        if (!decl.parent.empty())
            if (const Control* panel = find(decl.parent)) parent = panel->hwnd;
        const KindStyle kind = styleFor(decl);
        const bool textIsPicture = decl.kind == ControlKind::Image || decl.kind == ControlKind::Animation;
        control->hwnd = createControl(
            instance_, {kind.className, kind.style | (decl.visible ? WS_VISIBLE : 0u), kind.exStyle,
                        decl.rect, textIsPicture ? std::string() : decl.text, parent, control->id,
                        decl.kind == ControlKind::Panel ? this : nullptr});
        if (!control->hwnd) {
            controls_.push_back(std::move(control));
            continue;
        }
        SendMessageW(control->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.get(decl.font)), FALSE);
        control->nameAtom = GlobalAddAtomW(win::wide(decl.name).c_str());
        SetPropW(control->hwnd, kControlNameProperty,
                 reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(control->nameAtom)));
        if (decl.kind == ControlKind::Button) SetWindowSubclass(control->hwnd, handCursorProc, 1, 0);
        if (decl.kind == ControlKind::HtmlLabel) {
            SendMessageW(control->hwnd, kHtmlLabelSetColor, toColorRef(control->color), 0);
            SendMessageW(control->hwnd, kHtmlLabelSetBackground, RGB(255, 255, 255), 1);
        }
        if (decl.kind == ControlKind::Animation) {
            HWND anim = control->hwnd;
            (void)setAnimatedBitmapColumns(anim, decl.animation.columns);
            (void)setAnimatedBitmapRows(anim, decl.animation.rows);
            (void)setAnimatedBitmapActivePicture(anim, decl.animation.firstFrame);
            (void)setAnimatedBitmapInterval(anim, static_cast<uint32_t>(decl.animation.intervalMs));
        }
        controls_.push_back(std::move(control));
        if (textIsPicture && !decl.text.empty()) setPicture(decl.name, {"", decl.text});
    }
}

void Win32Window::applyShape() {
    if (decl_.shapeMask.empty()) return;
    win::GdiObject mask(loadPicture(instance_, {"", decl_.shapeMask}));
    std::vector<Color> pixels;
    int width = 0, height = 0;
    if (!mask || !readPixels(static_cast<HBITMAP>(mask.get()), pixels, width, height)) return;
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    for (const Rect& run : shapeRuns(pixels, width, height)) {
        HRGN line = CreateRectRgn(run.x, run.y, run.x + run.width, run.y + run.height);
        CombineRgn(region, region, line, RGN_OR);
        DeleteObject(line);
    }
    // From here on Windows owns the region.
    if (!SetWindowRgn(hwnd_, region, FALSE)) DeleteObject(region);
}

Win32Window::Control* Win32Window::find(std::string_view name) const {
    for (const auto& c : controls_)
        if (str::equalsNoCase(c->decl.name, name)) return c.get();
    return nullptr;
}

Win32Window::Control* Win32Window::findById(int id) const {
    for (const auto& c : controls_)
        if (c->id == id) return c.get();
    return nullptr;
}

HWND Win32Window::controlHandle(std::string_view control) const {
    const Control* c = find(control);
    return c ? c->hwnd : nullptr;
}

void Win32Window::redrawBehind(const Control& control) {
    // Labels are drawn over the window's picture: repaint what lies behind them first.
    RECT rc;
    GetWindowRect(control.hwnd, &rc);
    HWND parent = GetParent(control.hwnd);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    RedrawWindow(parent, &rc, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void Win32Window::setText(std::string_view control, std::string_view text) {
    Control* c = find(control);
    if (!c || !c->hwnd) return;
    settingText_ = true;
    SetWindowTextW(c->hwnd, win::wide(text).c_str());
    settingText_ = false;
    if (c->decl.kind == ControlKind::Label || c->decl.kind == ControlKind::HtmlLabel) redrawBehind(*c);
}

std::string Win32Window::text(std::string_view control) const {
    const Control* c = find(control);
    return c && c->hwnd ? win::narrow(windowText(c->hwnd)) : std::string();
}

void Win32Window::setVisible(std::string_view control, bool visible) {
    Control* c = find(control);
    // The control's own flag: IsWindowVisible is false for every control of a hidden window.
    if (!c || !c->hwnd || this->visible(control) == visible) return;
    ShowWindow(c->hwnd, visible ? SW_SHOWNA : SW_HIDE);
    if (!visible) redrawBehind(*c);
}

bool Win32Window::visible(std::string_view control) const {
    const Control* c = find(control);
    return c && c->hwnd && (GetWindowLongW(c->hwnd, GWL_STYLE) & WS_VISIBLE);
}

void Win32Window::setEnabled(std::string_view control, bool enabled) {
    if (Control* c = find(control); c && c->hwnd) EnableWindow(c->hwnd, enabled);
}

bool Win32Window::enabled(std::string_view control) const {
    const Control* c = find(control);
    return c && c->hwnd && IsWindowEnabled(c->hwnd);
}

void Win32Window::setFontColor(std::string_view control, Color color) {
    Control* c = find(control);
    if (!c || !c->hwnd) return;
    c->color = color;
    if (c->decl.kind == ControlKind::HtmlLabel)
        SendMessageW(c->hwnd, kHtmlLabelSetColor, toColorRef(color), 0);
    redrawBehind(*c);
}

void Win32Window::setPicture(std::string_view control, const Picture& picture) {
    Control* c = find(control);
    if (!c || !c->hwnd) return;
    HBITMAP bitmap = loadPicture(instance_, picture);
    if (!bitmap) return;  // a missing picture leaves the old one
    if (c->decl.kind == ControlKind::Animation) {
        (void)setAnimatedBitmap(c->hwnd, bitmap);  // the control owns the strip
        (void)setAnimatedBitmapActivePicture(c->hwnd, c->decl.animation.firstFrame);
        return;
    }
    c->picture.reset(bitmap);
    SendMessageW(c->hwnd, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(bitmap));
}

void Win32Window::setItems(std::string_view control, const std::vector<std::string>& items) {
    Control* c = find(control);
    if (!c || !c->hwnd) return;
    settingText_ = true;
    SendMessageW(c->hwnd, LB_RESETCONTENT, 0, 0);
    for (const std::string& item : items)
        SendMessageW(c->hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win::wide(item).c_str()));
    settingText_ = false;
}

std::vector<std::string> Win32Window::items(std::string_view control) const {
    std::vector<std::string> out;
    const Control* c = find(control);
    if (!c || !c->hwnd) return out;
    const LRESULT count = SendMessageW(c->hwnd, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = SendMessageW(c->hwnd, LB_GETTEXTLEN, i, 0);
        std::wstring item(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, L'\0');
        SendMessageW(c->hwnd, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        item.resize(static_cast<size_t>(std::max<LRESULT>(length, 0)));
        out.push_back(win::narrow(item));
    }
    return out;
}

void Win32Window::setSelection(std::string_view control, int index) {
    if (Control* c = find(control); c && c->hwnd) SendMessageW(c->hwnd, LB_SETCURSEL, index, 0);
}

int Win32Window::selection(std::string_view control) const {
    const Control* c = find(control);
    return c && c->hwnd ? static_cast<int>(SendMessageW(c->hwnd, LB_GETCURSEL, 0, 0)) : -1;
}

void Win32Window::setMaxLength(std::string_view control, int length) {
    if (Control* c = find(control); c && c->hwnd) SendMessageW(c->hwnd, EM_SETLIMITTEXT, length, 0);
}

void Win32Window::setProgress(std::string_view control, int position, int maximum) {
    Control* c = find(control);
    if (!c || !c->hwnd) return;
    SendMessageW(c->hwnd, PBM_SETRANGE32, 0, maximum);
    SendMessageW(c->hwnd, PBM_SETPOS, position, 0);
}

void Win32Window::setFocus(std::string_view control) {
    if (Control* c = find(control); c && c->hwnd) SetFocus(c->hwnd);
}

void Win32Window::setCharFilter(std::string_view control, std::function<bool(char32_t)> filter) {
    Control* c = find(control);
    if (!c || !c->hwnd || c->decl.kind != ControlKind::Edit) return;
    c->charFilter = std::move(filter);
    SetWindowSubclass(c->hwnd, charFilterProc, 2, reinterpret_cast<DWORD_PTR>(&c->charFilter));
}

void Win32Window::setCaret(std::string_view control, int position) {
    if (Control* c = find(control); c && c->hwnd) SendMessageW(c->hwnd, EM_SETSEL, position, position);
}

void Win32Window::beep() { MessageBeep(MB_OK); }

void Win32Window::show() {
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
}

void Win32Window::hide() { ShowWindow(hwnd_, SW_HIDE); }

bool Win32Window::isShown() const { return IsWindowVisible(hwnd_); }

void Win32Window::setTopmost(bool topmost) {
    SetWindowPos(hwnd_, topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32Window::setTitle(std::string_view title) { SetWindowTextW(hwnd_, win::wide(title).c_str()); }

int Win32Window::showModal() {
    const bool ownerWasEnabled = owner_ && IsWindowEnabled(owner_);
    if (ownerWasEnabled) EnableWindow(owner_, FALSE);
    inModal_ = true;
    modalEnded_ = false;
    modalResult_ = 0;
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    // A nested loop: timers and posted tasks keep running while the dialog is open.
    while (!modalEnded_ && !loop_.terminated()) loop_.pumpedWait(10);
    inModal_ = false;
    // Give activation back to the owner before hiding, so it does not fall behind others.
    if (ownerWasEnabled) EnableWindow(owner_, TRUE);
    ShowWindow(hwnd_, SW_HIDE);
    return modalEnded_ ? modalResult_ : 0;
}

void Win32Window::endModal(int result) {
    if (!inModal_ || modalEnded_) return;
    modalEnded_ = true;
    modalResult_ = result;
}

void Win32Window::repaint() { RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN); }

void Win32Window::clickCancelControl() {
    for (const std::string& name : str::splitList(decl_.cancelControls)) {
        if (visible(name) && enabled(name)) {
            raise(find(name)->decl.name, ControlEvent::Click);
            return;
        }
    }
    requestClose();
}

void Win32Window::onCommand(WORD id, WORD code) {
    if (id == IDCANCEL) {
        clickCancelControl();
        return;
    }
    if (id == IDOK) {
        // Enter: the focused button, as a click would.
        for (const auto& c : controls_)
            if (c->hwnd == GetFocus() && c->decl.kind == ControlKind::Button) {
                raise(c->decl.name, ControlEvent::Click);
                return;
            }
        return;
    }
    const Control* c = findById(id);
    if (!c) return;
    if (c->decl.kind == ControlKind::Button && code == BN_CLICKED)
        raise(c->decl.name, ControlEvent::Click);
    else if (c->decl.kind == ControlKind::Edit && code == EN_CHANGE && !settingText_)
        raise(c->decl.name, ControlEvent::Change);
    else if (c->decl.kind == ControlKind::ListBox && code == LBN_SELCHANGE && !settingText_)
        raise(c->decl.name, ControlEvent::Select);
}

void Win32Window::paintBackground(HDC dc, HWND target) {
    RECT rc;
    GetClientRect(target, &rc);
    if (background_) {
        // Panels show the part of the window's picture that lies behind them.
        POINT origin{0, 0};
        MapWindowPoints(target, hwnd_, &origin, 1);
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, background_.get());
        BitBlt(dc, 0, 0, rc.right, rc.bottom, memory, origin.x, origin.y, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    } else {
        FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
}

void Win32Window::drawButton(const DRAWITEMSTRUCT& item) {
    const Control* c = findById(static_cast<int>(item.CtlID));
    if (!c) return;
    HDC dc = item.hDC;
    RECT rc = item.rcItem;
    // Corners outside the rounded face show the window behind.
    POINT origin{0, 0};
    MapWindowPoints(item.hwndItem, hwnd_, &origin, 1);
    if (background_) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, background_.get());
        BitBlt(dc, 0, 0, rc.right, rc.bottom, memory, origin.x, origin.y, SRCCOPY);
        SelectObject(memory, old);
        DeleteDC(memory);
    } else {
        FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    const bool disabled = item.itemState & ODS_DISABLED;
    const bool pushed = item.itemState & ODS_SELECTED;
    const Color face = disabled ? kButtonDisabled : pushed ? kButtonPushed : kButtonFace;
    HBRUSH brush = CreateSolidBrush(toColorRef(face));
    HPEN pen = CreatePen(PS_SOLID, 1, toColorRef(kButtonPushed));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    RoundRect(dc, rc.left, rc.top, rc.right, rc.bottom, 12, 12);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);

    const std::wstring caption = windowText(item.hwndItem);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    HGDIOBJ oldFont = SelectObject(dc, fonts_.get(c->decl.font));
    RECT text = rc;
    if (pushed) OffsetRect(&text, 1, 1);
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
        RECT focus = rc;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(dc, &focus);
    }
}

LRESULT CALLBACK Win32Window::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    return self->handle(hwnd, msg, wp, lp);
}

LRESULT Win32Window::handle(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (hwnd == hwnd_ && messageHook)
        if (const auto answer = messageHook(msg, wp, lp)) return *answer;
    switch (msg) {
    case WM_ERASEBKGND:
        paintBackground(reinterpret_cast<HDC>(wp), hwnd);
        return 1;
    case WM_CTLCOLORSTATIC: {
        HWND child = reinterpret_cast<HWND>(lp);
        for (const auto& c : controls_) {
            if (c->hwnd != child) continue;
            HDC dc = reinterpret_cast<HDC>(wp);
            SetTextColor(dc, toColorRef(c->color));
            SetBkMode(dc, TRANSPARENT);
            return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
        }
        break;
    }
    case WM_CTLCOLOREDIT: {
        // An edit's font colour is part of what it tells (a key field turns green or red).
        HWND child = reinterpret_cast<HWND>(lp);
        for (const auto& c : controls_) {
            if (c->hwnd != child) continue;
            HDC dc = reinterpret_cast<HDC>(wp);
            SetTextColor(dc, toColorRef(c->color));
            SetBkColor(dc, GetSysColor(COLOR_WINDOW));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
        }
        break;
    }
    case WM_DRAWITEM:
        drawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lp));
        return TRUE;
    case WM_COMMAND:
        onCommand(LOWORD(wp), HIWORD(wp));
        return 0;
    case WM_NCHITTEST:
        // The borderless window is moved by its title band.
        if (hwnd == hwnd_ && !(GetWindowLongW(hwnd, GWL_STYLE) & WS_CHILD)) {
            POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
            ScreenToClient(hwnd, &p);
            if (p.y >= 0 && p.y < kCaptionDragHeight) return HTCAPTION;
        }
        break;
    case WM_CLOSE:
        if (hwnd == hwnd_) clickCancelControl();
        return 0;
    default: break;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

Win32WindowFactory::Win32WindowFactory(HINSTANCE instance, EventLoop& loop)
    : instance_(instance), loop_(loop) {}

std::unique_ptr<Window> Win32WindowFactory::createChildWindow(const WindowDecl& decl, Window& host,
                                                              std::string_view hostControl) {
    auto& hostWindow = static_cast<Win32Window&>(host);
    HWND parent = hostWindow.controlHandle(hostControl);
    if (!parent) parent = hostWindow.hwnd();
    return std::make_unique<Win32Window>(instance_, loop_, fonts_, decl, nullptr, parent);
}

std::unique_ptr<Window> Win32WindowFactory::createWindow(const WindowDecl& decl, Window* owner) {
    HWND ownerHwnd = owner ? static_cast<Win32Window*>(owner)->hwnd() : nullptr;
    return std::make_unique<Win32Window>(instance_, loop_, fonts_, decl, ownerHwnd);
}

} // namespace cw
