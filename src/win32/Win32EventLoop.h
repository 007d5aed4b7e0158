// The real message loop: timers are window timers of a hidden message-only window, posted
// tasks arrive as messages to it (from any thread), waits keep dispatching messages.
#pragma once

#include "platform/EventLoop.h"

#include <windows.h>

#include <deque>
#include <map>
#include <mutex>

namespace cw {

class Win32EventLoop : public EventLoop {
public:
    Win32EventLoop();
    ~Win32EventLoop() override;
    Win32EventLoop(const Win32EventLoop&) = delete;
    Win32EventLoop& operator=(const Win32EventLoop&) = delete;

    [[nodiscard]] uint64_t tickCount() const override;
    void processMessages() override;
    // Safe to call from any thread.
    void post(std::function<void()> task) override;
    [[nodiscard]] std::unique_ptr<Timer> createTimer() override;
    [[nodiscard]] bool terminated() const override { return terminated_; }
    void requestTermination() override { PostQuitMessage(0); }

    // Runs until WM_QUIT; returns its exit code.
    int run();

protected:
    void sleepSlice(uint32_t ms) override;

private:
    class WindowTimer;
    static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
    void dispatch(const MSG& msg);
    void runPostedTasks();

    HWND window_ = nullptr;
    bool terminated_ = false;
    int exitCode_ = 0;
    std::mutex tasksMutex_;
    std::deque<std::function<void()>> tasks_;
    std::map<UINT_PTR, WindowTimer*> timers_;
    UINT_PTR nextTimerId_ = 1;
    mutable DWORD lastTick_ = 0;
    mutable uint64_t tickHigh_ = 0;
};

} // namespace cw
