// The check page on simulated ports: the link wait, the three steps, the error sheets and
// the move to the end page, against a scripted box on the virtual clock.
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

FakeHttpAnswer boxIn(BoxState state) {
    return FakeHttpAnswer::page(quickStatusPage(boxRecordFor(state)));
}

const char* const kSheets[] = {"TS_None", "TS_BoxError", "TS_ADSLError", "TS_WebError"};

class CheckPageTest : public ::testing::Test, protected SimulatedPorts {
protected:
    CheckPageTest() {
        app.appData.PathExe = "C:\\Kit\\ConfigWiFi\\";
        app.boxTools = &box;
        main = windows.createWindow(WindowDecl{}, nullptr);
        manager = std::make_unique<TFm_Frame_Manager>(app, *main);
        manager->Initialize(&app.traceLog, &app.language);
    }

    // Next on the last cabling page leads here.
    void enterCheckPage() { manager->GOFrame("Page_Check", false, true, false, false, false); }
    ModelWindow& page() { return *windows.findNamed("Page_Check"); }
    ModelWindow& strip() { return static_cast<ModelWindow&>(manager->buttons()); }
    std::string stepText(const char* control) {
        return page().visible(control) ? page().text(control) : std::string("<hidden>");
    }
    std::string icon(const char* control) { return page().control(control)->picture.resource; }
    std::string shownSheet() {
        if (!page().visible("PageC")) return "<none>";
        std::string shown;
        for (const char* sheet : kSheets)
            if (page().visible(sheet)) shown += sheet;
        return shown;
    }
    bool shown(const char* button) { return strip().visible(button); }

    AppContext app{ports()};
    TDM_BoxTools box{app};
    std::unique_ptr<Window> main;
    std::unique_ptr<TFm_Frame_Manager> manager;
};

TEST_F(CheckPageTest, OnTheEthernetPathTheChecksStartWithoutTheLinkWait) {
    app.appData.EthernetPath = true;
    http.fallback = boxIn(BoxState::Ok);
    enterCheckPage();
    EXPECT_EQ(http.requests.size(), 1u) << "only the first step asks the box";
    EXPECT_EQ(manager->currentPageName(), "Page_End_OK");
}

struct LinkWaitCase {
    const char* name;
    bool vista;
    bool seven;
    uint64_t boxReadyAtMs;
    const char* expectedPage;
};

// The box starts answering some time after the page is entered: Vista waits up to 20 s,
// every other Windows (7 included) up to 10 s; the wait ends at the first answer.
TEST_F(CheckPageTest, TheLinkWaitLastsUpTo10sOr20sOnVistaAndEndsAtTheFirstAnswer) {
    const LinkWaitCase cases[] = {
        {"XP, box ready at 15 s", false, false, 15000, "Page_Check"},
        {"Seven, box ready at 15 s", false, true, 15000, "Page_Check"},
        {"Vista, box ready at 15 s", true, false, 15000, "Page_End_OK"},
        {"Vista, box ready at 25 s", true, false, 25000, "Page_Check"},
        {"XP, box ready at 3 s", false, false, 3000, "Page_End_OK"},
    };
    for (const LinkWaitCase& c : cases) {
        SCOPED_TRACE(c.name);
        manager->GOFrame("Page_Welcome", false, true, true, false, true);
        app.appData.IsVista = c.vista;
        app.appData.IsSeven = c.seven;
        const uint64_t start = loop.tickCount();
        http.responder = [&](const HttpGet&) {
            return loop.tickCount() - start >= c.boxReadyAtMs ? boxIn(BoxState::Ok)
                                                               : FakeHttpAnswer::refused();
        };
        std::string waitText;
        auto sampler = loop.createTimer();
        sampler->setOnTimer([&] {
            if (Window* form = app.dialogs.waitForm(); form && waitText.empty())
                waitText = form->text("HTML_Text_Wait");
        });
        sampler->setInterval(100);
        sampler->setEnabled(true);

        enterCheckPage();
        EXPECT_EQ(manager->currentPageName(), c.expectedPage);
        EXPECT_EQ(app.dialogs.waitForm(), nullptr);
        EXPECT_NE(waitText.find("Attente de l'établissement de la liaison WiFi."), std::string::npos);
        if (std::string(c.expectedPage) == "Page_End_OK")  // no wait beyond the first answer
            EXPECT_LT(loop.tickCount() - start, c.boxReadyAtMs + 5000);
        else
            EXPECT_EQ(shownSheet(), "TS_BoxError");
    }
}

TEST_F(CheckPageTest, ABoxThatDoesNotAnswerShowsTheBoxErrorAndRestartRunsTheChecksAgain) {
    app.appData.EthernetPath = true;
    enterCheckPage();  // every request refused
    EXPECT_EQ(stepText("HTML_Text_CheckBox"), "La Quorvale RIR n'a pas été détectée !");
    EXPECT_EQ(icon("Img_CheckBox"), "Warning");
    EXPECT_EQ(stepText("HTML_Text_CheckDDSvc"), "<hidden>");
    EXPECT_EQ(shownSheet(), "TS_BoxError");
    EXPECT_NE(page().text("HTML_BoxError").find("la Quorvale RIR n'a pas été détectée."), std::string::npos);
    EXPECT_TRUE(page().visible("BRestart_Test"));
    EXPECT_EQ(page().text("BRestart_Test"), "Relancer le test");
    EXPECT_TRUE(shown("BCancel"));
    EXPECT_FALSE(shown("BNext"));
    EXPECT_FALSE(shown("BPrev"));

    app.appData.EthernetPath = false;  // a restart does not wait for the link again
    http.fallback = boxIn(BoxState::Ok);
    const size_t before = http.requests.size();
    page().click("BRestart_Test");
    EXPECT_EQ(http.requests.size(), before + 1);
    EXPECT_EQ(manager->currentPageName(), "Page_End_OK");
}

TEST_F(CheckPageTest, ACableLineDownShowsStep2FailedWithStep1Passed) {
    app.appData.EthernetPath = true;
    http.fallback = boxIn(BoxState::CableDown);
    enterCheckPage();
    EXPECT_EQ(manager->currentPageName(), "Page_Check");
    EXPECT_EQ(stepText("HTML_Text_CheckBox"), "Etape 1 : Quorvale RIR détectée.");
    EXPECT_EQ(icon("Img_CheckBox"), "Check_OK");
    EXPECT_EQ(stepText("HTML_Text_CheckDDSvc"), "La liaison câble n'a pas été détectée !");
    EXPECT_EQ(icon("Img_CheckDDSvc"), "Warning");
    EXPECT_EQ(stepText("HTML_Text_CheckDD"), "<hidden>");
    EXPECT_EQ(shownSheet(), "TS_ADSLError");
    EXPECT_TRUE(page().visible("BRestart_Test"));
    EXPECT_TRUE(shown("BCancel"));
    EXPECT_FALSE(shown("BNext"));
}

TEST_F(CheckPageTest, AnInternetFailureStillLetsTheUserGoOnWithNext) {
    app.appData.EthernetPath = true;
    http.fallback = boxIn(BoxState::NoInternet);
    enterCheckPage();
    EXPECT_EQ(stepText("HTML_Text_CheckDDSvc"), "Etape 2 : liaison câble établie et vérifiée.");
    EXPECT_EQ(stepText("HTML_Text_CheckDD"), "La connexion Internet n'a pas été détectée !");
    EXPECT_EQ(icon("Img_CheckDD"), "Warning");
    EXPECT_EQ(shownSheet(), "TS_WebError");
    EXPECT_TRUE(shown("BNext"));
    EXPECT_TRUE(shown("BCancel"));
    EXPECT_FALSE(shown("BPrev"));

    strip().click("BNext");
    EXPECT_EQ(manager->currentPageName(), "Page_End_OK");
}

TEST_F(CheckPageTest, AllPassedMovesToTheEndPage2sAfterTheLastStepWithoutAClick) {
    app.appData.EthernetPath = true;
    http.fallback = boxIn(BoxState::Ok);
    struct Sample {
        uint64_t at;
        std::string pageName;
        std::string step3;
        bool anyButton;
    };
    std::vector<Sample> samples;
    auto sampler = loop.createTimer();
    sampler->setOnTimer([&] {
        samples.push_back({loop.tickCount(), manager->currentPageName(), stepText("HTML_Text_CheckDD"),
                           shown("BNext") || shown("BPrev") || shown("BCancel")});
    });
    sampler->setInterval(100);
    sampler->setEnabled(true);

    enterCheckPage();
    EXPECT_EQ(manager->currentPageName(), "Page_End_OK");
    EXPECT_EQ(stepText("HTML_Text_CheckDD"), "Etape 3 : connexion Internet vérifiée.");
    EXPECT_EQ(icon("Img_CheckDD"), "Check_OK");
    EXPECT_EQ(shownSheet(), "<none>");

    // While the checks and the pause run, the page stays and no button shows.
    const auto green = std::find_if(samples.begin(), samples.end(), [](const Sample& s) {
        return s.step3 == "Etape 3 : connexion Internet vérifiée.";
    });
    ASSERT_NE(green, samples.end());
    EXPECT_GE(loop.tickCount() - green->at, 1900u);
    for (const Sample& s : samples) {
        EXPECT_EQ(s.pageName, "Page_Check");
        EXPECT_FALSE(s.anyButton);
    }
}

TEST_F(CheckPageTest, EnteringAgainResetsTheSteps) {
    app.appData.EthernetPath = true;
    http.fallback = boxIn(BoxState::CableDown);
    enterCheckPage();
    ASSERT_EQ(shownSheet(), "TS_ADSLError");
    http.fallback = FakeHttpAnswer::refused();
    manager->GOFrame("Page_Check", false, true, false, false, true);
    EXPECT_EQ(stepText("HTML_Text_CheckDDSvc"), "<hidden>");
    EXPECT_EQ(icon("Img_CheckDDSvc"), "");
    EXPECT_EQ(shownSheet(), "TS_BoxError");
}

} // namespace
} // namespace cw
