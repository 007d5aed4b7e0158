#include "sim/FakeHttp.h"

namespace cw {

class FakeHttp::Client : public HttpClient {
public:
    explicit Client(FakeHttp& owner) : owner_(owner) {}

    bool getAsync(const HttpGet& request, HttpEvents events) override {
        if (owner_.failStarts || busy_) return false;
        owner_.requests.push_back(request);
        answer_ = owner_.nextAnswer(request);
        events_ = std::move(events);
        busy_ = true;
        documentDelivered_ = false;
        if (answer_.never) return true;
        timer_ = owner_.loop_.createTimer();
        timer_->setOnTimer([this] { deliver(); });
        timer_->setInterval(answer_.delayMs > 0 ? answer_.delayMs : 1);
        timer_->setEnabled(true);
        return true;
    }
    bool busy() const override { return busy_; }
    void abort() override {
        if (busy_) ++owner_.aborts;
        stop();
    }

private:
    void stop() {
        busy_ = false;
        if (timer_) timer_->setEnabled(false);
    }
    // Each handler may abort the request; nothing is reported after that.
    void deliver() {
        timer_->setEnabled(false);
        const HttpEvents events = events_;
        if (answer_.transportError == kHttpNoError && !documentDelivered_) {
            documentDelivered_ = true;
            if (events.onDocumentBegin) events.onDocumentBegin();
            if (!busy_) return;
            if (events.onDocumentEnd) events.onDocumentEnd(answer_.body);
            if (!busy_) return;
            if (answer_.doneAfterMs > 0) {
                timer_->setInterval(answer_.doneAfterMs);
                timer_->setEnabled(true);
                return;
            }
        }
        busy_ = false;
        if (events.onDone) events.onDone(answer_.transportError, answer_.status);
    }

    FakeHttp& owner_;
    FakeHttpAnswer answer_;
    HttpEvents events_;
    bool busy_ = false;
    bool documentDelivered_ = false;
    std::unique_ptr<Timer> timer_;
};

std::unique_ptr<HttpClient> FakeHttp::createClient() { return std::make_unique<Client>(*this); }

FakeHttpAnswer FakeHttp::nextAnswer(const HttpGet& request) {
    if (script_.empty()) return responder ? responder(request) : fallback;
    FakeHttpAnswer answer = std::move(script_.front());
    script_.pop_front();
    return answer;
}

} // namespace cw
