#include "win32/Win32Http.h"

#include "app/Trace.h"
#include "win32/Handles.h"
#include "win32/WinString.h"

#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <string>
#include <system_error>

namespace cw {
namespace {

constexpr wchar_t kAgent[] = L"ConfigWiFi";
constexpr DWORD kUrlFlags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                            INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_KEEP_CONNECTION |
                            INTERNET_FLAG_NO_AUTH | INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_COOKIES;

// What a worker found: the document (when an answer came) and the outcome.
struct Outcome {
    bool answered = false;
    std::string body;
    int error = kHttpNoError;
    int status = 0;
    const char* failedCall = nullptr;
};

std::wstring headerBlock(const std::vector<std::string>& headers) {
    std::wstring block;
    for (const std::string& header : headers) block += win::wide(header) + L"\r\n";
    return block;
}

} // namespace

// One request, shared by the client (user-interface thread) and its worker.
struct Win32Http::Request {
    std::mutex mutex;  // guards the handles and `aborted` between the two threads
    win::InternetHandle session;
    win::InternetHandle url;
    bool aborted = false;
    std::atomic<bool> finished{false};
    // User-interface thread only.
    bool busy = false;
    HttpEvents events;

    // Keeps a handle the worker opened, unless the request was aborted meanwhile.
    [[nodiscard]] bool keep(win::InternetHandle& slot, HINTERNET handle) {
        std::lock_guard lock(mutex);
        if (aborted) {
            InternetCloseHandle(handle);
            return false;
        }
        slot.reset(handle);
        return true;
    }
    void abort() {
        std::lock_guard lock(mutex);
        aborted = true;
        url.reset();
        session.reset();
    }
    [[nodiscard]] bool isAborted() {
        std::lock_guard lock(mutex);
        return aborted;
    }
};

namespace {

void fail(Outcome& outcome, const char* call) {
    outcome.error = static_cast<int>(GetLastError());
    if (outcome.error == kHttpNoError) outcome.error = static_cast<int>(ERROR_INTERNET_INTERNAL_ERROR);
    outcome.failedCall = call;
}

void setTimeouts(HINTERNET session) {
    DWORD ms = Win32Http::kSocketTimeoutMs;
    for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                         INTERNET_OPTION_RECEIVE_TIMEOUT})
        InternetSetOptionW(session, option, &ms, sizeof ms);
}

void readBody(HINTERNET url, Outcome& outcome) {
    char chunk[8192];
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(url, chunk, sizeof chunk, &read)) {
            fail(outcome, "InternetReadFile");
            return;
        }
        if (read == 0) return;
        outcome.body.append(chunk, read);
    }
}

// The blocking GET, on the worker thread.
Outcome get(Win32Http::Request& request, const std::wstring& address, const std::wstring& headers) {
    Outcome outcome;
    HINTERNET session = InternetOpenW(kAgent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
    if (!session) {
        fail(outcome, "InternetOpenW");
        return outcome;
    }
    if (!request.keep(request.session, session)) return outcome;
    setTimeouts(session);

    // Redirections are followed by WinINet; HTTP/1.1 is its default version.
    HINTERNET url = InternetOpenUrlW(session, address.c_str(), headers.c_str(),
                                     static_cast<DWORD>(headers.size()), kUrlFlags, 0);
    if (!url) {
        fail(outcome, "InternetOpenUrlW");
        return outcome;
    }
    if (!request.keep(request.url, url)) return outcome;

    DWORD status = 0, size = sizeof status;
    if (HttpQueryInfoW(url, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
        outcome.status = static_cast<int>(status);
    outcome.answered = true;
    readBody(url, outcome);
    return outcome;
}

} // namespace

class Win32Http::Client : public HttpClient {
public:
    explicit Client(Win32Http& owner) : owner_(owner) {}
    ~Client() override {
        abort();
        retireWorker();
    }

    bool getAsync(const HttpGet& get, HttpEvents events) override {
        if (request_ && request_->busy) return false;
        retireWorker();
        auto request = std::make_shared<Request>();
        request->events = std::move(events);
        request->busy = true;
        try {
            worker_ = std::thread(&Client::run, request, std::ref(owner_.loop_), owner_.trace_,
                                  win::wide(get.url), headerBlock(get.headers));
        } catch (const std::system_error& e) {
            if (owner_.trace_) owner_.trace_->error(std::string("Win32Http: no worker thread: ") + e.what());
            return false;
        }
        request_ = std::move(request);
        return true;
    }

    bool busy() const override { return request_ && request_->busy; }

    void abort() override {
        if (!request_ || !request_->busy) return;
        request_->busy = false;
        request_->abort();
    }

private:
    static void run(std::shared_ptr<Request> request, EventLoop& loop, Trace* trace,
                    std::wstring address, std::wstring headers) {
        Outcome outcome = get(*request, address, headers);
        // Posting under the lock: once a request is aborted its worker no longer touches the
        // loop, which may then be gone.
        std::lock_guard lock(request->mutex);
        request->url.reset();
        request->session.reset();
        if (!request->aborted)
            loop.post([request, trace, outcome = std::move(outcome)] {
                deliver(*request, trace, outcome);
            });
        request->finished = true;
    }

    // On the user-interface thread. A handler may abort the request: nothing follows then.
    static void deliver(Request& request, Trace* trace, const Outcome& outcome) {
        if (!request.busy) return;
        if (outcome.failedCall && trace)
            trace->error(std::string("Win32Http: ") + outcome.failedCall + " failed, error " +
                         std::to_string(outcome.error));
        const HttpEvents events = request.events;
        if (outcome.answered) {
            if (events.onDocumentBegin) events.onDocumentBegin();
            if (!request.busy) return;
            if (events.onDocumentEnd) events.onDocumentEnd(outcome.body);
            if (!request.busy) return;
        }
        request.busy = false;
        if (events.onDone) events.onDone(outcome.error, outcome.status);
    }

    void retireWorker() {
        if (worker_.joinable()) owner_.retire({std::move(worker_), request_});
    }

    Win32Http& owner_;
    std::shared_ptr<Request> request_;
    std::thread worker_;
};

std::unique_ptr<HttpClient> Win32Http::createClient() { return std::make_unique<Client>(*this); }

void Win32Http::retire(Worker worker) {
    std::lock_guard lock(workersMutex_);
    std::erase_if(retired_, [](Worker& w) {
        if (!w.request->finished) return false;
        w.thread.join();
        return true;
    });
    retired_.push_back(std::move(worker));
}

// A worker blocked on a silent server may outlive the client: closing its handles does not
// always end a pending receive. It is left to end on its own; being aborted, it only touches
// its own request.
Win32Http::~Win32Http() {
    std::lock_guard lock(workersMutex_);
    for (Worker& w : retired_) {
        w.request->abort();
        if (w.request->finished)
            w.thread.join();
        else
            w.thread.detach();
    }
}

} // namespace cw
