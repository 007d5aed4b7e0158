// The generated artwork is linked in as bitmap resources that load by name.
#include <windows.h>

#include <gtest/gtest.h>

namespace {

TEST(ArtworkResources, EveryBitmapLoadsByNameWithItsSize) {
    struct Expected {
        const wchar_t* name;
        int width, height;
    };
    const Expected bitmaps[] = {
        {L"FormShaper", 537, 597},
        {L"DialogShaper", 380, 154},
        {L"WaitShaper", 381, 154},
        {L"FormBackground", 537, 597},
        {L"DialogBackground", 380, 154},
        {L"WaitBackground", 381, 154},
        {L"dWarning", 32, 32},
        {L"dInformation", 32, 32},
        {L"dError", 32, 32},
        {L"WaitAnim", 512, 32},
        {L"Warning", 32, 32},
        {L"WARNING", 32, 32},  // resource names are found in any letter case
        {L"Warning_Assos", 32, 32},
        {L"WiFiOn", 380, 190},
        {L"Poster", 360, 200},
        {L"Flash_2p", 960, 320},
        {L"Check_OK", 32, 32},
        {L"Key_WEP", 441, 112},
        {L"SSID_WEP", 441, 130},
        {L"SSID_WPS", 441, 130},
        {L"DialerShaper", 383, 331},
        {L"DialerBackground", 383, 331},
        {L"DialerMarkDone", 16, 16},
        {L"DialerMarkDoneGrey", 16, 16},
        {L"DialerMarkFailed", 16, 16},
        {L"DialerMarkFailedGrey", 16, 16},
    };
    for (const Expected& e : bitmaps) {
        HANDLE image =
            LoadImageW(GetModuleHandleW(nullptr), e.name, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
        ASSERT_NE(image, nullptr) << GetLastError();
        BITMAP info{};
        ASSERT_NE(GetObjectW(image, sizeof info, &info), 0);
        EXPECT_EQ(info.bmWidth, e.width);
        EXPECT_EQ(info.bmHeight, e.height);
        EXPECT_EQ(info.bmBitsPixel, 24);
        DeleteObject(image);
    }
}

} // namespace
