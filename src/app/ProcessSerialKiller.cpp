#include "app/ProcessSerialKiller.h"

#include "app/StringTable.h"
#include "app/StringUtil.h"

#include <limits>

namespace cw {
namespace {
constexpr uint32_t kFallbackIntervalMs = 60000;
} // namespace

TDM_ProcessSerialKiller::TDM_ProcessSerialKiller(Processes& processes, EventLoop& loop,
                                                 TraceLog& log)
    : processes_(processes), trace_(log, std::string(kModuleName)),
      timerAutoRefresh_(loop.createTimer()) {
    auto scope = trace_.scope("Create");
    timerAutoRefresh_->setEnabled(false);
    timerAutoRefresh_->setOnTimer([this] { TimerAutoRefreshTimer(); });
    Refresh();
}

void TDM_ProcessSerialKiller::Refresh() {
    auto scope = trace_.scope("Refresh");
    processList_.clear();
    if (!processes_.list(processList_))
        trace_.error("PSAPI.DLL not found! Are you sure you are running windows NT/Y2K ?");
}

bool TDM_ProcessSerialKiller::endProcess(const TProcess& process) {
    const std::string label = process.name + " (" + std::to_string(process.id) + ")";
    if (processes_.terminate(process.id)) {
        trace_.message("Process ended: " + label);
        return true;
    }
    trace_.error("Process could not be ended: " + label);
    return false;
}

bool TDM_ProcessSerialKiller::KillProcesses(std::string_view killList, int& count) {
    auto scope = trace_.scope("KillProcesses");
    count = 0;
    bool result = true;
    const std::vector<std::string> names = str::splitList(killList);
    Refresh();
    for (auto it = processList_.rbegin(); it != processList_.rend(); ++it) {
        for (const std::string& name : names) {
            if (!str::equalsNoCase(it->name, name)) continue;
            if (endProcess(*it))
                ++count;
            else
                result = false;
            break; // a name listed twice must not end (and count) the same process twice
        }
    }
    Refresh();
    return result;
}

void TDM_ProcessSerialKiller::SetInterval(uint32_t ms) {
    timerAutoRefresh_->setInterval(ms);
}

void TDM_ProcessSerialKiller::SetAutoKill(bool on) {
    autoKill_ = on;
    if (on) timerAutoRefresh_->setEnabled(true);
}

void TDM_ProcessSerialKiller::SetAutoRefresh(bool enabled) {
    timerAutoRefresh_->setEnabled(enabled);
    if (!enabled) autoKill_ = false;
}

void TDM_ProcessSerialKiller::TimerAutoRefreshTimer() {
    auto scope = trace_.scope("TimerAutoRefreshTimer");
    if (!autoKill_) {
        Refresh();
        return;
    }
    int count = 0;
    const bool allEnded = KillProcesses(killList_, count);
    trace_.message((allEnded ? "Periodic kill: " : "Periodic kill, not all ended: ") +
                   std::to_string(count) + " process(es) ended");
}

uint32_t serialKillerIntervalMs(std::string_view intervalSecSetting) {
    const auto seconds = str::toInt(intervalSecSetting);
    if (!seconds) return kFallbackIntervalMs;
    // A negative period or one beyond the timer's 32-bit range has no meaning either.
    const int64_t ms = int64_t{*seconds} * 1000;
    if (ms < 0 || ms > std::numeric_limits<uint32_t>::max()) return kFallbackIntervalMs;
    return static_cast<uint32_t>(ms);
}

std::unique_ptr<TDM_ProcessSerialKiller> startProcessSerialKiller(const StringTable& mainTable,
                                                                  Processes& processes,
                                                                  EventLoop& loop, TraceLog& log,
                                                                  Trace& mainTrace) {
    auto killer = std::make_unique<TDM_ProcessSerialKiller>(processes, loop, log);
    const std::string apps = mainTable.GetText("SerialKiller_Apps");
    int count = 0;
    if (killer->KillProcesses(apps, count))
        mainTrace.message("Kill succeed! " + std::to_string(count) + " Killed process");
    else
        mainTrace.message("Not all Kill succeed! Some process may be still here" +
                          std::to_string(count) + " Killed Process");
    killer->SetInterval(serialKillerIntervalMs(mainTable.GetText("SerialKiller_Interval_Sec")));
    killer->SetKillList(apps);
    killer->SetAutoKill(true);
    return killer;
}

} // namespace cw
