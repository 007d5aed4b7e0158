// The application state record: one per process, owned by the application context and
// filled during start-up. Every module reads it (run mode, Windows version, paths).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace cw {

struct AppData {
    // Windows family and version (GetOS).
    bool IsNT = false;
    bool Is9x = false;
    bool IsNT4 = false;
    bool Is2000 = false;
    bool IsXP = false; // Server 2003 (5.2) included
    bool IsVista = false;
    bool IsSeven = false;
    bool Is95 = false;
    bool Is98 = false;
    bool Is98SE = false;
    bool IsMe = false;
    bool IsXPSP2 = false;
    bool IsXPSP2Plus = false;
    bool IsXPSP3 = false;
    bool Is64Bits = false; // a 32-bit process on 64-bit Windows (NT only)
    bool HasSP1 = false;
    bool HasSP2 = false;
    bool HasSP3 = false;
    bool HasSP4 = false;

    bool FormOnTop = false;

    // Names and paths (InitAppVars).
    std::string ProductName;
    std::string PathExe; // program directory, with trailing backslash
    std::string IconFile;
    std::string ISPName;
    std::string BrandKey;
    std::string ProductKey;
    std::string AppDataDir; // per-user data directory, without trailing backslash

    // The program file's version, as decimal text (InitVersion); empty without version info.
    std::string VersionMajor;
    std::string VersionMinor;
    std::string VersionRelease;
    std::string VersionBuild;

    // Run mode (StartMode; JumpStartMode and EthernetPath also change while pages run).
    bool ForceAdmin = false;
    bool TestMode = false;
    bool JumpStartMode = false;
    bool EthernetPath = false;

    int32_t UpdateIteration = 0; // the Wi-Fi manager's general update counter
    uint8_t PlayerMode = 0;      // 0 none, 2 for "1P" and "2P", 3 for "3P"

    bool WepMode = false;
    bool NdisMode = false;
};

} // namespace cw

namespace cw {

// A file of the program's own (trace log, crash report) in the per-user data directory, or in
// the program folder while that directory is not known.
[[nodiscard]] inline std::string dataFilePath(const AppData& appData, std::string_view fileName) {
    std::string path = appData.AppDataDir.empty() ? appData.PathExe : appData.AppDataDir + "\\";
    return path.append(fileName);
}

} // namespace cw
