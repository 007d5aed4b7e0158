// Throughput of the box data reader on a 100 KB quick-status page: the page of a healthy box
// followed by entries the reader does not use, as a large page would carry.
#include "network/BoxData.h"
#include "network/BoxPage.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr size_t kPageSize = 100 * 1024;

std::string largePage() {
    std::string page = cw::quickStatusPage(cw::boxRecordFor(cw::BoxState::Ok));
    for (int i = 0; page.size() < kPageSize; ++i) {
        page += "sExtraEntry" + std::to_string(i) + " = 'value " + std::to_string(i) +
                ",1,2,3';\n<tr><td>row " + std::to_string(i) + "</td></tr>\n";
    }
    return page;
}

// A page whose light and channel values are long runs of separators.
std::string separatorPage() {
    std::string page = "sLedGetStatus = '";
    while (page.size() < kPageSize / 2)
        page += "ledpower,on;";
    page += "';\nsDSChannel0 = '";
    while (page.size() < kPageSize)
        page += "1,";
    page += "';\n";
    return page;
}

void parse(benchmark::State& state, const std::string& page) {
    cw::TraceLog log;
    cw::TDM_QVTHD_Tools tools(log);
    for (auto _ : state) {
        benchmark::DoNotOptimize(tools.SetPageContent(page));
        benchmark::DoNotOptimize(tools.Data().sCmConnectivityState);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(page.size()));
}

void BM_QuickStatusPage100K(benchmark::State& state) {
    parse(state, largePage());
}
void BM_SeparatorHeavyPage100K(benchmark::State& state) {
    parse(state, separatorPage());
}

} // namespace

BENCHMARK(BM_QuickStatusPage100K);
BENCHMARK(BM_SeparatorHeavyPage100K);
BENCHMARK_MAIN();
