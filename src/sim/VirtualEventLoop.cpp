#include "sim/VirtualEventLoop.h"

#include <algorithm>

namespace cw {

class VirtualEventLoop::VirtualTimer : public Timer {
public:
    explicit VirtualTimer(VirtualEventLoop& loop) : loop_(&loop) { loop_->timers_.push_back(this); }
    ~VirtualTimer() override {
        if (loop_) std::erase(loop_->timers_, this);
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

    [[nodiscard]] bool due(uint64_t now) const { return enabled_ && interval_ > 0 && now >= due_; }
    // Like a window timer: at most one firing per processing, next one a full interval on.
    void fireNow(uint64_t now) {
        due_ = now + interval_;
        fire();
    }
    void detach() { loop_ = nullptr; }

private:
    void restart() {
        if (loop_) due_ = loop_->now_ + interval_;
    }
    VirtualEventLoop* loop_;
    uint32_t interval_ = 1000;
    bool enabled_ = false;
    uint64_t due_ = 0;
};

VirtualEventLoop::~VirtualEventLoop() {
    for (auto* t : timers_) t->detach();
}

std::unique_ptr<Timer> VirtualEventLoop::createTimer() { return std::make_unique<VirtualTimer>(*this); }

void VirtualEventLoop::processMessages() {
    // Tasks posted while running these wait for the next processing, as on a real queue.
    for (size_t n = tasks_.size(); n > 0 && !tasks_.empty(); --n) {
        auto task = std::move(tasks_.front());
        tasks_.pop_front();
        task();
    }
    // A callback may create or destroy timers: work on a snapshot and re-check membership.
    const std::vector<VirtualTimer*> snapshot = timers_;
    for (auto* t : snapshot) {
        if (std::find(timers_.begin(), timers_.end(), t) == timers_.end()) continue;
        if (t->due(now_)) t->fireNow(now_);
    }
}

void VirtualEventLoop::advance(uint64_t ms) {
    const uint64_t end = now_ + ms;
    while (now_ < end) {
        now_ += std::min<uint64_t>(10, end - now_);
        processMessages();
    }
}

} // namespace cw
