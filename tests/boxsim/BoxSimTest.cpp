// Starts the box simulator on a free port and asks it for the quick-status page, as the
// wizard's box checks do.
#include "network/BoxData.h"
#include "network/BoxPage.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <cstdio>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

using namespace cw;

namespace {

// The simulator as a child process; it is stopped when the object goes.
class BoxSim {
public:
    explicit BoxSim(std::vector<std::string> args) {
        int out[2];
        if (pipe(out) != 0) return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            close(out[1]);
            std::vector<char*> argv{const_cast<char*>(BOXSIM_EXE)};
            for (auto& a : args)
                argv.push_back(a.data());
            argv.push_back(nullptr);
            execv(BOXSIM_EXE, argv.data());
            _exit(127);
        }
        close(out[1]);
        FILE* stream = fdopen(out[0], "r");
        if (stream == nullptr) return;
        if (std::fscanf(stream, "port %d", &port_) != 1) port_ = 0;
        std::fclose(stream);
    }
    ~BoxSim() {
        if (pid_ <= 0) return;
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
    BoxSim(const BoxSim&) = delete;
    BoxSim& operator=(const BoxSim&) = delete;

    [[nodiscard]] int port() const { return port_; }
    // Waits for the simulator to end by itself and gives its exit code.
    [[nodiscard]] int exitCode() {
        int status = 0;
        if (waitpid(pid_, &status, 0) != pid_) return -1;
        pid_ = 0;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

private:
    pid_t pid_ = -1;
    int port_ = 0;
};

struct Reading {
    int status = 0;
    bool operational = false;
    bool internet = false;
};

[[nodiscard]] std::optional<Reading> fetch(int port, int readTimeoutSec = 5) {
    httplib::Client client("127.0.0.1", port);
    client.set_read_timeout(readTimeoutSec, 0);
    const auto response = client.Get(std::string(kQuickStatusPath));
    if (!response) return std::nullopt;
    TraceLog log;
    TDM_QVTHD_Tools tools(log);
    (void)tools.SetPageContent(response->body);
    return Reading{response->status, tools.Data().sCmConnectivityState,
                   tools.Data().sInternetConnectivityState};
}

struct StateCase {
    std::string state;
    int status;
    bool operational;
    bool internet;
};

TEST(BoxSim, ServesEachStateOnAFreePort) {
    const StateCase cases[] = {
        {"ok", 200, true, true},
        {"cable-down", 200, false, false},
        {"no-internet", 200, true, false},
        {"not-found", 404, false, false},
    };
    for (const auto& c : cases) {
        BoxSim sim({"--port", "0", "--state", c.state});
        ASSERT_GT(sim.port(), 0) << c.state;
        const auto reading = fetch(sim.port());
        ASSERT_TRUE(reading.has_value()) << c.state;
        EXPECT_EQ(reading->status, c.status) << c.state;
        EXPECT_EQ(reading->operational, c.operational) << c.state;
        EXPECT_EQ(reading->internet, c.internet) << c.state;
    }
}

TEST(BoxSim, SlowBoxDoesNotAnswerWithinTheClientsLimit) {
    BoxSim sim({"--port", "0", "--state", "slow"});
    ASSERT_GT(sim.port(), 0);
    EXPECT_FALSE(fetch(sim.port(), 1).has_value());
}

TEST(BoxSim, ReadsTheStateFromAWorldFile) {
    const std::string path = testing::TempDir() + "boxsim_world.json";
    std::ofstream(path)
        << R"({"description": "test", "box": {"state": "no-internet", "labelKey": "K"}})";
    BoxSim sim({"--world", path, "--port", "0"});
    ASSERT_GT(sim.port(), 0);
    const auto reading = fetch(sim.port());
    ASSERT_TRUE(reading.has_value());
    EXPECT_TRUE(reading->operational);
    EXPECT_FALSE(reading->internet);
}

TEST(BoxSim, RefusesUnknownStatesAndBadWorlds) {
    const std::string badState = testing::TempDir() + "boxsim_bad_state.json";
    std::ofstream(badState) << R"({"box": {"state": 3}})";
    const std::string badAddress = testing::TempDir() + "boxsim_bad_address.json";
    std::ofstream(badAddress) << R"({"box": {"quickStatus": "127.0.0.1"}})";
    const std::vector<std::vector<std::string>> runs = {
        {"--state", "broken"},   {"--port", "70000"},         {"--world", badState},
        {"--world", badAddress}, {"--world", "/nonexistent"}, {"--port"}};
    for (const auto& args : runs) {
        BoxSim sim(args);
        EXPECT_EQ(sim.port(), 0) << args[0];
        EXPECT_EQ(sim.exitCode(), 2) << args[0];
    }
}

} // namespace
