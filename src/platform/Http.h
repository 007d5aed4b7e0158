// The HTTP client port: one asynchronous GET per client. The client's events arrive on the
// user-interface thread (through the event loop), so they run during pumped waits.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace cw {

// The transport error code of a request that reached the server and got an answer.
inline constexpr int kHttpNoError = 0;

struct HttpGet {
    std::string url;
    std::vector<std::string> headers;  // "Name: value", sent as given
};

// What a request reports, in this order when all goes well: the document begins, the
// document ends with its body, the request is done. A request that fails before an answer
// only reports done, with a non-zero transport error code and status 0. The HTTP status
// (200, 404...) does not make a request fail.
struct HttpEvents {
    std::function<void()> onDocumentBegin;
    std::function<void(const std::string& body)> onDocumentEnd;
    std::function<void(int transportError, int httpStatus)> onDone;
};

class HttpClient {
public:
    virtual ~HttpClient() = default;  // aborts a request in progress; no event follows
    // Starts the GET; false when it could not be started (no event follows then).
    [[nodiscard]] virtual bool getAsync(const HttpGet& request, HttpEvents events) = 0;
    // True from a started GET until its done event or an abort.
    [[nodiscard]] virtual bool busy() const = 0;
    // Stops the request in progress and closes its connection; no event follows.
    virtual void abort() = 0;
};

class Http {
public:
    virtual ~Http() = default;
    [[nodiscard]] virtual std::unique_ptr<HttpClient> createClient() = 0;
};

} // namespace cw
