// A scripted HTTP client for tests and simulated runs: each request takes the next queued
// answer (or the fallback, a refused connection), delivered after its delay on the loop's
// clock. An answer may also never come, like a server that accepts and stays silent.
#pragma once

#include "platform/EventLoop.h"
#include "platform/Http.h"

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace cw {

// The error code a refused connection reports (any non-zero code would do).
inline constexpr int kFakeConnectionRefused = 12029;

struct FakeHttpAnswer {
    int transportError = kHttpNoError;
    int status = 200;
    std::string body;
    uint32_t delayMs = 0;
    bool never = false;     // no event at all
    uint32_t doneAfterMs = 0;  // the done event comes this much after the document

    [[nodiscard]] static FakeHttpAnswer page(std::string body, int status = 200,
                                             uint32_t delayMs = 0) {
        return {kHttpNoError, status, std::move(body), delayMs, false, 0};
    }
    [[nodiscard]] static FakeHttpAnswer refused(uint32_t delayMs = 0) {
        return {kFakeConnectionRefused, 0, {}, delayMs, false, 0};
    }
    [[nodiscard]] static FakeHttpAnswer silent() { return {kHttpNoError, 0, {}, 0, true, 0}; }
};

class FakeHttp : public Http {
public:
    explicit FakeHttp(EventLoop& loop) : loop_(loop) {}

    [[nodiscard]] std::unique_ptr<HttpClient> createClient() override;

    // The next requests' answers, in order; then `responder` when set, else `fallback`.
    void queue(FakeHttpAnswer answer) { script_.push_back(std::move(answer)); }
    std::function<FakeHttpAnswer(const HttpGet&)> responder;
    FakeHttpAnswer fallback = FakeHttpAnswer::refused();
    // When set, starting a request fails.
    bool failStarts = false;

    std::vector<HttpGet> requests;  // every started request, in order
    int aborts = 0;                 // requests aborted while in progress

private:
    class Client;
    [[nodiscard]] FakeHttpAnswer nextAnswer(const HttpGet& request);

    EventLoop& loop_;
    std::deque<FakeHttpAnswer> script_;
};

} // namespace cw
