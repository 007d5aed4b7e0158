// The box checks over the scripted HTTP client on the virtual clock.
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

#include "SimulatedPorts.h"

#include <gtest/gtest.h>

namespace cw {
namespace {

std::string pageOf(BoxState state) { return quickStatusPage(boxRecordFor(state)); }

class BoxToolsTest : public ::testing::Test, protected SimulatedPorts {
protected:
    AppContext app{ports()};
    TDM_BoxTools box{app};
};

TEST_F(BoxToolsTest, CheckWebIsFalseBeforeAnyCheckADSL) {
    http.queue(FakeHttpAnswer::page(pageOf(BoxState::Ok)));
    ASSERT_TRUE(box.Process_QS_HTTP());
    EXPECT_FALSE(box.CheckWeb());
    EXPECT_TRUE(box.CheckADSL());
    EXPECT_TRUE(box.CheckWeb());
}

TEST_F(BoxToolsTest, AsksTheQuickStatusPageWithTheRequestHeaders) {
    http.queue(FakeHttpAnswer::page("x"));
    ASSERT_TRUE(box.Process_QS_HTTP());
    ASSERT_EQ(http.requests.size(), 1u);
    EXPECT_EQ(http.requests[0].url, "http://quorvale.box/quickstatus.htm");
    EXPECT_EQ(http.requests[0].headers,
              (std::vector<std::string>{"Accept-Language: en, fr", "Connection: Keep-Alive"}));
}

TEST_F(BoxToolsTest, TheContextThenTheEnvironmentReplaceTheBoxAddress) {
    os.environment["CONFIGWIFI_BOX_URL"] = "http://127.0.0.1:8080/quickstatus.htm";
    EXPECT_EQ(box.quickStatusUrl(), "http://127.0.0.1:8080/quickstatus.htm");
    app.boxUrl = "http://192.168.7.1/quickstatus.htm";
    EXPECT_EQ(box.quickStatusUrl(), "http://192.168.7.1/quickstatus.htm");
}

struct RequestCase {
    const char* name;
    FakeHttpAnswer answer;
    bool reached;
    bool aborted;
};

TEST_F(BoxToolsTest, RequestOutcomes) {
    const RequestCase cases[] = {
        {"page", FakeHttpAnswer::page("sCmConnectivityState = 'Operational';"), true, false},
        {"404 still counts as reached", FakeHttpAnswer::page("<html>Not Found</html>", 404), true, false},
        {"refused", FakeHttpAnswer::refused(), false, false},
        {"refused late", FakeHttpAnswer::refused(3000), false, false},
        {"answer just inside the limit", FakeHttpAnswer::page("late", 200, 4900), true, false},
        {"answer after the limit", FakeHttpAnswer::page("too late", 200, 6000), false, true},
        {"never answers", FakeHttpAnswer::silent(), false, true},
    };
    for (const RequestCase& c : cases) {
        SCOPED_TRACE(c.name);
        const int abortsBefore = http.aborts;
        http.queue(c.answer);
        const uint64_t start = loop.tickCount();
        EXPECT_EQ(box.Process_QS_HTTP(), c.reached);
        EXPECT_FALSE(box.busy());
        EXPECT_EQ(http.aborts - abortsBefore, c.aborted ? 1 : 0);
        // The limit holds: one request never outlasts it by more than one check.
        EXPECT_LE(loop.tickCount() - start, TDM_BoxTools::kTimeLimitMs + TDM_BoxTools::kPollMs);
        if (c.reached) {
            EXPECT_EQ(box.lastAnswer(), c.answer.body);
        }
        loop.advance(10000);  // an answer after the limit must not arrive later
        EXPECT_EQ(box.lastRequestOk(), c.reached);
    }
}

TEST_F(BoxToolsTest, A404PageReachesTheBoxButReportsNoCableLine) {
    http.queue(FakeHttpAnswer::page("<html><body>404 Not Found</body></html>", 404));
    EXPECT_TRUE(box.Process_QS_HTTP());
    EXPECT_FALSE(box.CheckADSL());
    EXPECT_FALSE(box.CheckWeb());
}

TEST_F(BoxToolsTest, ARequestDuringAWaitIsIgnoredAndTheFirstResultStands) {
    http.queue(FakeHttpAnswer::page("first", 200, 1200));
    http.queue(FakeHttpAnswer::page("second"));
    auto timer = loop.createTimer();
    bool busyInside = false;
    timer->setOnTimer([&] {
        timer->setEnabled(false);
        busyInside = box.busy();
        box.Get_URL_NetworkData2("http://quorvale.box/other.htm");
    });
    timer->setInterval(600);
    timer->setEnabled(true);

    EXPECT_TRUE(box.Process_QS_HTTP());
    EXPECT_TRUE(busyInside);
    EXPECT_EQ(http.requests.size(), 1u);
    EXPECT_EQ(box.lastAnswer(), "first");
}

TEST_F(BoxToolsTest, TwoRequestsInARowEachReplaceTheLastAnswer) {
    http.queue(FakeHttpAnswer::page(pageOf(BoxState::Ok)));
    http.queue(FakeHttpAnswer::page(pageOf(BoxState::CableDown)));
    ASSERT_TRUE(box.Process_QS_HTTP());
    EXPECT_TRUE(box.CheckADSL());
    ASSERT_TRUE(box.Process_QS_HTTP());
    EXPECT_EQ(http.requests.size(), 2u);
    EXPECT_FALSE(box.CheckADSL());
}

TEST_F(BoxToolsTest, AFailedRequestKeepsThePreviousAnswer) {
    http.queue(FakeHttpAnswer::page(pageOf(BoxState::Ok)));
    ASSERT_TRUE(box.Process_QS_HTTP());
    EXPECT_FALSE(box.Process_QS_HTTP());  // refused
    EXPECT_EQ(box.lastAnswer(), pageOf(BoxState::Ok));
}

TEST_F(BoxToolsTest, ARequestThatCannotStartClearsTheAnswer) {
    http.queue(FakeHttpAnswer::page(pageOf(BoxState::Ok)));
    ASSERT_TRUE(box.Process_QS_HTTP());
    http.failStarts = true;
    EXPECT_FALSE(box.Process_QS_HTTP());
    EXPECT_EQ(box.lastAnswer(), "");
    EXPECT_FALSE(box.CheckADSL());
}

TEST_F(BoxToolsTest, AnEmptyAddressSendsNothing) {
    box.Get_URL_NetworkData2("   ");
    EXPECT_TRUE(http.requests.empty());
    EXPECT_FALSE(box.lastRequestOk());
}

// The document alone does not end the request: the outcome comes with the done event, even
// when that arrives after the next check of the wait.
TEST_F(BoxToolsTest, ADoneEventAfterTheDocumentStillCountsAsReached) {
    FakeHttpAnswer answer = FakeHttpAnswer::page("body", 200, 100);
    answer.doneAfterMs = 900;
    http.queue(answer);
    EXPECT_TRUE(box.Process_QS_HTTP());
    EXPECT_EQ(box.lastAnswer(), "body");
}

struct LineCase {
    BoxState state;
    bool cable;
    bool internet;
};

TEST_F(BoxToolsTest, CheckADSLReadsTheBoxStatesWhileTheWaitFormShows) {
    const LineCase cases[] = {{BoxState::Ok, true, true},
                              {BoxState::NoInternet, true, false},
                              {BoxState::CableDown, false, false}};
    for (const LineCase& c : cases) {
        SCOPED_TRACE(std::string(boxStateName(c.state)));
        http.queue(FakeHttpAnswer::page(pageOf(c.state)));
        ASSERT_TRUE(box.Process_QS_HTTP());
        EXPECT_EQ(box.CheckADSL(), c.cable);
        EXPECT_EQ(box.CheckWeb(), c.internet);
        EXPECT_EQ(app.dialogs.waitForm(), nullptr);
    }

    std::string waitText;
    TDM_BoxTools spied(app, [&](const std::string&) {
        if (Window* form = app.dialogs.waitForm()) waitText = form->text("HTML_Text_Wait");
        return BoxStatus{true, true};
    });
    http.queue(FakeHttpAnswer::page("anything"));
    ASSERT_TRUE(spied.Process_QS_HTTP());
    EXPECT_TRUE(spied.CheckADSL());
    EXPECT_NE(waitText.find("Veuillez patienter pendant l'analyse du réseau..."), std::string::npos);
}

TEST_F(BoxToolsTest, AnEmptyAnswerFailsTheLineAndInternetChecks) {
    http.queue(FakeHttpAnswer::page(""));
    EXPECT_TRUE(box.Process_QS_HTTP());
    EXPECT_FALSE(box.CheckADSL());
    EXPECT_FALSE(box.CheckWeb());
}

} // namespace
} // namespace cw
