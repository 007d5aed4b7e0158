#include "app/AnimatedBitmap.h"

#include "sim/VirtualEventLoop.h"

#include <gtest/gtest.h>

using namespace cw;

TEST(AnimatedBitmap, StartsAsOneStillFrame) {
    AnimatedBitmap anim;
    EXPECT_EQ(anim.columns(), 1);
    EXPECT_EQ(anim.rows(), 1);
    EXPECT_EQ(anim.activePicture(), 0);
    EXPECT_EQ(anim.interval(), 0u);
    EXPECT_FALSE(anim.reversePlay());
}

TEST(AnimatedBitmap, SixteenFrameStripRestartsAtZeroAfterFrameFifteen) {
    VirtualEventLoop loop;
    AnimatedBitmap anim(loop);
    int immediateRepaints = 0;
    anim.setOnRepaint([&](bool immediate) { immediateRepaints += immediate ? 1 : 0; });
    anim.setColumns(16);
    anim.setActivePicture(10);
    anim.setInterval(100);

    loop.advance(500);
    EXPECT_EQ(anim.activePicture(), 15);
    loop.advance(100);
    EXPECT_EQ(anim.activePicture(), 0);
    loop.advance(100);
    EXPECT_EQ(anim.activePicture(), 1);
    EXPECT_EQ(immediateRepaints, 1 + 7); // the set frame, then one per step
}

TEST(AnimatedBitmap, ReversePlayGoesFromZeroToTheLastFrame) {
    AnimatedBitmap anim;
    anim.setColumns(8);
    anim.setRows(2);
    anim.setReversePlay(true);
    anim.tick();
    EXPECT_EQ(anim.activePicture(), 15);
    anim.tick();
    EXPECT_EQ(anim.activePicture(), 14);
    anim.setReversePlay(false);
    anim.tick();
    EXPECT_EQ(anim.activePicture(), 15);
    anim.tick();
    EXPECT_EQ(anim.activePicture(), 0);
}

TEST(AnimatedBitmap, IntervalZeroStopsTheAnimation) {
    VirtualEventLoop loop;
    AnimatedBitmap anim(loop);
    anim.setColumns(16);
    anim.setInterval(100);
    loop.advance(300);
    EXPECT_EQ(anim.activePicture(), 3);
    anim.setInterval(0);
    loop.advance(1000);
    EXPECT_EQ(anim.activePicture(), 3);
    anim.setInterval(50);
    loop.advance(100);
    EXPECT_EQ(anim.activePicture(), 5);
}

TEST(AnimatedBitmap, ACallerSteppedAnimationHearsOfIntervalChanges) {
    AnimatedBitmap anim;
    std::vector<uint32_t> periods;
    anim.setOnIntervalChanged([&](uint32_t ms) { periods.push_back(ms); });
    anim.setInterval(100);
    anim.setInterval(100);
    anim.setInterval(0);
    EXPECT_EQ(periods, (std::vector<uint32_t>{100, 0}));
}

TEST(AnimatedBitmap, NewColumnsOrRowsAskForALaterRepaint) {
    AnimatedBitmap anim;
    std::vector<bool> repaints;
    anim.setOnRepaint([&](bool immediate) { repaints.push_back(immediate); });
    anim.setColumns(4);
    anim.setColumns(4);
    anim.setRows(0); // counts as 1: unchanged
    anim.setRows(2);
    EXPECT_EQ(repaints, (std::vector<bool>{false, false}));
    EXPECT_EQ(anim.frameCount(), 8);
}

TEST(AnimatedBitmap, FrameRectanglesAreCountedRowByRow) {
    struct Case {
        int columns, rows, active, bitmapWidth, bitmapHeight;
        FrameRect frame;
        int activeAfter;
    };
    const Case cases[] = {
        {16, 1, 3, 512, 32, {96, 0, 32, 32}, 3},
        {16, 1, 15, 512, 32, {480, 0, 32, 32}, 15},
        {2, 2, 3, 64, 64, {32, 32, 32, 32}, 3},
        {3, 2, 4, 90, 40, {30, 20, 30, 20}, 4},
        {4, 1, 2, 30, 10, {14, 0, 7, 10}, 2},    // integer division of the frame width
        {16, 1, 20, 512, 32, {0, 0, 32, 32}, 0}, // beyond the frames: back to frame 0
        {16, 1, -2, 512, 32, {0, 0, 32, 32}, 0},
        {16, 1, 5, 0, 0, {0, 0, 0, 0}, 5}, // empty bitmap: nothing to draw
    };
    for (const Case& c : cases) {
        AnimatedBitmap anim;
        anim.setColumns(c.columns);
        anim.setRows(c.rows);
        anim.setActivePicture(c.active);
        EXPECT_EQ(anim.frameToPaint(c.bitmapWidth, c.bitmapHeight), c.frame)
            << c.columns << "x" << c.rows << " frame " << c.active;
        EXPECT_EQ(anim.activePicture(), c.activeAfter);
    }
}
