#include "network/BoxTools.h"

#include "app/StringUtil.h"
#include "network/BoxData.h"
#include "platform/EventLoop.h"
#include "platform/Http.h"
#include "platform/OsFacts.h"

#include <optional>

namespace cw {
namespace {

const std::vector<std::string> kRequestHeaders = {"Accept-Language: en, fr",
                                                  "Connection: Keep-Alive"};

} // namespace

BoxStatus readBoxPage(TraceLog& log, const std::string& page) {
    TDM_QVTHD_Tools boxData(log);
    (void)boxData.SetPageContent(page);  // a page without entries leaves both flags false
    return {boxData.Data().sCmConnectivityState, boxData.Data().sInternetConnectivityState};
}

TDM_BoxTools::TDM_BoxTools(AppContext& app, BoxPageReader reader)
    : app_(app), reader_(std::move(reader)), trace_(app.traceLog, std::string(kModuleName)),
      table_(app.language.table(kModuleName)) {
    if (!reader_)
        reader_ = [&log = app.traceLog](const std::string& page) { return readBoxPage(log, page); };
}

std::string TDM_BoxTools::quickStatusUrl() const {
    if (!app_.boxUrl.empty()) return app_.boxUrl;
    if (auto url = app_.ports.os.environmentVariable(kBoxUrlVariable); url && !url->empty())
        return *url;
    return table_.GetText("Param_URL_QS_Rudel");
}

bool TDM_BoxTools::Process_QS_HTTP() {
    auto scope = trace_.scope("Process_QS_HTTP");
    Get_URL_NetworkData2(quickStatusUrl());
    return lastRequestOk_;
}

void TDM_BoxTools::Get_URL_NetworkData2(std::string_view address) {
    auto scope = trace_.scope("Get_URL_NetworkData2");
    if (busy_) {                                                          // 1.
        trace_.message("Get_URL_NetworkData2: a request is in progress, ignored");
        return;
    }
    lastRequestOk_ = false;                                               // 2.
    const std::string url = str::trim(address);
    if (url.empty()) {                                                    // 3.
        trace_.error("Get_URL_NetworkData2: no address, nothing sent");
        return;
    }
    std::unique_ptr<HttpClient> client = app_.ports.http.createClient();
    // The body of this request's document, from its beginning to its end.
    auto buffer = std::make_shared<std::optional<std::string>>();
    HttpEvents events;
    events.onDocumentBegin = [buffer] { buffer->emplace(); };
    events.onDocumentEnd = [this, buffer](const std::string& body) {
        lastAnswer_ = body;
        buffer->reset();
    };
    // The request is over only when it is done: the answer alone does not say whether the
    // transfer completed, and leaving the wait at the document's end could lose the outcome.
    events.onDone = [this](int transportError, int httpStatus) {
        busy_ = false;
        lastRequestOk_ = transportError == kHttpNoError;
        trace_.message("Get_URL_NetworkData2: done, error " + std::to_string(transportError) +
                       ", HTTP status " + std::to_string(httpStatus));
    };

    busy_ = true;                                                         // 4.
    const uint64_t start = app_.ports.loop.tickCount();
    if (!client->getAsync({url, kRequestHeaders}, std::move(events))) {
        trace_.error("Get_URL_NetworkData2: the request could not be started");
        busy_ = false;
        lastAnswer_.clear();
        return;
    }
    waitForAnswer(start);                                                 // 6.
    if (busy_) {                                                          // 7.
        trace_.error("HTTP Get TimeOut (5s)");
        busy_ = false;
        client->abort();
    }
    client.reset();                                                       // 8.
}

void TDM_BoxTools::waitForAnswer(uint64_t start) {
    EventLoop& loop = app_.ports.loop;
    while (busy_ && loop.tickCount() - start < kTimeLimitMs && !loop.terminated())
        loop.pumpedWait(kPollMs);
}

bool TDM_BoxTools::CheckADSL() {
    auto scope = trace_.scope("CheckADSL");
    app_.dialogs.Show_FormWait(table_.GetText("MsgWait_CheckNetwork"));   // 1.
    internet_ = false;
    bool cableUp = false;
    if (lastAnswer_.empty()) {                                            // 2.
        trace_.error("Error : Parsing HTML Data");
    } else {                                                              // 3.
        const BoxStatus status = reader_(lastAnswer_);
        cableUp = status.cableModemOperational;
        internet_ = status.internetAllowed;
    }
    app_.dialogs.Close_FormWait();                                        // 4.
    trace_.message(std::string("CheckADSL: cable ") + (cableUp ? "up" : "down") + ", Internet " +
                   (internet_ ? "allowed" : "not allowed"));
    return cableUp;
}

} // namespace cw
