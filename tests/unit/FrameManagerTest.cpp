// The page manager on simulated ports: page switching, the buttons, and how the wizard ends.
#include "app/AppContext.h"
#include "network/BoxPage.h"
#include "network/BoxTools.h"
#include "platform/WindowEffects.h"
#include "sim/FakeHttp.h"
#include "sim/MemoryFileSystem.h"
#include "sim/MemoryRegistry.h"
#include "sim/ModelWindow.h"
#include "sim/SimOsFacts.h"
#include "sim/SimProcesses.h"
#include "sim/SimServices.h"
#include "sim/SimShell.h"
#include "sim/VirtualEventLoop.h"
#include "wizard/FrameManager.h"

#include "SimulatedPorts.h"

#include <gtest/gtest.h>

namespace cw {
namespace {

// A page that records what the manager asks of it.
class SpyPage : public IFm_ZK {
public:
    SpyPage(AppContext& app, std::string frame, std::vector<std::string>& log)
        : IFm_ZK(app, frame, "TFm_Spy", pageDecl(frame, {})), log_(log) {}
    bool CanExit() override {
        log_.push_back(Frame_Name() + ".CanExit");
        if (onCanExit) onCanExit();
        return canExit;
    }
    bool CanEnter() override {
        log_.push_back(Frame_Name() + ".CanEnter");
        return canEnter;
    }
    void DoEnter(Window&) override { log_.push_back(Frame_Name() + ".Enter"); }
    void DoExit(Window&) override { log_.push_back(Frame_Name() + ".Exit"); }
    void DoBeforeDisplay(Window&) override { log_.push_back(Frame_Name() + ".BeforeDisplay"); }
    void DoAfterDisplay(Window&) override { log_.push_back(Frame_Name() + ".AfterDisplay"); }

    bool canExit = true, canEnter = true;
    std::function<void()> onCanExit;

private:
    std::vector<std::string>& log_;
};

class FrameManagerTest : public ::testing::Test, protected SimulatedPorts {
protected:
    FrameManagerTest() {
        app.appData.PathExe = "C:\\Kit\\ConfigWiFi\\";
        main = windows.createWindow(WindowDecl{}, nullptr);
        manager = std::make_unique<TFm_Frame_Manager>(app, *main);
        manager->Initialize(&app.traceLog, &app.language);
        for (const char* name : {"Page_SpyA", "Page_SpyB", "Page_SpyError"}) {
            auto page = std::make_unique<SpyPage>(app, name, log);
            spies.push_back(page.get());
            page->InitFrame(&app.traceLog, &app.language, manager.get());
            page->AssignEvents();
            manager->Build_Frame(std::move(page), name);
        }
    }

    ModelWindow& strip() { return static_cast<ModelWindow&>(manager->buttons()); }
    bool shown(const char* button) { return strip().visible(button); }
    std::string cancelCaption() { return strip().text("BCancel"); }
    void goTo(const char* page, const char* flags) { manager->GOFrame(page, parseGoFlags(flags)); }
    void placeAssistant() {
        ASSERT_TRUE(fs.createDirectory("C:\\Kit"));
        ASSERT_TRUE(fs.createDirectory("C:\\Kit\\ConfigWiFi"));
        ASSERT_TRUE(fs.createDirectory("C:\\Kit\\AssistantQV"));
        ASSERT_TRUE(fs.writeFile("C:\\Kit\\ConfigWiFi\\../AssistantQV/AssistantQV_Zuzuzad.exe", "MZ"));
        ASSERT_TRUE(fs.writeFile("C:\\Kit\\ConfigWiFi\\Agent_WiFi.exe", "MZ"));
    }
    void placeShortcut() {
        ASSERT_TRUE(fs.createDirectory("C:\\Desk"));
        ASSERT_TRUE(fs.writeFile(kShortcut, ""));
        auto key = registry.create(RegRoot::CurrentUser,
                                   "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                                   RegAccess::AllAccess);
        ASSERT_TRUE(key && key->write("Desktop", RegValue::string("C:\\Desk")));
    }
    std::string startPage() {
        auto key = registry.open(RegRoot::CurrentUser, "SOFTWARE\\Microsoft\\Internet Explorer\\Main",
                                 RegAccess::Read);
        RegValue v;
        return key && key->read("Start Page", v) ? v.text : std::string("<none>");
    }

    static constexpr const char* kShortcut = "C:\\Desk\\Reprendre l'installation de la Quorvale RIR.lnk";
    AppContext app{ports()};
    std::unique_ptr<Window> main;
    std::unique_ptr<TFm_Frame_Manager> manager;
    std::vector<SpyPage*> spies;
    std::vector<std::string> log;
};

TEST_F(FrameManagerTest, StartsOnTheWelcomePageWithNextAndCancel) {
    EXPECT_EQ(manager->currentPageName(), "Page_Welcome");
    EXPECT_FALSE(shown("BPrev"));
    EXPECT_TRUE(shown("BNext"));
    EXPECT_TRUE(shown("BCancel"));
    EXPECT_FALSE(shown("BSupport"));
    EXPECT_EQ(cancelCaption(), "Annuler");
    ASSERT_NE(windows.findNamed("Page_3P"), nullptr) << "every page is built once";
    EXPECT_TRUE(windows.findNamed("Page_Welcome")->isShown());
    EXPECT_FALSE(windows.findNamed("Page_Check")->isShown());
}

TEST_F(FrameManagerTest, SwitchRunsTheEventsInOrder) {
    goTo("Page_SpyA", "-NC");
    log.clear();
    goTo("page_spyb", "P-C Q");
    EXPECT_EQ(log, (std::vector<std::string>{"Page_SpyA.CanExit", "Page_SpyB.CanEnter", "Page_SpyA.Exit",
                                             "Page_SpyB.Enter", "Page_SpyB.BeforeDisplay",
                                             "Page_SpyB.AfterDisplay"}));
    EXPECT_EQ(manager->currentPageName(), "Page_SpyB");
    EXPECT_TRUE(shown("BPrev"));
    EXPECT_FALSE(shown("BNext"));
    EXPECT_EQ(cancelCaption(), "Quitter");
    EXPECT_FALSE(windows.findNamed("Page_SpyA")->isShown());
}

TEST_F(FrameManagerTest, SamePageReplaysDisplayAndKeepsTheCancelCaption) {
    goTo("Page_SpyA", "-NC Q");
    log.clear();
    goTo("Page_SpyA", "P--");
    EXPECT_EQ(log, (std::vector<std::string>{"Page_SpyA.BeforeDisplay", "Page_SpyA.AfterDisplay"}));
    EXPECT_TRUE(shown("BPrev"));
    EXPECT_FALSE(shown("BNext"));
    EXPECT_FALSE(shown("BCancel"));
    EXPECT_EQ(cancelCaption(), "Quitter");
}

TEST_F(FrameManagerTest, ForcedSwitchSkipsTheQuestionsAndEnterExit) {
    goTo("Page_SpyA", "-NC");
    spies[0]->canExit = false;
    spies[1]->canEnter = false;
    log.clear();
    goTo("Page_SpyB", "-NC F");
    EXPECT_EQ(log, (std::vector<std::string>{"Page_SpyB.BeforeDisplay", "Page_SpyB.AfterDisplay"}));
    EXPECT_EQ(manager->currentPageName(), "Page_SpyB");
}

TEST_F(FrameManagerTest, RefusalsLeaveEverythingAsItWas) {
    goTo("Page_SpyA", "-NC");
    spies[1]->canEnter = false;
    goTo("Page_SpyB", "PNC Q");
    EXPECT_EQ(manager->currentPageName(), "Page_SpyA");
    EXPECT_FALSE(shown("BPrev"));
    EXPECT_EQ(cancelCaption(), "Annuler");

    goTo("Page_Unknown", "PNC Q");
    EXPECT_EQ(manager->currentPageName(), "Page_SpyA");
    EXPECT_FALSE(shown("BPrev"));
}

TEST_F(FrameManagerTest, RedirectFromCanExitWins) {
    goTo("Page_SpyA", "-NC");
    spies[0]->canExit = false;
    spies[0]->onCanExit = [this] { goTo("Page_SpyError", "--C Q F"); };
    goTo("Page_SpyB", "PNC");
    EXPECT_EQ(manager->currentPageName(), "Page_SpyError");
    EXPECT_FALSE(shown("BNext"));
    EXPECT_EQ(cancelCaption(), "Quitter");
}

TEST_F(FrameManagerTest, ButtonsProtectionDisablesAllFour) {
    manager->Buttons_Protection(true);
    for (const char* b : {"BNext", "BPrev", "BSupport", "BCancel"}) EXPECT_FALSE(strip().enabled(b)) << b;
    strip().click("BCancel");
    EXPECT_FALSE(loop.terminated());
    manager->Buttons_Protection(false);
    for (const char* b : {"BNext", "BPrev", "BSupport", "BCancel"}) EXPECT_TRUE(strip().enabled(b)) << b;
}

TEST_F(FrameManagerTest, CancelOnWelcomeEndsAtOnceWithTheExitActions) {
    placeAssistant();
    placeShortcut();
    strip().click("BCancel");
    EXPECT_EQ(windows.created("CwDialog"), 0) << "no question on the Welcome page";
    EXPECT_TRUE(loop.terminated());
    EXPECT_EQ(shell.started,
              (std::vector<std::string>{"C:\\Kit\\ConfigWiFi\\../AssistantQV/AssistantQV_Zuzuzad.exe -r"}));
    EXPECT_FALSE(fs.fileExists(kShortcut));
    EXPECT_EQ(startPage(), "<none>") << "the start page is written only from the end page";
}

TEST_F(FrameManagerTest, CancelElsewhereAsksFirst) {
    placeAssistant();
    goTo("Page_WiFi_DataWep", "P-C");
    std::string question;
    windows.onModal = [&](ModelWindow& dialog) {
        question = dialog.text("HTML_Text");
        dialog.click("BNo");
    };
    strip().click("BCancel");
    EXPECT_EQ(question, "Etes-vous sûr de vouloir quitter l'application ?");
    EXPECT_FALSE(loop.terminated());
    EXPECT_EQ(manager->currentPageName(), "Page_WiFi_DataWep");
    EXPECT_TRUE(shell.started.empty());

    windows.onModal = [](ModelWindow& dialog) { dialog.click("BYes"); };
    strip().click("BCancel");
    EXPECT_TRUE(loop.terminated());
    EXPECT_EQ(shell.started.size(), 1u);
}

TEST_F(FrameManagerTest, CancelIsIgnoredWhileConnecting) {
    goTo("Page_WiFi_DataWep", "P-C");
    manager->wifiSide = [] {
        WifiSideState s;
        s.progressWindowOpen = true;
        return s;
    };
    strip().click("BCancel");
    EXPECT_EQ(windows.created("CwDialog"), 0);
    EXPECT_FALSE(loop.terminated());
}

TEST_F(FrameManagerTest, FromTheCheckPageToTheEndAndOut) {
    placeAssistant();
    placeShortcut();
    // A box without Internet access: the check page stops and leaves Next to the user.
    TDM_BoxTools box(app);
    app.boxTools = &box;
    app.appData.EthernetPath = true;
    http.fallback = FakeHttpAnswer::page(quickStatusPage(boxRecordFor(BoxState::NoInternet)));
    goTo("Page_Check", "-N-");
    ASSERT_EQ(manager->currentPageName(), "Page_Check");
    strip().click("BNext");
    EXPECT_EQ(manager->currentPageName(), "Page_End_OK");
    EXPECT_EQ(cancelCaption(), "Quitter");
    EXPECT_FALSE(shown("BNext"));

    strip().click("BCancel");
    EXPECT_EQ(windows.created("CwDialog"), 0) << "\"Quitter\" ends without a question";
    EXPECT_EQ(startPage(), "http://portail.quorvale.fr/");
    EXPECT_FALSE(fs.fileExists(kShortcut));
    EXPECT_EQ(shell.started.size(), 1u) << "no tray agent without the Wi-Fi library";
    EXPECT_TRUE(loop.terminated());
}

TEST_F(FrameManagerTest, TrayAgentStartsWhenTheWiFiLibraryNeedsIt) {
    placeAssistant();
    manager->wifiSide = [] {
        WifiSideState s;
        s.wifiManagerExists = true;
        s.trayAgentNeeded = true;
        return s;
    };
    goTo("Page_End_OK", "--C Q");
    manager->BNextClick();  // as the check page does; the button itself is hidden here
    EXPECT_EQ(shell.started, (std::vector<std::string>{
                                 "C:\\Kit\\ConfigWiFi\\../AssistantQV/AssistantQV_Zuzuzad.exe -r",
                                 "C:\\Kit\\ConfigWiFi\\Agent_WiFi.exe"}));
    EXPECT_TRUE(loop.terminated());
}

TEST_F(FrameManagerTest, MissingAssistantStillEnds) {
    strip().click("BCancel");
    EXPECT_TRUE(shell.started.empty());
    EXPECT_TRUE(loop.terminated());
}

TEST_F(FrameManagerTest, PreviousFromTheTvPageComesBackToThePhonePage) {
    app.appData.PlayerMode = 3;
    goTo("Page_2P", "-NC");
    strip().click("BPrev");
    EXPECT_EQ(manager->currentPageName(), "Page_2P");
    EXPECT_TRUE(shown("BNext"));
    EXPECT_FALSE(shown("BPrev"));
}

TEST_F(FrameManagerTest, NextOnPage1PWithoutPlayerModeDoesNothing) {
    goTo("Page_1P", "-NC");
    strip().click("BNext");
    EXPECT_EQ(manager->currentPageName(), "Page_1P");
    EXPECT_TRUE(strip().enabled("BNext")) << "Next is enabled again after its handler";
}

} // namespace
} // namespace cw
