// The trace log: diagnostics for support staff, never shown to users. Each module writes
// through its own category: "Module - Operation" on entry and exit, and outcome messages.
// When enabled the lines go to a text file in the per-user data directory.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace cw {

class FileSystem;

class TraceLog {
public:
    // Receives each finished line (without line break).
    using Sink = std::function<void(std::string_view line)>;
    // Milliseconds for the line's time column (the event loop's tick count).
    using Clock = std::function<uint64_t()>;

    TraceLog() = default;
    TraceLog(const TraceLog&) = delete;
    TraceLog& operator=(const TraceLog&) = delete;

    void setEnabled(bool enabled) { enabled_ = enabled; }
    [[nodiscard]] bool enabled() const { return enabled_ && sink_; }
    void setSink(Sink sink) { sink_ = std::move(sink); }
    void setClock(Clock clock) { clock_ = std::move(clock); }
    // Appends every line to `path` (created when missing).
    void writeToFile(FileSystem& fs, std::string path);

    // One line: time, category, kind, text, separated by tabs.
    void write(std::string_view category, std::string_view kind, std::string_view text);

private:
    bool enabled_ = false;
    Sink sink_;
    Clock clock_;
};

// A module's category of the trace log.
class Trace {
public:
    Trace(TraceLog& log, std::string module) : log_(&log), module_(std::move(module)) {}

    [[nodiscard]] const std::string& module() const { return module_; }
    [[nodiscard]] bool enabled() const { return log_->enabled(); }

    void enter(std::string_view operation) { log_->write(module_, "Enter", label(operation)); }
    void exit(std::string_view operation) { log_->write(module_, "Exit", label(operation)); }
    void message(std::string_view text) { log_->write(module_, "Msg", text); }
    void error(std::string_view text) { log_->write(module_, "Error", text); }

    // Writes the entry now and the exit when the scope ends.
    class Scope {
    public:
        Scope(Trace& trace, std::string_view operation) : trace_(trace), operation_(operation) {
            trace_.enter(operation_);
        }
        ~Scope() { trace_.exit(operation_); }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        Trace& trace_;
        std::string operation_;
    };
    [[nodiscard]] Scope scope(std::string_view operation) { return Scope(*this, operation); }

private:
    [[nodiscard]] std::string label(std::string_view operation) const {
        return module_ + " - " + std::string(operation);
    }
    TraceLog* log_;
    std::string module_;
};

// What the log shows in place of a Wi-Fi key or password: never the secret itself, only
// whether one was given and its length (which support needs to spot a mistyped key).
[[nodiscard]] std::string maskSecret(std::string_view secret);

// The log is wanted when setting `Active_Tracer` is "yes" or "true" (any case) or the
// program runs in test mode.
[[nodiscard]] bool isTracerWanted(std::string_view activeTracerSetting, bool testMode);

} // namespace cw
