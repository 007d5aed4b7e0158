// The window-free part of start-up: the application variables, the program version, the
// registry values read and written at start, the version label, the choice of a page
// picture's source and the trace log switch.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace cw {

struct AppData;
class FileSystem;
class OsFacts;
class Registry;
class StringTable;
class Trace;
class TraceLog;

inline constexpr std::string_view kBrandKey = "Software\\Quorvale\\RIR";

// "1P" and "2P" give 2, "3P" gives 3, anything else 0; any letter case.
[[nodiscard]] uint8_t playerModeFromText(std::string_view text);

// The version label: `caption` + " " + major.minor.release + " [" + build + "]" when setting
// `Param_Show_Version` is "True" (any case), otherwise empty.
[[nodiscard]] std::string versionLabelText(std::string_view caption,
                                           std::string_view showVersionSetting,
                                           const AppData& appData);

// Where a page picture comes from: the skin directory's file when it exists, else the
// program's bitmap resource.
struct GraphSource {
    bool fromFile = false;
    std::string filePath;     // the file looked for (also when it was missing)
    std::string resourceName; // used when !fromFile
};

// PathExe + `Param_Default_Img_Dir` + "\" + `mainTable`'s value for `settingKey`: that file
// when it exists, else the bitmap resource `resourceName`.
[[nodiscard]] GraphSource graphSource(const AppData& appData, const StringTable& mainTable,
                                      const FileSystem& fs, std::string_view settingKey,
                                      std::string_view resourceName);

class InitApp {
  public:
    // `mainTable` is the main window's table; the references must outlive this object.
    InitApp(AppData& appData, const StringTable& mainTable, const OsFacts& os, FileSystem& fs,
            Registry& registry, Trace& trace);

    // Names, paths, registry keys, the on-top setting, the Windows version, the per-user data
    // directory (created when missing; failures are traced only) and the program version.
    // The caller sets the application title to ProductName.
    void InitAppVars();
    // The four parts of the program file's version; they stay as they are without version info.
    void InitVersion();
    // Writes "Version" under ProductKey (HKCU on NT, HKLM on 9x). False when it failed.
    bool initReg();
    // Reads "Player Mode" under BrandKey in HKLM into PlayerMode (0 when missing).
    void Init_nP();

    [[nodiscard]] std::string versionLabel(std::string_view caption) const;
    // PathExe + `Param_Default_Img_Dir` + "\" + the table's value for `settingKey`.
    [[nodiscard]] GraphSource LoadGraph(std::string_view settingKey,
                                        std::string_view resourceName) const;
    // Enables the log when `Active_Tracer` is "yes"/"true" or in test mode, disables it
    // otherwise; returns the new state. The log is written to a file (see TraceFile), so no
    // viewer needs to be installed.
    bool ActivateTracer(TraceLog& log) const;

  private:
    void decipherEntries();
    void createAppDataDir();

    AppData& appData_;
    const StringTable& mainTable_;
    const OsFacts& os_;
    FileSystem& fs_;
    Registry& registry_;
    Trace& trace_;
};

// The trace log's file. Lines written before the per-user data directory is known are kept
// (up to a limit) and written first when the file is opened.
class TraceFile {
  public:
    static constexpr std::string_view kFileName = "Trace.log";
    static constexpr size_t kMaxPendingLines = 2000;

    TraceFile(TraceLog& log, FileSystem& fs);
    ~TraceFile();
    TraceFile(const TraceFile&) = delete;
    TraceFile& operator=(const TraceFile&) = delete;

    // Appends the kept lines to `path`, then every new line.
    void open(std::string path);
    [[nodiscard]] const std::string& path() const { return path_; }

  private:
    void add(std::string_view line);

    TraceLog& log_;
    FileSystem& fs_;
    std::string path_;
    std::vector<std::string> pending_;
};

} // namespace cw
