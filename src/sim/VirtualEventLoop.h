// A deterministic event loop on a virtual clock, for tests and simulated runs: sleeping
// advances virtual time, so a 120 s wait with timers firing inside it takes milliseconds.
#pragma once

#include "platform/EventLoop.h"

#include <deque>
#include <memory>
#include <vector>

namespace cw {

class VirtualEventLoop : public EventLoop {
public:
    VirtualEventLoop() = default;
    ~VirtualEventLoop() override;

    [[nodiscard]] uint64_t tickCount() const override { return now_; }
    void processMessages() override;
    void post(std::function<void()> task) override { tasks_.push_back(std::move(task)); }
    [[nodiscard]] std::unique_ptr<Timer> createTimer() override;
    [[nodiscard]] bool terminated() const override { return terminated_; }

    // Lets virtual time pass in 10 ms steps, processing messages after each step.
    void advance(uint64_t ms);
    void requestTermination() override { terminated_ = true; }

protected:
    void sleepSlice(uint32_t ms) override { now_ += ms; }

private:
    class VirtualTimer;
    friend class VirtualTimer;

    uint64_t now_ = 0;
    bool terminated_ = false;
    std::deque<std::function<void()>> tasks_;
    std::vector<VirtualTimer*> timers_; // registered while alive, in creation order
};

} // namespace cw
