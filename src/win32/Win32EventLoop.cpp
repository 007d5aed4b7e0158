#include "win32/Win32EventLoop.h"

namespace cw {
namespace {
constexpr UINT kRunTasks = WM_APP + 1;
constexpr wchar_t kWindowClass[] = L"ConfigWiFi.EventLoop";
} // namespace

class Win32EventLoop::WindowTimer : public Timer {
public:
    WindowTimer(Win32EventLoop& loop, UINT_PTR id) : loop_(loop), id_(id) { loop_.timers_[id_] = this; }
    ~WindowTimer() override {
        stop();
        loop_.timers_.erase(id_);
    }
    void setInterval(uint32_t ms) override {
        interval_ = ms;
        restart();
    }
    void setEnabled(bool enabled) override {
        enabled_ = enabled;
        restart();
    }
    [[nodiscard]] uint32_t interval() const override { return interval_; }
    [[nodiscard]] bool enabled() const override { return enabled_; }
    void onTick() { fire(); }

private:
    void stop() { KillTimer(loop_.window_, id_); }
    // SetTimer on the same id replaces the running one, which restarts the countdown.
    void restart() {
        if (enabled_ && interval_ > 0)
            SetTimer(loop_.window_, id_, interval_, nullptr);
        else
            stop();
    }
    Win32EventLoop& loop_;
    UINT_PTR id_;
    uint32_t interval_ = 1000;
    bool enabled_ = false;
};

Win32EventLoop::Win32EventLoop() {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc); // fails harmlessly when a second loop registers it again
    window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                              wc.hInstance, this);
}

Win32EventLoop::~Win32EventLoop() {
    if (window_) DestroyWindow(window_);
}

LRESULT CALLBACK Win32EventLoop::windowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(cs->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32EventLoop*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && msg == kRunTasks) {
        self->runPostedTasks();
        return 0;
    }
    if (self && msg == WM_TIMER) {
        if (auto it = self->timers_.find(wp); it != self->timers_.end()) it->second->onTick();
        return 0;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

uint64_t Win32EventLoop::tickCount() const {
    // GetTickCount64 is missing on XP: extend the 32-bit count across its 49-day wrap.
    const DWORD now = GetTickCount();
    if (now < lastTick_) tickHigh_ += uint64_t{1} << 32;
    lastTick_ = now;
    return tickHigh_ + now;
}

void Win32EventLoop::dispatch(const MSG& msg) {
    // Our windows get dialog keyboard navigation: Tab between controls, Enter, Escape.
    if (HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
        root && GetPropW(root, L"ConfigWiFi.Keyboard") && IsDialogMessageW(root, const_cast<MSG*>(&msg)))
        return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

void Win32EventLoop::processMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            terminated_ = true;
            exitCode_ = static_cast<int>(msg.wParam);
            return;
        }
        dispatch(msg);
    }
}

void Win32EventLoop::post(std::function<void()> task) {
    {
        std::lock_guard lock(tasksMutex_);
        tasks_.push_back(std::move(task));
    }
    PostMessageW(window_, kRunTasks, 0, 0);
}

void Win32EventLoop::runPostedTasks() {
    for (;;) {
        std::function<void()> task;
        {
            std::lock_guard lock(tasksMutex_);
            if (tasks_.empty()) return;
            task = std::move(tasks_.front());
            tasks_.pop_front();
        }
        task();
    }
}

std::unique_ptr<Timer> Win32EventLoop::createTimer() {
    return std::make_unique<WindowTimer>(*this, nextTimerId_++);
}

void Win32EventLoop::sleepSlice(uint32_t ms) {
    // Sleeps the slice but wakes at once when input arrives, so the wait stays responsive.
    MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_ALLINPUT);
}

int Win32EventLoop::run() {
    MSG msg;
    while (!terminated_) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            terminated_ = true;
            if (got == 0) exitCode_ = static_cast<int>(msg.wParam);
            break;
        }
        dispatch(msg);
    }
    return exitCode_;
}

} // namespace cw
