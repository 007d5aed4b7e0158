// The shared dialogs rendered for real: the message dialog's nested loop keeps timers
// running, and its controls are found by name as other programs find them.
#include "app/AppData.h"
#include "app/Dialogs.h"
#include "app/StringTable.h"
#include "app/StringTables.h"
#include "win32/Win32EventLoop.h"
#include "win32/Win32Window.h"
#include "win32/WinString.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace cw {
namespace {

// The control of `window` carrying declared name `name`, as the UI driver looks it up.
HWND controlNamed(HWND window, const char* name) {
    struct Search {
        std::wstring name;
        HWND found = nullptr;
    } search{win::wide(name)};
    EnumChildWindows(
        window,
        [](HWND child, LPARAM lp) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lp);
            const auto atom = static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropW(child, kControlNameProperty)));
            wchar_t text[64] = {};
            if (atom && GlobalGetAtomNameW(atom, text, 64) && s->name == text) {
                s->found = child;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string textOf(HWND hwnd) {
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    return win::narrow(text);
}

class Win32DialogsTest : public ::testing::Test {
protected:
    Win32EventLoop loop;
    Win32WindowFactory windows{GetModuleHandleW(nullptr), loop};
    Language language{compiledInTables()};
    AppData appData;
    Dialogs dialogs{windows, language.table(kDialogTable), appData};
};

TEST_F(Win32DialogsTest, QuestionAnsweredWhileTimersKeepRunning) {
    struct Case {
        const char* button;
        int result;
    } cases[] = {{"BYes", kResultYes}, {"BNo", kResultNo}};
    for (const Case& c : cases) {
        auto timer = loop.createTimer();
        int ticks = 0;
        std::string title;
        bool okShown = true;
        timer->setInterval(30);
        timer->setOnTimer([&] {
            // Several ticks inside the modal loop, then the user answers.
            if (++ticks < 3) return;
            HWND dialog = FindWindowW(L"CwDialog", nullptr);
            if (!dialog) return;
            title = textOf(controlNamed(dialog, "LTitleWindow"));
            okShown = IsWindowVisible(controlNamed(dialog, "BOK"));
            SendMessageW(controlNamed(dialog, c.button), BM_CLICK, 0, 0);
        });
        timer->setEnabled(true);
        EXPECT_EQ(dialogs.ShowMessageDialog("", "Etes-vous sûr ?", 0, false), c.result) << c.button;
        EXPECT_GE(ticks, 3);
        EXPECT_EQ(title, "AVERTISSEMENT");
        EXPECT_FALSE(okShown);
        EXPECT_EQ(FindWindowW(L"CwDialog", nullptr), nullptr) << "the dialog is gone after the call";
    }
}

TEST_F(Win32DialogsTest, EscapeAnswersNoAndEnterClicksTheFocusedButton) {
    struct Case {
        WPARAM key;
        bool okOnly;
        int result;
    } cases[] = {{VK_ESCAPE, false, kResultNo}, {VK_ESCAPE, true, kResultOK},
                 {VK_RETURN, false, kResultYes}, {VK_RETURN, true, kResultOK}};
    for (const Case& c : cases) {
        auto timer = loop.createTimer();
        timer->setInterval(50);
        timer->setOnTimer([&] {
            HWND dialog = FindWindowW(L"CwDialog", nullptr);
            if (!dialog) return;
            HWND focus = GetFocus();
            PostMessageW(focus ? focus : dialog, WM_KEYDOWN, c.key, 0);
        });
        timer->setEnabled(true);
        EXPECT_EQ(dialogs.ShowMessageDialog("Titre", "Texte", 1, c.okOnly), c.result)
            << c.key << " okOnly=" << c.okOnly;
    }
}

TEST_F(Win32DialogsTest, WaitFormIsOneTopmostWindow) {
    dialogs.Show_FormWait("Recherche...");
    dialogs.Show_FormWait("Connexion...");
    HWND wait = FindWindowW(L"CwWaitForm", nullptr);
    ASSERT_NE(wait, nullptr);
    EXPECT_EQ(FindWindowExW(nullptr, wait, L"CwWaitForm", nullptr), nullptr);
    EXPECT_TRUE(GetWindowLongW(wait, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(textOf(controlNamed(wait, "HTML_Text_Wait")), "Connexion...");
    dialogs.Close_FormWait();
    EXPECT_EQ(FindWindowW(L"CwWaitForm", nullptr), nullptr);
}

} // namespace
} // namespace cw
