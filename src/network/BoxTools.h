// TDM_BoxTools: does the box answer on the local network, is its cable line up, does it have
// Internet access? It asks the box for its quick-status page over HTTP and has the answer
// read by the box data module. Created once at start-up; user-interface thread only.
#pragma once

#include "app/AppContext.h"
#include "app/Trace.h"

#include <functional>
#include <string>
#include <string_view>

namespace cw {

class StringTable;

// The two facts the checks read from the box's quick-status page.
struct BoxStatus {
    bool cableModemOperational = false;
    bool internetAllowed = false;
};
using BoxPageReader = std::function<BoxStatus(const std::string& page)>;

// Reads a quick-status page with the box data module.
[[nodiscard]] BoxStatus readBoxPage(TraceLog& log, const std::string& page);

class TDM_BoxTools {
public:
    static constexpr std::string_view kModuleName = "TDM_BoxTools";
    // Names the quick-status address in place of the table's, for simulated worlds.
    static constexpr std::string_view kBoxUrlVariable = "CONFIGWIFI_BOX_URL";
    static constexpr uint32_t kTimeLimitMs = 5000;
    static constexpr uint32_t kPollMs = 500;

    // Without a reader the box data module reads the pages.
    explicit TDM_BoxTools(AppContext& app, BoxPageReader reader = {});
    TDM_BoxTools(const TDM_BoxTools&) = delete;
    TDM_BoxTools& operator=(const TDM_BoxTools&) = delete;

    // Asks for the quick-status page: true when the box answered (any HTTP status).
    [[nodiscard]] bool Process_QS_HTTP();
    // One GET of `address`; afterwards lastRequestOk() and lastAnswer() describe it. Ignored
    // while a request is in progress.
    void Get_URL_NetworkData2(std::string_view address);
    // Reads the last answer: true when the box reports its cable modem as operational. Also
    // records whether the box allows Internet access.
    [[nodiscard]] bool CheckADSL();
    // Internet access as the last CheckADSL found it; makes no request.
    [[nodiscard]] bool CheckWeb() const { return internet_; }

    [[nodiscard]] bool busy() const { return busy_; }
    [[nodiscard]] bool lastRequestOk() const { return lastRequestOk_; }
    [[nodiscard]] const std::string& lastAnswer() const { return lastAnswer_; }
    // The address Process_QS_HTTP asks: the context's override, else the environment's,
    // else the table's.
    [[nodiscard]] std::string quickStatusUrl() const;

private:
    void waitForAnswer(uint64_t start);

    AppContext& app_;
    BoxPageReader reader_;
    Trace trace_;
    const StringTable& table_;
    bool busy_ = false;
    bool lastRequestOk_ = false;
    std::string lastAnswer_;
    bool internet_ = false;
};

} // namespace cw
