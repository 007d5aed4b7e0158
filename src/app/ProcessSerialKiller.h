// TDM_ProcessSerialKiller: ends every running process whose program file name is on a
// list (vendor Wi-Fi utilities that fight over the adapter), once at start-up and then on
// each tick of its timer. It shows nothing; outcomes go to its trace category only.
#pragma once

#include "app/Trace.h"
#include "platform/EventLoop.h"
#include "platform/Processes.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace cw {

class StringTable;

using TProcess = ProcessInfo;

class TDM_ProcessSerialKiller {
public:
    static constexpr std::string_view kModuleName = "TDM_ProcessSerialKiller";

    // Auto-kill off, timer disabled, process list built once.
    TDM_ProcessSerialKiller(Processes& processes, EventLoop& loop, TraceLog& log);
    TDM_ProcessSerialKiller(const TDM_ProcessSerialKiller&) = delete;
    TDM_ProcessSerialKiller& operator=(const TDM_ProcessSerialKiller&) = delete;

    // Rebuilds the process list from scratch.
    void Refresh();
    // Ends every process whose program file name equals (ignoring case) a name of the ";"
    // list. `count` receives the number ended; true when every matching one was ended.
    [[nodiscard]] bool KillProcesses(std::string_view killList, int& count);

    void SetInterval(uint32_t ms);
    // On: the timer runs and each tick kills with the kill list. Off: ticks only refresh.
    void SetAutoKill(bool on);
    // Starts or stops the timer; stopping it also clears auto-kill.
    void SetAutoRefresh(bool enabled);
    void SetKillList(std::string_view killList) { killList_ = std::string(killList); }

    [[nodiscard]] const std::vector<TProcess>& ProcessList() const { return processList_; }
    [[nodiscard]] bool AutoKill() const { return autoKill_; }
    [[nodiscard]] const std::string& KillList() const { return killList_; }
    [[nodiscard]] const Timer& TimerAutoRefresh() const { return *timerAutoRefresh_; }

private:
    void TimerAutoRefreshTimer();
    [[nodiscard]] bool endProcess(const TProcess& process);

    Processes& processes_;
    Trace trace_;
    std::vector<TProcess> processList_;
    std::string killList_;
    bool autoKill_ = false;
    std::unique_ptr<Timer> timerAutoRefresh_;
};

// The timer period for setting `SerialKiller_Interval_Sec`: seconds × 1000, or 60000 ms
// when the text is not an integer (or gives no usable period).
[[nodiscard]] uint32_t serialKillerIntervalMs(std::string_view intervalSecSetting);

// The main window's start-up sequence: creates the killer, ends the programs named by
// `SerialKiller_Apps` at once (outcome traced in the main window's category), then sets
// the period and switches auto-kill on with that list.
[[nodiscard]] std::unique_ptr<TDM_ProcessSerialKiller>
startProcessSerialKiller(const StringTable& mainTable, Processes& processes, EventLoop& loop,
                         TraceLog& log, Trace& mainTrace);

} // namespace cw
