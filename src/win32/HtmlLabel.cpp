#include "win32/HtmlLabel.h"

#include "app/HtmlText.h"
#include "win32/Handles.h"
#include "win32/StaticControl.h"
#include "win32/WinString.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace cw {
namespace {

struct MemoryDcTraits {
    using Handle = HDC;
    static HDC invalid() { return nullptr; }
    static void close(HDC h) { DeleteDC(h); }
};
using MemoryDc = win::UniqueHandle<MemoryDcTraits>;

// Selects an object into a DC for one scope.
class Selection {
  public:
    Selection(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~Selection() { SelectObject(dc_, old_); }
    Selection(const Selection&) = delete;
    Selection& operator=(const Selection&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

COLORREF toColorRef(uint32_t rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

class HtmlLabel {
  public:
    explicit HtmlLabel(HWND hwnd) : hwnd_(hwnd) {}
    HtmlLabel(const HtmlLabel&) = delete;
    HtmlLabel& operator=(const HtmlLabel&) = delete;

    LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);

  private:
    void readMarkup();
    [[nodiscard]] HFONT baseFont() const;
    [[nodiscard]] HFONT fontFor(const html::Style& style);
    void paint(HDC target);
    void paintParentBehind(HDC dc);
    void drawText(HDC dc, int width);

    HWND hwnd_;
    std::vector<html::Run> runs_;
    HFONT baseFont_ = nullptr; // owned by whoever set it
    std::map<uint32_t, win::GdiObject> variants_;
    COLORREF textColor_ = RGB(0, 0, 0);
    COLORREF background_ = RGB(255, 255, 255);
    bool transparent_ = false;
};

LRESULT HtmlLabel::handle(UINT msg, WPARAM wp, LPARAM lp) {
    if (const auto answer = win::handleStaticControlMessage(hwnd_, msg, wp, [this](HDC dc) { paint(dc); }))
        return *answer;
    switch (msg) {
    case WM_CREATE:
        readMarkup();
        return 0;
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcW(hwnd_, msg, wp, lp);
        readMarkup();
        InvalidateRect(hwnd_, nullptr, FALSE);
        return result;
    }
    case WM_SETFONT:
        baseFont_ = reinterpret_cast<HFONT>(wp);
        variants_.clear();
        if (LOWORD(lp)) InvalidateRect(hwnd_, nullptr, FALSE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(baseFont_);
    case kHtmlLabelSetColor:
        textColor_ = static_cast<COLORREF>(wp);
        InvalidateRect(hwnd_, nullptr, FALSE);
        return 0;
    case kHtmlLabelSetBackground:
        background_ = static_cast<COLORREF>(wp);
        transparent_ = lp != 0;
        InvalidateRect(hwnd_, nullptr, FALSE);
        return 0;
    default:
        return DefWindowProcW(hwnd_, msg, wp, lp);
    }
}

void HtmlLabel::readMarkup() {
    const int length = GetWindowTextLengthW(hwnd_);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(hwnd_, text.data(), length + 1)));
    runs_ = html::parse(win::narrow(text));
}

HFONT HtmlLabel::baseFont() const {
    return baseFont_ ? baseFont_ : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

HFONT HtmlLabel::fontFor(const html::Style& style) {
    if (!style.bold && !style.italic && !style.underline && style.sizePt == 0) return baseFont();
    const uint32_t key = (style.bold ? 1u : 0u) | (style.italic ? 2u : 0u) |
                         (style.underline ? 4u : 0u) | static_cast<uint32_t>(style.sizePt) << 3;
    if (auto it = variants_.find(key); it != variants_.end())
        return static_cast<HFONT>(it->second.get());

    LOGFONTW lf{};
    if (!GetObjectW(baseFont(), sizeof lf, &lf)) return baseFont();
    if (style.bold) lf.lfWeight = FW_BOLD;
    if (style.italic) lf.lfItalic = TRUE;
    if (style.underline) lf.lfUnderline = TRUE;
    if (style.sizePt > 0) {
        // Points to pixels at the screen's resolution, as a character height.
        HDC screen = GetDC(nullptr);
        const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen) ReleaseDC(nullptr, screen);
        lf.lfHeight = -MulDiv(style.sizePt, dpi, 72);
    }
    win::GdiObject font(CreateFontIndirectW(&lf));
    if (!font) return baseFont();
    HFONT result = static_cast<HFONT>(font.get());
    variants_.emplace(key, std::move(font));
    return result;
}

void HtmlLabel::paint(HDC target) {
    RECT client;
    GetClientRect(hwnd_, &client);
    const int width = client.right, height = client.bottom;
    if (width <= 0 || height <= 0) return;

    // Drawn off screen, then copied at once: no flicker.
    MemoryDc memory(CreateCompatibleDC(target));
    win::GdiObject picture(CreateCompatibleBitmap(target, width, height));
    if (!memory || !picture) return;
    Selection selected(memory.get(), picture.get());

    win::GdiObject brush(CreateSolidBrush(background_));
    FillRect(memory.get(), &client, static_cast<HBRUSH>(brush.get()));
    if (transparent_) paintParentBehind(memory.get());
    drawText(memory.get(), width);
    BitBlt(target, 0, 0, width, height, memory.get(), 0, 0, SRCCOPY);
}

void HtmlLabel::paintParentBehind(HDC dc) {
    HWND parent = GetParent(hwnd_);
    if (!parent) return;
    POINT origin{0, 0};
    MapWindowPoints(hwnd_, parent, &origin, 1);
    POINT old;
    SetViewportOrgEx(dc, -origin.x, -origin.y, &old);
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

void HtmlLabel::drawText(HDC dc, int width) {
    auto measure = [&](std::string_view text, const html::Style& style) {
        Selection font(dc, fontFor(style));
        const std::wstring w = win::wide(text);
        SIZE size{0, 0};
        GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &size);
        TEXTMETRICW metrics{};
        GetTextMetricsW(dc, &metrics);
        return html::TextSize{static_cast<int>(size.cx), static_cast<int>(size.cy),
                              static_cast<int>(metrics.tmAscent)};
    };
    const html::TextLayout layout = html::layout(runs_, width, measure);

    SetBkMode(dc, TRANSPARENT);
    for (const html::PlacedText& piece : layout.pieces) {
        Selection font(dc, fontFor(piece.style));
        SetTextColor(dc, piece.style.color ? toColorRef(*piece.style.color) : textColor_);
        const std::wstring w = win::wide(piece.text);
        TextOutW(dc, piece.x, piece.y, w.c_str(), static_cast<int>(w.size()));
    }
}

LRESULT CALLBACK htmlLabelProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    auto* label = reinterpret_cast<HtmlLabel*>(GetWindowLongPtrW(hwnd, 0));
    if (msg == WM_NCCREATE) {
        label = new HtmlLabel(hwnd);
        SetWindowLongPtrW(hwnd, 0, reinterpret_cast<LONG_PTR>(label));
    } else if (msg == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, 0, 0);
        delete label;
        return DefWindowProcW(hwnd, msg, wp, lp);
    }
    return label ? label->handle(msg, wp, lp) : DefWindowProcW(hwnd, msg, wp, lp);
}

} // namespace

bool registerHtmlLabelClass(HINSTANCE instance) {
    static bool registered = false;
    if (registered) return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = htmlLabelProc;
    wc.cbWndExtra = sizeof(HtmlLabel*);
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kHtmlLabelClass;
    registered = RegisterClassExW(&wc) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return registered;
}

} // namespace cw
