// The HTML label drawn by GDI: markup round trip, word wrap, bold, colours, background.
#include "win32/HtmlLabel.h"

#include "win32/Handles.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace cw {
namespace {

constexpr COLORREF kParentColor = RGB(255, 255, 0);
constexpr wchar_t kParentClass[] = L"CwHtmlLabelTestParent";

// The parent paints itself yellow, so a transparent label shows yellow behind its text.
LRESULT CALLBACK parentProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_ERASEBKGND) {
        RECT rc;
        GetClientRect(hwnd, &rc);
        HBRUSH brush = CreateSolidBrush(kParentColor);
        FillRect(reinterpret_cast<HDC>(wp), &rc, brush);
        DeleteObject(brush);
        return 1;
    }
    return DefWindowProcW(hwnd, msg, wp, lp);
}

// What the label draws, read back from a 32-bit top-down picture.
struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels; // 0x00RRGGBB

    [[nodiscard]] uint32_t at(int x, int y) const { return pixels[y * width + x]; }
    // Rightmost and lowest column / row holding a pixel other than `background`.
    [[nodiscard]] int inkRight(uint32_t background) const {
        int right = -1;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (at(x, y) != background && x > right) right = x;
        return right;
    }
    [[nodiscard]] int inkBottom(uint32_t background) const {
        int bottom = -1;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                if (at(x, y) != background) bottom = y;
        return bottom;
    }
    template <typename Pred> [[nodiscard]] int count(Pred pred) const {
        int n = 0;
        for (uint32_t p : pixels)
            n += pred((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF) ? 1 : 0;
        return n;
    }
};

class HtmlLabelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        HINSTANCE instance = GetModuleHandleW(nullptr);
        ASSERT_TRUE(registerHtmlLabelClass(instance));
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = parentProc;
        wc.hInstance = instance;
        wc.lpszClassName = kParentClass;
        RegisterClassExW(&wc); // a second test finds it registered
        parent_ = CreateWindowExW(0, kParentClass, L"", WS_POPUP, 0, 0, 400, 200, nullptr, nullptr,
                                  instance, nullptr);
        ASSERT_NE(parent_, nullptr) << GetLastError();
        label_ = CreateWindowExW(0, kHtmlLabelClass, L"", WS_CHILD | WS_VISIBLE, 10, 10, 300, 60,
                                 parent_, nullptr, instance, nullptr);
        ASSERT_NE(label_, nullptr) << GetLastError();
        font_.reset(CreateFontW(-13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY,
                                DEFAULT_PITCH, L"Tahoma"));
        SendMessageW(label_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    }
    void TearDown() override {
        if (parent_) DestroyWindow(parent_);
    }

    void setText(const wchar_t* markup) { SetWindowTextW(label_, markup); }

    // Asks the label to draw into a memory picture of its size.
    Picture render() {
        RECT rc;
        GetClientRect(label_, &rc);
        Picture picture;
        picture.width = rc.right;
        picture.height = rc.bottom;
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = picture.width;
        info.bmiHeader.biHeight = -picture.height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        win::GdiObject dib(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        EXPECT_TRUE(dib) << GetLastError();
        if (!dib) {
            DeleteDC(dc);
            return picture;
        }
        HGDIOBJ old = SelectObject(dc, dib.get());
        SendMessageW(label_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
        GdiFlush();
        const auto* data = static_cast<const uint32_t*>(bits);
        picture.pixels.assign(data, data + picture.width * picture.height);
        for (uint32_t& p : picture.pixels)
            p &= 0xFFFFFF;
        SelectObject(dc, old);
        DeleteDC(dc);
        return picture;
    }

    HWND parent_ = nullptr;
    HWND label_ = nullptr;
    win::GdiObject font_;
};

constexpr uint32_t kWhitePixel = 0xFFFFFF;

TEST_F(HtmlLabelTest, WindowTextIsTheMarkup) {
    const std::wstring markup = L"<B>Clé WiFi</B> : <FONT color=\"#FF0000\">ERREUR</FONT><BR>fin";
    setText(markup.c_str());
    wchar_t buffer[256] = {};
    const int length = GetWindowTextW(label_, buffer, 256);
    EXPECT_EQ(std::wstring(buffer, length), markup);
    EXPECT_EQ(SendMessageW(label_, WM_GETDLGCODE, 0, 0), DLGC_STATIC);
    EXPECT_EQ(GetWindowLongPtrW(label_, GWL_STYLE) & WS_TABSTOP, 0);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(label_, WM_GETFONT, 0, 0)), font_.get());
}

TEST_F(HtmlLabelTest, BoldTextIsWiderThanPlainText) {
    setText(L"Vérifiez le voyant WiFi");
    const int plain = render().inkRight(kWhitePixel);
    setText(L"<B>Vérifiez le voyant WiFi</B>");
    const int bold = render().inkRight(kWhitePixel);
    EXPECT_GT(plain, 20);
    EXPECT_GT(bold, plain);
}

TEST_F(HtmlLabelTest, FontColourRunIsRedAndDefaultColourApplies) {
    auto red = [](int r, int g, int b) { return r > 200 && g < 80 && b < 80; };
    auto blue = [](int r, int g, int b) { return b > 200 && r < 80 && g < 80; };
    setText(L"<B>ERREUR</B> sans couleur");
    EXPECT_EQ(render().count(red), 0);
    setText(L"<FONT color=\"#FF0000\"><B>ERREUR : </B></FONT>la connexion");
    const Picture picture = render();
    EXPECT_GT(picture.count(red), 10);
    EXPECT_EQ(picture.count(blue), 0);
    SendMessageW(label_, kHtmlLabelSetColor, RGB(0, 0, 255), 0);
    EXPECT_GT(render().count(blue), 10);
}

TEST_F(HtmlLabelTest, WrapsWordsToTheClientWidth) {
    const wchar_t* text = L"un deux trois quatre cinq six sept huit";
    setText(text);
    const Picture wide = render();
    SetWindowPos(label_, nullptr, 0, 0, 60, 150, SWP_NOMOVE | SWP_NOZORDER);
    const Picture narrow = render();
    EXPECT_LT(narrow.inkRight(kWhitePixel), 60);
    // Several lines of text, where the wide label needed one.
    EXPECT_GT(narrow.inkBottom(kWhitePixel), 3 * wide.inkBottom(kWhitePixel));
}

TEST_F(HtmlLabelTest, BackgroundIsItsColourOrTheParentBehind) {
    setText(L"texte");
    SendMessageW(label_, kHtmlLabelSetBackground, RGB(0, 255, 0), 0);
    EXPECT_EQ(render().at(290, 50), 0x00FF00u);
    SendMessageW(label_, kHtmlLabelSetBackground, RGB(0, 255, 0), 1);
    const Picture picture = render();
    EXPECT_EQ(picture.at(290, 50), 0xFFFF00u);
    EXPECT_GT(picture.count([](int r, int g, int b) { return r < 80 && g < 80 && b < 80; }), 10);
}

} // namespace
} // namespace cw
