// The HTTP client over WinINet: each GET runs on a worker thread with blocking calls and
// posts its outcome to the user-interface thread. Abort closes the request's handles, which
// makes the worker's pending call fail; its late outcome is dropped.
#pragma once

#include "platform/EventLoop.h"
#include "platform/Http.h"

#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace cw {

class Trace;

class Win32Http : public Http {
public:
    // Bounds WinINet's own waits, so a worker whose request was aborted ends in time.
    static constexpr unsigned long kSocketTimeoutMs = 15000;

    explicit Win32Http(EventLoop& loop) : loop_(loop) {}
    // Aborts the requests still under way; their workers end on their own.
    ~Win32Http() override;
    Win32Http(const Win32Http&) = delete;
    Win32Http& operator=(const Win32Http&) = delete;

    [[nodiscard]] std::unique_ptr<HttpClient> createClient() override;
    // Failures are traced here (on the user-interface thread).
    void setTrace(Trace* trace) { trace_ = trace; }

    struct Request;

private:
    class Client;
    struct Worker {
        std::thread thread;
        std::shared_ptr<Request> request;
    };
    // Takes over a finished or aborted worker; joins those that have ended.
    void retire(Worker worker);

    EventLoop& loop_;
    Trace* trace_ = nullptr;
    std::mutex workersMutex_;
    std::vector<Worker> retired_;
};

} // namespace cw
