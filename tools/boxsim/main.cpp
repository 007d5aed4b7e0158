// boxsim: stands in for the box on 127.0.0.1 and serves its quick-status page in one of the
// simulated states, so the wizard's real HTTP code path runs. See README.md.
#include "network/BoxPage.h"

#include "app/StringUtil.h"

#include <httplib.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <thread>

namespace {

// A slow box answers after the wizard's 5 s limit.
constexpr auto kSlowDelay = std::chrono::milliseconds(7000);

struct Options {
    std::optional<int> port;
    std::optional<std::string> state;
    std::optional<std::string> world;
};

void usage() {
    std::fprintf(stderr,
                 "usage: boxsim [--port N] [--state STATE] [--world FILE]\n"
                 "  --port N      port on 127.0.0.1, 0 for any free one (default: the port of\n"
                 "                the world's box.quickStatus, else 0); prints \"port N\"\n"
                 "  --state S     ok, cable-down, no-internet, not-found or slow (default ok;\n"
                 "                overrides the world's box.state)\n"
                 "  --world FILE  world file; reads its \"box\" object\n");
}

[[nodiscard]] bool parseArguments(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (i + 1 >= argc) return false;
        const std::string_view value = argv[++i];
        if (arg == "--port") {
            const auto port = cw::str::toInt(value);
            if (!port || *port < 0 || *port > 65535) return false;
            options.port = *port;
        } else if (arg == "--state") {
            options.state = std::string(value);
        } else if (arg == "--world") {
            options.world = std::string(value);
        } else {
            return false;
        }
    }
    return true;
}

// The port of "host:port", or nothing when the text is not of that form.
[[nodiscard]] std::optional<int> portOf(std::string_view address) {
    const size_t colon = address.rfind(':');
    if (colon == std::string_view::npos) return std::nullopt;
    const std::string_view digits = address.substr(colon + 1);
    const auto port = cw::str::toInt(digits);
    if (!port || *port < 1 || *port > 65535 || digits.find_first_of("+-") != std::string::npos)
        return std::nullopt;
    return *port;
}

// Reads the "box" object of a world file: "state" (a state name) and "quickStatus"
// ("host:port", where the wizard asks for the page; only its port is used here), both
// optional. Other keys belong to other parts of the simulated world.
[[nodiscard]] bool readWorld(const std::string& path, Options& options) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::fprintf(stderr, "boxsim: cannot read %s\n", path.c_str());
        return false;
    }
    std::stringstream text;
    text << file.rdbuf();
    const auto world = nlohmann::json::parse(text.str(), nullptr, false);
    if (world.is_discarded() || !world.is_object()) {
        std::fprintf(stderr, "boxsim: %s is not a JSON object\n", path.c_str());
        return false;
    }
    const auto box = world.find("box");
    if (box == world.end()) return true;
    if (!box->is_object()) {
        std::fprintf(stderr, "boxsim: box: expected an object\n");
        return false;
    }
    if (const auto state = box->find("state"); state != box->end()) {
        if (!state->is_string()) {
            std::fprintf(stderr, "boxsim: box.state: expected a string\n");
            return false;
        }
        if (!options.state) options.state = state->get<std::string>();
    }
    if (const auto address = box->find("quickStatus"); address != box->end()) {
        const auto port = address->is_string() ? portOf(address->get<std::string>()) : std::nullopt;
        if (!port) {
            std::fprintf(stderr, "boxsim: box.quickStatus: expected \"host:port\"\n");
            return false;
        }
        if (!options.port) options.port = *port;
    }
    return true;
}

void serve(httplib::Server& server, cw::BoxState state) {
    const std::string page = cw::quickStatusPage(cw::boxRecordFor(state));
    server.Get(std::string(cw::kQuickStatusPath), [state, page](const httplib::Request&,
                                                                httplib::Response& response) {
        if (state == cw::BoxState::NotFound) {
            response.status = 404;
            response.set_content("<html><body>404 Not Found</body></html>\n", "text/html");
            return;
        }
        if (state == cw::BoxState::Slow) std::this_thread::sleep_for(kSlowDelay);
        response.set_content(page, "text/html");
    });
    server.set_logger([](const httplib::Request& request, const httplib::Response& response) {
        std::fprintf(stderr, "boxsim: %s %s -> %d\n", request.method.c_str(), request.path.c_str(),
                     response.status);
    });
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parseArguments(argc, argv, options)) {
        usage();
        return 2;
    }
    if (options.world && !readWorld(*options.world, options)) return 2;
    const auto state = cw::boxStateFromName(options.state.value_or("ok"));
    if (!state) {
        std::fprintf(stderr, "boxsim: unknown state \"%s\"\n", options.state->c_str());
        usage();
        return 2;
    }

    httplib::Server server;
    serve(server, *state);
    int port = options.port.value_or(0);
    if (port == 0) {
        port = server.bind_to_any_port("127.0.0.1");
    } else if (!server.bind_to_port("127.0.0.1", port)) {
        port = -1;
    }
    if (port <= 0) {
        std::fprintf(stderr, "boxsim: cannot listen on 127.0.0.1:%d\n", options.port.value_or(0));
        return 1;
    }
    std::printf("port %d\n", port);
    std::fflush(stdout);
    std::fprintf(stderr, "boxsim: state %s on http://127.0.0.1:%d%s\n",
                 std::string(cw::boxStateName(*state)).c_str(), port,
                 std::string(cw::kQuickStatusPath).c_str());
    return server.listen_after_bind() ? 0 : 1;
}
