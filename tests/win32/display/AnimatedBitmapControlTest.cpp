// The animated bitmap on screen: the frame it paints and frames that advance with time.
#include "win32/AnimatedBitmapControl.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace cw {
namespace {

// A strip of `frames` frames of 8 x 8, frame i filled with colour i of the list.
HBITMAP makeStrip(const std::vector<uint32_t>& colors) {
    const int frames = static_cast<int>(colors.size());
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = 8 * frames;
    info.bmiHeader.biHeight = -8;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    auto* pixels = static_cast<uint32_t*>(bits);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8 * frames; ++x)
            pixels[y * 8 * frames + x] = colors[x / 8];
    return bitmap;
}

class AnimatedBitmapControlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        ASSERT_TRUE(registerAnimatedBitmapClass(instance));
        parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                  instance, nullptr);
        ASSERT_NE(parent_, nullptr) << GetLastError();
        anim_ = CreateWindowExW(0, kAnimatedBitmapClass, L"", WS_CHILD | WS_VISIBLE, 16, 56, 32, 32,
                                parent_, nullptr, instance, nullptr);
        ASSERT_NE(anim_, nullptr) << GetLastError();
    }
    void TearDown() override {
        if (parent_) DestroyWindow(parent_);
    }

    // The colour the control paints at its centre.
    uint32_t paintedColor() {
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP target = makeStrip({0x123456});
        HGDIOBJ old = SelectObject(dc, target);
        SendMessageW(anim_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        const COLORREF c = GetPixel(dc, 4, 4);
        SelectObject(dc, old);
        DeleteObject(target);
        DeleteDC(dc);
        return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
    }

    // Dispatches messages one by one until the frame changes or `ms` have passed.
    int pumpUntilNextFrame(int from, DWORD ms) {
        const DWORD start = GetTickCount();
        MSG msg;
        while (GetTickCount() - start < ms) {
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                DispatchMessageW(&msg);
                if (animatedBitmapActivePicture(anim_) != from)
                    return animatedBitmapActivePicture(anim_);
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        }
        return animatedBitmapActivePicture(anim_);
    }

    HWND parent_ = nullptr;
    HWND anim_ = nullptr;
};

TEST_F(AnimatedBitmapControlTest, PaintsTheActiveFrameOfTheStrip) {
    ASSERT_TRUE(setAnimatedBitmap(anim_, makeStrip({0xFF0000, 0x00FF00, 0x0000FF, 0x808080})));
    ASSERT_TRUE(setAnimatedBitmapColumns(anim_, 4));
    EXPECT_EQ(paintedColor(), 0xFF0000u);
    ASSERT_TRUE(setAnimatedBitmapActivePicture(anim_, 2));
    EXPECT_EQ(paintedColor(), 0x0000FFu);
    ASSERT_TRUE(setAnimatedBitmapRows(anim_, 1));
    ASSERT_TRUE(setAnimatedBitmapActivePicture(anim_, 9)); // beyond the strip: frame 0
    EXPECT_EQ(paintedColor(), 0xFF0000u);
    EXPECT_EQ(animatedBitmapActivePicture(anim_), 0);
}

TEST_F(AnimatedBitmapControlTest, FramesAdvanceWithTimeAndWrap) {
    ASSERT_TRUE(setAnimatedBitmap(anim_, makeStrip(std::vector<uint32_t>(16, 0xFFFFFF))));
    ASSERT_TRUE(setAnimatedBitmapColumns(anim_, 16));
    ASSERT_TRUE(setAnimatedBitmapActivePicture(anim_, 10));
    ASSERT_TRUE(setAnimatedBitmapInterval(anim_, 20));
    EXPECT_EQ(pumpUntilNextFrame(10, 2000), 11);
    ASSERT_TRUE(setAnimatedBitmapActivePicture(anim_, 15));
    EXPECT_EQ(pumpUntilNextFrame(15, 2000), 0);
    ASSERT_TRUE(setAnimatedBitmapReversePlay(anim_, true));
    EXPECT_EQ(pumpUntilNextFrame(0, 2000), 15);

    ASSERT_TRUE(setAnimatedBitmapInterval(anim_, 0));
    const int stopped = animatedBitmapActivePicture(anim_);
    EXPECT_EQ(pumpUntilNextFrame(stopped, 350), stopped);
}

TEST_F(AnimatedBitmapControlTest, OtherWindowsAreRefused) {
    EXPECT_FALSE(setAnimatedBitmapColumns(parent_, 4));
    EXPECT_EQ(animatedBitmapActivePicture(parent_), -1);
}

} // namespace
} // namespace cw
