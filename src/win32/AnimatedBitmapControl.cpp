#include "win32/AnimatedBitmapControl.h"

#include "app/AnimatedBitmap.h"
#include "win32/Handles.h"
#include "win32/StaticControl.h"

#include <cwchar>

namespace cw {
namespace {

constexpr UINT_PTR kFrameTimer = 1;

struct MemoryDcTraits {
    using Handle = HDC;
    static HDC invalid() { return nullptr; }
    static void close(HDC h) { DeleteDC(h); }
};
using MemoryDc = win::UniqueHandle<MemoryDcTraits>;

class AnimatedBitmapControl {
  public:
    explicit AnimatedBitmapControl(HWND hwnd) : hwnd_(hwnd) {
        logic_.setOnIntervalChanged([this](uint32_t ms) {
            if (ms > 0)
                SetTimer(hwnd_, kFrameTimer, ms, nullptr);
            else
                KillTimer(hwnd_, kFrameTimer);
        });
        logic_.setOnRepaint([this](bool immediate) {
            InvalidateRect(hwnd_, nullptr, FALSE);
            if (immediate) UpdateWindow(hwnd_);
        });
    }
    ~AnimatedBitmapControl() { KillTimer(hwnd_, kFrameTimer); }
    AnimatedBitmapControl(const AnimatedBitmapControl&) = delete;
    AnimatedBitmapControl& operator=(const AnimatedBitmapControl&) = delete;

    AnimatedBitmap& logic() { return logic_; }
    void setBitmap(HBITMAP bitmap);
    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);

  private:
    void paint(HDC dc);
    void paintParentBehind(HDC dc);

    HWND hwnd_;
    AnimatedBitmap logic_;
    win::GdiObject bitmap_;
    int bitmapWidth_ = 0;
    int bitmapHeight_ = 0;
    bool monochrome_ = false;
};

void AnimatedBitmapControl::setBitmap(HBITMAP bitmap) {
    BITMAP info{};
    if (!bitmap || !GetObjectW(bitmap, sizeof info, &info)) {
        bitmap_.reset(bitmap);
        bitmapWidth_ = bitmapHeight_ = 0;
    } else {
        bitmap_.reset(bitmap);
        bitmapWidth_ = info.bmWidth;
        bitmapHeight_ = info.bmHeight < 0 ? -info.bmHeight : info.bmHeight;
        monochrome_ = info.bmBitsPixel == 1;
    }
    InvalidateRect(hwnd_, nullptr, FALSE);
}

LRESULT AnimatedBitmapControl::handle(UINT msg, WPARAM wp, LPARAM lp) {
    if (const auto answer = win::handleStaticControlMessage(hwnd_, msg, wp, [this](HDC dc) { paint(dc); }))
        return *answer;
    switch (msg) {
    case WM_CREATE: {
        const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lp);
        if (cs->cx == 0 && cs->cy == 0)
            SetWindowPos(hwnd_, nullptr, 0, 0, AnimatedBitmap::kInitialSize,
                         AnimatedBitmap::kInitialSize, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
    }
    case WM_TIMER:
        if (wp == kFrameTimer) logic_.tick();
        return 0;
    default:
        return DefWindowProcW(hwnd_, msg, wp, lp);
    }
}

void AnimatedBitmapControl::paint(HDC dc) {
    RECT client;
    GetClientRect(hwnd_, &client);
    const FrameRect frame = logic_.frameToPaint(bitmapWidth_, bitmapHeight_);
    if (frame.width <= 0 || frame.height <= 0) {
        paintParentBehind(dc);
        return;
    }
    MemoryDc memory(CreateCompatibleDC(dc));
    if (!memory) return;
    HGDIOBJ old = SelectObject(memory.get(), bitmap_.get());
    SetStretchBltMode(dc, monochrome_ ? BLACKONWHITE : COLORONCOLOR);
    StretchBlt(dc, 0, 0, client.right, client.bottom, memory.get(), frame.x, frame.y, frame.width,
               frame.height, SRCCOPY);
    SelectObject(memory.get(), old);
}

// Without a picture the control shows what lies behind it.
void AnimatedBitmapControl::paintParentBehind(HDC dc) {
    HWND parent = GetParent(hwnd_);
    if (!parent) return;
    POINT origin{0, 0};
    MapWindowPoints(hwnd_, parent, &origin, 1);
    POINT old;
    OffsetViewportOrgEx(dc, -origin.x, -origin.y, &old);
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

LRESULT CALLBACK animatedBitmapProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* control = reinterpret_cast<AnimatedBitmapControl*>(GetWindowLongPtrW(hwnd, 0));
    if (msg == WM_NCCREATE) {
        control = new AnimatedBitmapControl(hwnd);
        SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(control));
    } else if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, 0, 0);
        delete control;
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    return control ? control->handle(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

AnimatedBitmapControl* controlOf(HWND hwnd) {
    wchar_t name[64];
    if (!hwnd || !GetClassNameW(hwnd, name, 64) || std::wcscmp(name, kAnimatedBitmapClass) != 0)
        return nullptr;
    return reinterpret_cast<AnimatedBitmapControl*>(GetWindowLongPtrW(hwnd, 0));
}

} // namespace

bool registerAnimatedBitmapClass(HINSTANCE instance) {
    static bool registered = false;
    if (registered) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = animatedBitmapProc;
    wc.cbWndExtra = sizeof(AnimatedBitmapControl*);
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kAnimatedBitmapClass;
    registered = RegisterClassExW(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return registered;
}

bool setAnimatedBitmap(HWND control, HBITMAP bitmap) {
    auto* c = controlOf(control);
    if (!c) {
        if (bitmap) DeleteObject(bitmap); // ownership was handed over all the same
        return false;
    }
    c->setBitmap(bitmap);
    return true;
}

bool setAnimatedBitmapColumns(HWND control, int columns) {
    auto* c = controlOf(control);
    if (c) c->logic().setColumns(columns);
    return c != nullptr;
}

bool setAnimatedBitmapRows(HWND control, int rows) {
    auto* c = controlOf(control);
    if (c) c->logic().setRows(rows);
    return c != nullptr;
}

bool setAnimatedBitmapInterval(HWND control, uint32_t ms) {
    auto* c = controlOf(control);
    if (c) c->logic().setInterval(ms);
    return c != nullptr;
}

bool setAnimatedBitmapActivePicture(HWND control, int index) {
    auto* c = controlOf(control);
    if (c) c->logic().setActivePicture(index);
    return c != nullptr;
}

bool setAnimatedBitmapReversePlay(HWND control, bool reverse) {
    auto* c = controlOf(control);
    if (c) c->logic().setReversePlay(reverse);
    return c != nullptr;
}

int animatedBitmapActivePicture(HWND control) {
    auto* c = controlOf(control);
    return c ? c->logic().activePicture() : -1;
}

} // namespace cw
