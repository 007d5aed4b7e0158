#include "app/AppData.h"
#include "app/Dialogs.h"
#include "app/StringTable.h"
#include "app/StringTables.h"
#include "sim/ModelWindow.h"

#include <gtest/gtest.h>

namespace cw {
namespace {

class DialogsTest : public ::testing::Test {
protected:
    Language language{compiledInTables()};
    AppData appData;
    ModelWindowFactory windows;
    Dialogs dialogs{windows, language.table(kDialogTable), appData};

    struct Seen {
        std::string title, icon, text;
    };
};

TEST_F(DialogsTest, DefaultTitleAndIconFollowTheKind) {
    struct Case {
        int kind;
        const char* title;
        const char* icon;
    } cases[] = {{0, "AVERTISSEMENT", "dWarning"},
                 {1, "INFORMATION", "dInformation"},
                 {2, "ERREUR", "dError"},
                 {3, "", ""},
                 {-1, "", ""}};
    for (const Case& c : cases) {
        Seen seen;
        windows.onModal = [&seen](ModelWindow& w) {
            seen.title = w.text("LTitleWindow");
            seen.icon = w.control("ImageIcon")->picture.resource;
            w.click("BOK");
        };
        EXPECT_EQ(dialogs.ShowMessageDialog("", "Texte", c.kind, true), kResultOK) << c.kind;
        EXPECT_EQ(seen.title, c.title) << c.kind;
        EXPECT_EQ(seen.icon, c.icon) << c.kind;
    }
}

TEST_F(DialogsTest, GivenTitleIsKeptAndTextShown) {
    Seen seen;
    windows.onModal = [&seen](ModelWindow& w) {
        seen.title = w.text("LTitleWindow");
        seen.text = w.text("HTML_Text");
        w.click("BOK");
    };
    (void)dialogs.ShowMessageDialog("QUITTER L'APPLICATION ?", "Etes-vous <B>sûr</B> ?", 0, true);
    EXPECT_EQ(seen.title, "QUITTER L'APPLICATION ?");
    EXPECT_EQ(seen.text, "Etes-vous <B>sûr</B> ?");
}

TEST_F(DialogsTest, ButtonsAndResults) {
    struct Case {
        bool okOnly;
        const char* click;
        int result;
    } cases[] = {{true, "BOK", kResultOK}, {false, "BYes", kResultYes}, {false, "BNo", kResultNo},
                 // A hidden button cannot be clicked: the run ends without an answer.
                 {true, "BYes", 0}, {false, "BOK", 0}};
    for (const Case& c : cases) {
        bool ok = false, yes = false, no = false;
        windows.onModal = [&, c](ModelWindow& w) {
            ok = w.visible("BOK");
            yes = w.visible("BYes");
            no = w.visible("BNo");
            w.click(c.click);
        };
        EXPECT_EQ(dialogs.ShowMessageDialog("", "?", 0, c.okOnly), c.result) << c.click;
        EXPECT_EQ(ok, c.okOnly);
        EXPECT_EQ(yes, !c.okOnly);
        EXPECT_EQ(no, !c.okOnly);
    }
    EXPECT_EQ(windows.find("CwDialog"), nullptr) << "the dialog lives only during the call";
}

TEST_F(DialogsTest, WaitFormIsReusedAndClosedOnce) {
    dialogs.Close_FormWait();  // nothing to close: nothing happens
    EXPECT_EQ(windows.created("CwWaitForm"), 0);

    dialogs.Show_FormWait("Recherche des cartes WiFi...");
    dialogs.Show_FormWait("Connexion en cours...");
    ASSERT_EQ(windows.created("CwWaitForm"), 1);
    ModelWindow* wait = windows.find("CwWaitForm");
    ASSERT_NE(wait, nullptr);
    EXPECT_TRUE(wait->isShown());
    EXPECT_TRUE(wait->topmost());
    EXPECT_EQ(wait->text("HTML_Text_Wait"), "Connexion en cours...");
    EXPECT_EQ(wait->text("LTitleWindow"), "Veuillez patienter...");
    EXPECT_EQ(wait->control("AnimBmp")->decl.animation.firstFrame, 10);

    dialogs.Close_FormWait();
    EXPECT_EQ(windows.find("CwWaitForm"), nullptr);
    dialogs.Close_FormWait();
    EXPECT_EQ(dialogs.waitForm(), nullptr);
}

TEST_F(DialogsTest, ClosingTheWaitFormPutsTheMainWindowBackOnTopWhenAsked) {
    WindowDecl mainDecl;
    mainDecl.className = "CwMainWindow";
    auto main = windows.createWindow(mainDecl, nullptr);
    dialogs.setMainWindow(main.get());
    auto* model = static_cast<ModelWindow*>(main.get());
    for (bool onTop : {false, true}) {
        appData.FormOnTop = onTop;
        main->setTopmost(false);
        dialogs.Show_FormWait("...");
        dialogs.Close_FormWait();
        EXPECT_EQ(model->topmost(), onTop);
    }
    EXPECT_EQ(windows.find("CwWaitForm"), nullptr);
}

} // namespace
} // namespace cw
