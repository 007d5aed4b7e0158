// The real message loop: timers and posted tasks run while a pumped wait is in progress.
#include "win32/Win32EventLoop.h"

#include <gtest/gtest.h>

#include <thread>

namespace cw {
namespace {

TEST(Win32EventLoop, TimerFiresInsidePumpedWaitAndWaitLastsItsDuration) {
    Win32EventLoop loop;
    auto timer = loop.createTimer();
    int ticks = 0;
    timer->setOnTimer([&] { ++ticks; });
    timer->setInterval(50);
    timer->setEnabled(true);

    const uint64_t start = loop.tickCount();
    loop.pumpedWait(400);
    EXPECT_GE(loop.tickCount() - start, 400u);
    EXPECT_GE(ticks, 2);
}

TEST(Win32EventLoop, OneShotTimerStopsItselfAndDisabledTimerNeverFires) {
    Win32EventLoop loop;
    auto oneShot = loop.createTimer();
    auto disabled = loop.createTimer();
    int shots = 0, never = 0;
    oneShot->setOnTimer([&] {
        oneShot->setEnabled(false);
        ++shots;
    });
    disabled->setOnTimer([&] { ++never; });
    oneShot->setInterval(20);
    oneShot->setEnabled(true);
    disabled->setInterval(20);

    loop.pumpedWait(250);
    EXPECT_EQ(shots, 1);
    EXPECT_EQ(never, 0);
    EXPECT_FALSE(oneShot->enabled());
}

TEST(Win32EventLoop, TasksPostedFromAnotherThreadRunOnTheLoopInOrder) {
    Win32EventLoop loop;
    std::vector<int> order;
    const auto loopThread = std::this_thread::get_id();
    bool onLoopThread = true;
    std::thread worker([&] {
        for (int i = 0; i < 3; ++i)
            loop.post([&, i] {
                order.push_back(i);
                onLoopThread = onLoopThread && std::this_thread::get_id() == loopThread;
            });
    });
    worker.join();
    loop.processMessages();
    EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(onLoopThread);
}

TEST(Win32EventLoop, QuitMessageEndsWaitsAndRun) {
    Win32EventLoop loop;
    loop.post([] { PostQuitMessage(7); });
    const uint64_t start = loop.tickCount();
    loop.pumpedWait(60000);
    EXPECT_TRUE(loop.terminated());
    EXPECT_LT(loop.tickCount() - start, 60000u);
}

} // namespace
} // namespace cw
