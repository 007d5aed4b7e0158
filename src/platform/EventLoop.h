// The event loop and clock port. Everything runs on one thread: waits keep processing
// messages so timers, posted tasks and clicks run while a step waits.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

namespace cw {

// A repeating timer owned by its user. It fires on the loop's thread while enabled;
// a one-shot timer disables itself in its callback. Destroying it stops it.
class Timer {
public:
    virtual ~Timer() = default;
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    // Changing the interval or enabling restarts the countdown.
    virtual void setInterval(uint32_t ms) = 0;
    virtual void setEnabled(bool enabled) = 0;
    [[nodiscard]] virtual uint32_t interval() const = 0;
    [[nodiscard]] virtual bool enabled() const = 0;
    void setOnTimer(std::function<void()> callback) { onTimer_ = std::move(callback); }

protected:
    Timer() = default;
    // Runs a copy of the callback, so the callback may destroy its own timer.
    void fire() {
        if (auto callback = onTimer_) callback();
    }

private:
    std::function<void()> onTimer_;
};

class EventLoop {
public:
    virtual ~EventLoop() = default;

    // Milliseconds since an arbitrary start; never wraps in practice (64 bits).
    [[nodiscard]] virtual uint64_t tickCount() const = 0;
    // Runs every pending message, posted task and due timer once, without waiting.
    virtual void processMessages() = 0;
    // Queues a task to run on the loop's thread at the next processing.
    virtual void post(std::function<void()> task) = 0;
    [[nodiscard]] virtual std::unique_ptr<Timer> createTimer() = 0;
    // True once the program was asked to end (a quit message arrived).
    [[nodiscard]] virtual bool terminated() const = 0;
    // Asks the program to end: the loop stops at its next turn and waits return.
    virtual void requestTermination() = 0;

    // Waits until the tick count has advanced by `ms`, sleeping 10 ms and then processing
    // pending messages on each pass. It returns early only when the program is ending.
    void pumpedWait(uint32_t ms) {
        const uint64_t start = tickCount();
        while (tickCount() - start < ms && !terminated()) {
            sleepSlice(10);
            processMessages();
        }
    }

protected:
    // Blocks the thread for a slice of a pumped wait (real time or virtual time).
    virtual void sleepSlice(uint32_t ms) = 0;
};

} // namespace cw
