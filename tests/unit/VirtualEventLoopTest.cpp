#include "sim/VirtualEventLoop.h"

#include <gtest/gtest.h>

using namespace cw;

TEST(VirtualEventLoop, TimersFireInsideAPumpedWait) {
    VirtualEventLoop loop;
    auto timer = loop.createTimer();
    std::vector<uint64_t> firedAt;
    timer->setOnTimer([&] { firedAt.push_back(loop.tickCount()); });
    timer->setInterval(1000);
    timer->setEnabled(true);

    loop.pumpedWait(120'000);
    EXPECT_EQ(loop.tickCount(), 120'000u);
    ASSERT_EQ(firedAt.size(), 120u);
    EXPECT_EQ(firedAt.front(), 1000u);
    EXPECT_EQ(firedAt.back(), 120'000u);
}

TEST(VirtualEventLoop, OneShotTimerDisablesItselfAndEnablingRestartsTheCountdown) {
    VirtualEventLoop loop;
    auto timer = loop.createTimer();
    int fired = 0;
    timer->setOnTimer([&] {
        ++fired;
        timer->setEnabled(false);
    });
    timer->setInterval(500);
    timer->setEnabled(true);
    loop.advance(300);
    timer->setEnabled(true); // restarts: now due at 800
    loop.advance(400);
    EXPECT_EQ(fired, 0);
    loop.advance(100);
    EXPECT_EQ(fired, 1);
    loop.advance(5000);
    EXPECT_EQ(fired, 1);
}

TEST(VirtualEventLoop, PostedTasksRunInOrderAtTheNextProcessing) {
    VirtualEventLoop loop;
    std::string order;
    loop.post([&] {
        order += 'a';
        loop.post([&] { order += 'c'; }); // queued behind, for the next processing
    });
    loop.post([&] { order += 'b'; });
    EXPECT_EQ(order, "");
    loop.processMessages();
    EXPECT_EQ(order, "ab");
    loop.processMessages();
    EXPECT_EQ(order, "abc");
}

TEST(VirtualEventLoop, TimerMayDestroyItselfOrAnotherWhileFiring) {
    VirtualEventLoop loop;
    std::unique_ptr<Timer> first = loop.createTimer();
    std::unique_ptr<Timer> second = loop.createTimer();
    int secondFired = 0;
    first->setOnTimer([&] {
        second.reset();
        first.reset();
    });
    second->setOnTimer([&] { ++secondFired; });
    first->setInterval(100), second->setInterval(100);
    first->setEnabled(true), second->setEnabled(true);
    loop.advance(1000);
    EXPECT_EQ(first, nullptr);
    EXPECT_EQ(secondFired, 0);
}

TEST(VirtualEventLoop, WaitEndsEarlyWhenTheProgramIsEnding) {
    VirtualEventLoop loop;
    auto timer = loop.createTimer();
    timer->setOnTimer([&] { loop.requestTermination(); });
    timer->setInterval(2000);
    timer->setEnabled(true);
    loop.pumpedWait(60'000);
    EXPECT_EQ(loop.tickCount(), 2000u);
}
