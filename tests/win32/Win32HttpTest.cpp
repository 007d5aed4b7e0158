// The WinINet client against a one-connection HTTP server on 127.0.0.1 in a thread, and the
// box checks on top of it with the real message loop.
#include "network/BoxTools.h"
#include "platform/WindowEffects.h"
#include "sim/MemoryFileSystem.h"
#include "sim/MemoryRegistry.h"
#include "sim/ModelWindow.h"
#include "sim/SimOsFacts.h"
#include "sim/SimProcesses.h"
#include "sim/SimServices.h"
#include "sim/SimShell.h"
#include "win32/Win32EventLoop.h"
#include "win32/Win32Http.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace cw {
namespace {

// Serves one connection: reads the request head, then sends `answer` (or nothing while
// `silent`, until the test ends) and closes.
class OneShotServer {
public:
    OneShotServer(std::string answer, bool silent = false)
        : answer_(std::move(answer)), silent_(silent) {
        WSADATA data;
        started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int length = sizeof address;
        if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
            listen(listener_, 1) != 0 ||
            getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { serve(); });
    }
    ~OneShotServer() {
        stop_ = true;
        closesocket(listener_);
        if (thread_.joinable()) thread_.join();
        if (started_) WSACleanup();
    }

    [[nodiscard]] std::string url(const char* path = "/quickstatus.htm") const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }
    [[nodiscard]] bool listening() const { return port_ != 0; }
    [[nodiscard]] std::string request() const { return request_; }  // after the answer

private:
    void serve() {
        SOCKET peer = accept(listener_, nullptr, nullptr);
        if (peer == INVALID_SOCKET) return;
        char chunk[1024];
        std::string head;
        while (head.find("\r\n\r\n") == std::string::npos) {
            const int n = recv(peer, chunk, sizeof chunk, 0);
            if (n <= 0) break;
            head.append(chunk, static_cast<size_t>(n));
        }
        request_ = head;
        if (silent_) {
            while (!stop_) Sleep(20);
        } else {
            send(peer, answer_.data(), static_cast<int>(answer_.size()), 0);
            shutdown(peer, SD_SEND);
        }
        closesocket(peer);
    }

    std::string answer_;
    bool silent_;
    bool started_ = false;
    SOCKET listener_ = INVALID_SOCKET;
    unsigned short port_ = 0;
    std::atomic<bool> stop_{false};
    std::string request_;
    std::thread thread_;
};

std::string answer(const char* statusLine, const std::string& body) {
    return std::string("HTTP/1.1 ") + statusLine + "\r\nContent-Type: text/html\r\nContent-Length: " +
           std::to_string(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

// A port on which nothing listens: bound once, then released.
unsigned short closedPort() {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    int length = sizeof address;
    bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    closesocket(s);
    WSACleanup();
    return ntohs(address.sin_port);
}

struct Recorded {
    std::vector<std::string> events;
    std::string body;
    int error = -1;
    int status = -1;
};

HttpEvents recorder(Recorded& r) {
    return {[&r] { r.events.push_back("begin"); },
            [&r](const std::string& body) {
                r.events.push_back("end");
                r.body = body;
            },
            [&r](int error, int status) {
                r.events.push_back("done");
                r.error = error;
                r.status = status;
            }};
}

const std::vector<std::string> kHeaders = {"Accept-Language: en, fr", "Connection: Keep-Alive"};

// Runs the loop until the client is idle (bounded, so a fault cannot hang the test).
void waitIdle(Win32EventLoop& loop, HttpClient& client) {
    for (int i = 0; i < 200 && client.busy(); ++i) loop.pumpedWait(50);
}

TEST(Win32Http, AnswerArrivesOnTheLoopThreadAsBeginEndDone) {
    OneShotServer server(answer("200 OK", "sCmConnectivityState = 'Operational';\n"));
    ASSERT_TRUE(server.listening());
    Win32EventLoop loop;
    Win32Http http(loop);
    auto client = http.createClient();
    Recorded r;
    const auto loopThread = std::this_thread::get_id();
    bool onLoopThread = true;
    HttpEvents events = recorder(r);
    auto done = events.onDone;
    events.onDone = [&, done](int e, int s) {
        onLoopThread = std::this_thread::get_id() == loopThread;
        done(e, s);
    };
    ASSERT_TRUE(client->getAsync({server.url(), kHeaders}, events));
    EXPECT_TRUE(client->busy());
    waitIdle(loop, *client);

    EXPECT_EQ(r.events, (std::vector<std::string>{"begin", "end", "done"}));
    EXPECT_TRUE(onLoopThread);
    EXPECT_EQ(r.error, kHttpNoError);
    EXPECT_EQ(r.status, 200);
    EXPECT_EQ(r.body, "sCmConnectivityState = 'Operational';\n");
    const std::string request = server.request();
    EXPECT_EQ(request.rfind("GET /quickstatus.htm HTTP/1.1\r\n", 0), 0u) << request;
    EXPECT_NE(request.find("Accept-Language: en, fr\r\n"), std::string::npos) << request;
    EXPECT_NE(request.find("Connection: Keep-Alive\r\n"), std::string::npos) << request;
}

TEST(Win32Http, A404IsAnAnswerWithItsStatus) {
    OneShotServer server(answer("404 Not Found", "<html>Not Found</html>"));
    Win32EventLoop loop;
    Win32Http http(loop);
    auto client = http.createClient();
    Recorded r;
    ASSERT_TRUE(client->getAsync({server.url(), kHeaders}, recorder(r)));
    waitIdle(loop, *client);
    EXPECT_EQ(r.events, (std::vector<std::string>{"begin", "end", "done"}));
    EXPECT_EQ(r.error, kHttpNoError);
    EXPECT_EQ(r.status, 404);
    EXPECT_EQ(r.body, "<html>Not Found</html>");
}

TEST(Win32Http, ARefusedConnectionReportsOnlyDoneWithAnError) {
    Win32EventLoop loop;
    Win32Http http(loop);
    auto client = http.createClient();
    Recorded r;
    const std::string url = "http://127.0.0.1:" + std::to_string(closedPort()) + "/quickstatus.htm";
    ASSERT_TRUE(client->getAsync({url, kHeaders}, recorder(r)));
    waitIdle(loop, *client);
    EXPECT_EQ(r.events, (std::vector<std::string>{"done"}));
    EXPECT_NE(r.error, kHttpNoError);
}

class NoEffects : public WindowEffects {
public:
    bool applyGlass(Window&, Color) override { return false; }
    void applySegoeFont(Window&) override {}
    Color buttonFaceColor() const override { return 0; }
};

// The box checks with the real loop and client; the other ports are simulated.
struct BoxChecks {
    Win32EventLoop loop;
    Win32Http http{loop};
    MemoryFileSystem fs;
    MemoryRegistry registry;
    SimOsFacts os;
    SimProcesses processes;
    SimShell shell;
    ModelWindowFactory windows;
    NoEffects effects;
    SimServices services;
    AppContext app{{loop, fs, registry, os, processes, shell, windows, effects, services, http}};
    TDM_BoxTools box{app};
};

TEST(Win32Http, TheBoxChecksGiveUpOnAServerThatNeverAnswers) {
    OneShotServer server("", true);
    BoxChecks checks;
    checks.app.boxUrl = server.url();
    EXPECT_FALSE(checks.box.Process_QS_HTTP());
    EXPECT_FALSE(checks.box.busy());
    EXPECT_FALSE(checks.box.lastRequestOk());
    checks.loop.pumpedWait(200);  // nothing arrives after the abort
    EXPECT_FALSE(checks.box.lastRequestOk());
    EXPECT_EQ(checks.box.lastAnswer(), "");
}

TEST(Win32Http, TheBoxChecksCountA404AsReached) {
    OneShotServer server(answer("404 Not Found", "<html>Not Found</html>"));
    BoxChecks checks;
    checks.app.boxUrl = server.url();
    EXPECT_TRUE(checks.box.Process_QS_HTTP());
    EXPECT_EQ(checks.box.lastAnswer(), "<html>Not Found</html>");
    EXPECT_FALSE(checks.box.CheckADSL());
}

} // namespace
} // namespace cw
