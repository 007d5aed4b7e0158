// An edit's character filter on a real EDIT control: refused characters never reach it,
// accepted ones and Change events go on as usual, and the caret can be placed by the logic.
#include "win32/Win32EventLoop.h"
#include "win32/Win32Window.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

namespace cw {
namespace {

class Win32EditFilterTest : public ::testing::Test {
protected:
    Win32EditFilterTest() {
        WindowDecl decl;
        decl.className = "CwEditFilterTest";
        decl.width = 200;
        decl.height = 60;
        decl.controls = {Control("Key", ControlKind::Edit, {8, 8, 180, 21}, "", {})};
        window = windows.createWindow(decl, nullptr);
        edit = static_cast<Win32Window&>(*window).controlHandle("Key");
    }

    // Types through the message queue, as the keyboard does.
    void typeChars(std::u16string_view chars) {
        for (char16_t c : chars) PostMessageW(edit, WM_CHAR, c, 1);
        loop.processMessages();
    }

    Win32EventLoop loop;
    Win32WindowFactory windows{GetModuleHandleW(nullptr), loop};
    std::unique_ptr<Window> window;
    HWND edit = nullptr;
};

TEST_F(Win32EditFilterTest, RefusedCharactersNeverReachTheEdit) {
    ASSERT_NE(edit, nullptr);
    std::vector<char32_t> seen;
    int changes = 0;
    window->on("Key", ControlEvent::Change, [&] { ++changes; });
    window->setCharFilter("Key", [&](char32_t c) {
        seen.push_back(c);
        return c != U'!';
    });
    typeChars(u"a!b");
    EXPECT_EQ(window->text("Key"), "ab");
    EXPECT_EQ(seen, (std::vector<char32_t>{U'a', U'!', U'b'}));
    EXPECT_EQ(changes, 2);

    typeChars(u"\b");
    EXPECT_EQ(window->text("Key"), "a") << "Backspace passes the filter and edits";
}

TEST_F(Win32EditFilterTest, CaretGoesWhereTheLogicPutsIt) {
    ASSERT_NE(static_cast<Win32Window&>(*window).hwnd(), nullptr) << GetLastError();
    ASSERT_NE(edit, nullptr);
    window->setText("Key", "abcdef");
    window->setCaret("Key", 4);
    DWORD start = 0, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 4u);
    EXPECT_EQ(end, 4u);
}

} // namespace
} // namespace cw
