#include "app/InitApp.h"

#include "app/AppData.h"
#include "app/Blowfish.h"
#include "app/OsVersion.h"
#include "app/RegistryEnhanced.h"
#include "app/StringTable.h"
#include "app/StringTables.h"
#include "app/StringUtil.h"
#include "app/Trace.h"
#include "platform/FileSystem.h"
#include "platform/OsFacts.h"

#include <variant>

namespace cw {

uint8_t playerModeFromText(std::string_view text) {
    if (str::equalsNoCase(text, "1P") || str::equalsNoCase(text, "2P")) return 2;
    if (str::equalsNoCase(text, "3P")) return 3;
    return 0;
}

std::string versionLabelText(std::string_view caption, std::string_view showVersionSetting,
                             const AppData& appData) {
    if (!str::isFlagOn(showVersionSetting, "True")) return {};
    std::string label(caption);
    label.append(" ").append(appData.VersionMajor).append(".").append(appData.VersionMinor);
    label.append(".").append(appData.VersionRelease);
    label.append(" [").append(appData.VersionBuild).append("]");
    return label;
}

InitApp::InitApp(AppData& appData, const StringTable& mainTable, const OsFacts& os, FileSystem& fs,
                 Registry& registry, Trace& trace)
    : appData_(appData), mainTable_(mainTable), os_(os), fs_(fs), registry_(registry),
      trace_(trace) {}

void InitApp::InitAppVars() {
    auto scope = trace_.scope("InitAppVars");
    appData_.ProductName = mainTable_.GetText("Param_ProductName");

    const std::string exe = os_.exePath();
    const size_t cut = exe.find_last_of("\\/");
    appData_.PathExe = cut == std::string::npos ? std::string() : exe.substr(0, cut + 1);
    const std::string fileName = cut == std::string::npos ? exe : exe.substr(cut + 1);
    appData_.IconFile = appData_.PathExe + str::replaceAllNoCase(fileName, ".exe", ".ico");

    decipherEntries();
    appData_.BrandKey = std::string(kBrandKey);
    appData_.ProductKey = appData_.BrandKey + "\\" + appData_.ProductName;
    appData_.FormOnTop = str::isFlagOn(mainTable_.GetText("Form_OnTop"), "yes");
    GetOS(appData_, os_, trace_);
    createAppDataDir();
    InitVersion();
}

void InitApp::decipherEntries() {
    // Only the ISP name is used; the other entries are deciphered to check them.
    constexpr std::string_view kUnusedEntries[] = {"__AppBF_VispConfigFile", "__APPBF_VispReg",
                                                   "__AppBF_VispMain"};
    const DecipherResult isp = decipherValue(mainTable_.GetText("__AppBF_VispName"), kCipherKey);
    if (!isp.ok()) trace_.error("__AppBF_VispName: " + isp.error);
    appData_.ISPName = isp.ok() ? isp.text : std::string();
    for (std::string_view key : kUnusedEntries) {
        const DecipherResult entry = decipherValue(mainTable_.GetText(key), kCipherKey);
        if (!entry.ok()) trace_.error(std::string(key) + ": " + entry.error);
    }
}

void InitApp::createAppDataDir() {
    const std::optional<std::string> root = os_.environmentVariable("APPDATA");
    if (!root || root->empty()) {
        // Without it the directory would land at the root of the current drive.
        trace_.error("APPDATA is not set: no per-user data directory");
        appData_.AppDataDir.clear();
        return;
    }
    const std::string ispDir = *root + "\\" + appData_.ISPName;
    appData_.AppDataDir = ispDir + "\\" + appData_.ProductName;
    trace_.message("AppDataDir = " + appData_.AppDataDir);
    if (fs_.directoryExists(appData_.AppDataDir)) return;
    if (!fs_.directoryExists(ispDir) && !fs_.createDirectory(ispDir))
        trace_.error("Cannot create the directory " + ispDir);
    if (!fs_.createDirectory(appData_.AppDataDir))
        trace_.error("Cannot create the directory " + appData_.AppDataDir);
}

void InitApp::InitVersion() {
    const std::optional<FileVersion> version = os_.fileVersion(os_.exePath());
    if (!version) {
        trace_.error("The program file has no version information");
        return;
    }
    appData_.VersionMajor = std::to_string(version->major);
    appData_.VersionMinor = std::to_string(version->minor);
    appData_.VersionRelease = std::to_string(version->release);
    appData_.VersionBuild = std::to_string(version->build);
}

bool InitApp::initReg() {
    TRegistryEnhanced reg(registry_);
    reg.RootKey = appData_.Is9x ? TRegistryEnhanced::TRootKey::hkLocalMachine
                                : TRegistryEnhanced::TRootKey::hkCurrentUser;
    reg.Access = TRegistryEnhanced::TAccess::kWrite;
    reg.Key = appData_.ProductKey;
    const std::string version = appData_.VersionMajor + "." + appData_.VersionMinor + "." +
                                appData_.VersionRelease + "." + appData_.VersionBuild;
    const bool written = reg.WriteValue("Version", version);
    if (!written) trace_.error("Cannot write Version under " + appData_.ProductKey);
    return written;
}

void InitApp::Init_nP() {
    TRegistryEnhanced reg(registry_);
    reg.RootKey = TRegistryEnhanced::TRootKey::hkLocalMachine;
    reg.Access = TRegistryEnhanced::TAccess::kRead;
    reg.Key = appData_.BrandKey;
    const TRegistryEnhanced::Variant value = reg.ReadValue("Player Mode");
    const auto* text = std::get_if<std::string>(&value);
    appData_.PlayerMode = text ? playerModeFromText(*text) : 0;
    trace_.message("Player Mode = " + std::to_string(appData_.PlayerMode));
}

std::string InitApp::versionLabel(std::string_view caption) const {
    return versionLabelText(caption, mainTable_.GetText("Param_Show_Version"), appData_);
}

GraphSource graphSource(const AppData& appData, const StringTable& mainTable, const FileSystem& fs,
                        std::string_view settingKey, std::string_view resourceName) {
    const std::string fileName = settingKey.empty() ? std::string() : mainTable.GetText(settingKey);
    GraphSource source;
    source.filePath =
        appData.PathExe + mainTable.GetText("Param_Default_Img_Dir") + "\\" + fileName;
    source.resourceName = std::string(resourceName);
    source.fromFile = !fileName.empty() && fs.fileExists(source.filePath);
    return source;
}

GraphSource InitApp::LoadGraph(std::string_view settingKey, std::string_view resourceName) const {
    return graphSource(appData_, mainTable_, fs_, settingKey, resourceName);
}

bool InitApp::ActivateTracer(TraceLog& log) const {
    const bool on = isTracerWanted(mainTable_.GetText("Active_Tracer"), appData_.TestMode);
    log.setEnabled(on);
    return on;
}

TraceFile::TraceFile(TraceLog& log, FileSystem& fs) : log_(log), fs_(fs) {
    log_.setSink([this](std::string_view line) { add(line); });
}

TraceFile::~TraceFile() {
    log_.setSink(nullptr);
}

void TraceFile::add(std::string_view line) {
    std::string text(line);
    if (path_.empty()) {
        if (pending_.size() < kMaxPendingLines) pending_.push_back(std::move(text));
        return;
    }
    text += "\r\n";
    (void)fs_.appendFile(path_, text); // a log that cannot be written must not stop the program
}

void TraceFile::open(std::string path) {
    path_ = std::move(path);
    std::string kept;
    for (const std::string& line : pending_)
        kept.append(line).append("\r\n");
    pending_.clear();
    if (!kept.empty()) (void)fs_.appendFile(path_, kept);
}

} // namespace cw
