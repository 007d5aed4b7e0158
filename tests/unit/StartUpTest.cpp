// Start-up without windows: run mode, Windows version, administrator check, application
// variables, registry values, version label, picture sources, trace file, crash report texts.
#include "app/AppData.h"
#include "app/CrashReport.h"
#include "app/InitApp.h"
#include "app/OsVersion.h"
#include "app/RunMode.h"
#include "app/StringTable.h"
#include "app/StringTables.h"
#include "app/Trace.h"
#include "sim/MemoryFileSystem.h"
#include "sim/MemoryRegistry.h"
#include "sim/SimOsFacts.h"

#include <gtest/gtest.h>

#include <set>

namespace cw {
namespace {

using Args = std::vector<std::string>;

class StartUpTest : public ::testing::Test {
  protected:
    StartUpTest() {
        log.setSink([this](std::string_view line) { traced.append(line).append("\n"); });
        log.setEnabled(true);
        os.programPath = "D:\\Kit\\ConfigWiFi.EXE";
        os.fileVersions[os.programPath] = FileVersion{1, 3, 0, 70};
        for (const char* dir : {"C:\\Users", "C:\\Users\\Client", "C:\\Users\\Client\\AppData",
                                "C:\\Users\\Client\\AppData\\Roaming", "D:\\Kit"})
            EXPECT_TRUE(fs.createDirectory(dir));
    }

    // Replaces one setting of the main window's table, keeping the others.
    void setSetting(std::string_view key, std::string_view value) {
        std::vector<TableEntry> entries = mainTable().storedEntries();
        for (TableEntry& e : entries)
            if (e.key == key) e.value = value;
        mainTable().replace(entries);
    }
    StringTable& mainTable() { return language.table(kMainWindowTable); }

    TraceLog log;
    std::string traced;
    Trace trace{log, "TFormWZ"};
    Language language{compiledInTables()};
    SimOsFacts os;
    MemoryFileSystem fs;
    MemoryRegistry registry;
    AppData appData;
    InitApp init{appData, mainTable(), os, fs, registry, trace};
};

// --- Command line -------------------------------------------------------------------------

TEST(RunMode, CommandLineTable) {
    struct Case {
        Args args;
        bool quit, test, forceAdmin, wep, ndis;
    };
    const Case cases[] = {
        {{"C:\\Kit\\ConfigWiFi.exe"}, false, false, false, false, false},
        {{"C:\\Kit\\ConfigWiFi.exe", "-t"}, false, true, false, false, false},
        {{"C:\\Kit\\ConfigWiFi.exe", "-T"}, false, true, false, false, false},
        {{"C:\\Kit\\ConfigWiFi.exe", "-Test"}, false, true, false, false, false},
        {{"C:\\Kit\\ConfigWiFi.exe", "-tEST"}, false, true, false, false, false},
        {{"C:\\Kit\\ConfigWiFi.exe", "-Testing"}, false, false, false, false, false},
        {{"C:\\Kit\\ConfigWiFi.exe", "-forceadmin", "-wep"}, false, false, true, true, false},
        {{"C:\\Kit\\ConfigWiFi.exe", "-NDIS", "-noJS"}, false, false, false, false, true},
        {{"C:\\Kit\\ConfigWiFi.exe", "-WEPX"}, false, false, false, false, false},
        {{"C:\\Kit\\ConfigWiFi.exe", "-q"}, true, false, false, false, false},
        {{"C:\\Kit\\ConfigWiFi.exe", "-t", "x-Quit"}, true, true, false, false, false},
        {{"C:\\Kit\\ConfigWiFi.exe", "-Q"}, true, false, false, false, false},
        {{"C:\\Kit-quorvale\\ConfigWiFi.exe"}, true, false, false, false, false},
    };
    SimOsFacts os;
    TraceLog log;
    Trace trace(log, "TFormWZ");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        EXPECT_EQ(hasQuitSwitch(c.args), c.quit);
        AppData data;
        StartMode(c.args, data, os, trace);
        EXPECT_EQ(data.TestMode, c.test);
        EXPECT_EQ(data.ForceAdmin, c.forceAdmin);
        EXPECT_EQ(data.WepMode, c.wep);
        EXPECT_EQ(data.NdisMode, c.ndis);
        EXPECT_FALSE(data.JumpStartMode);
    }
}

TEST_F(StartUpTest, FirstScanStopsAtTheQuitSwitchAndNotesTestMode) {
    EXPECT_TRUE(
        scanStartArguments({"C:\\Kit\\ConfigWiFi.exe", "-T", "-q", "-ForceAdmin"}, appData, trace));
    EXPECT_TRUE(appData.TestMode);
    EXPECT_NE(traced.find("-q"), std::string::npos);
    EXPECT_EQ(traced.find("-ForceAdmin"), std::string::npos); // never looked at

    AppData other;
    EXPECT_FALSE(scanStartArguments({"C:\\Kit\\ConfigWiFi.exe", "-ForceAdmin"}, other, trace));
    EXPECT_FALSE(other.TestMode);
}

TEST_F(StartUpTest, StartModeClearsTheRunFlagsAndTracesTheBuildSwitches) {
    appData.ForceAdmin = appData.TestMode = appData.JumpStartMode = appData.EthernetPath = true;
    appData.NdisMode = appData.WepMode = true;
    os.stringResources = {{1000, "1"}, {2000, "0"}};
    StartMode({"C:\\Kit\\ConfigWiFi.exe"}, appData, os, trace);
    EXPECT_FALSE(appData.ForceAdmin || appData.TestMode || appData.JumpStartMode ||
                 appData.EthernetPath || appData.NdisMode || appData.WepMode);
    EXPECT_NE(traced.find("Dongle   Backup  = True"), std::string::npos);
    EXPECT_NE(traced.find("Dongle   Mode  = False"), std::string::npos);
    EXPECT_NE(traced.find("Ethernet Mode  = False"), std::string::npos);
}

TEST(RunMode, BuildSwitchIsOnOnlyForTheTextOne) {
    SimOsFacts os;
    os.stringResources = {{1000, "1"}, {2000, " 1"}, {3000, "0"}};
    EXPECT_TRUE(isBuildSwitchOn(os, BuildSwitch::KitBackupSwitch));
    EXPECT_FALSE(isBuildSwitchOn(os, BuildSwitch::DongleModeSwitch));
    EXPECT_FALSE(isBuildSwitchOn(os, BuildSwitch::EthernetModeSwitch));
    os.stringResources.clear();
    EXPECT_FALSE(isBuildSwitchOn(os, BuildSwitch::KitBackupSwitch));
    // This build's values.
    EXPECT_FALSE(isBuildSwitchOn(SimOsFacts(), BuildSwitch::KitBackupSwitch));
    EXPECT_TRUE(isBuildSwitchOn(SimOsFacts(), BuildSwitch::DongleModeSwitch));
    EXPECT_TRUE(isBuildSwitchOn(SimOsFacts(), BuildSwitch::EthernetModeSwitch));
}

TEST(RunMode, JumpStartModeStaysOnlyFromXpSp2On) {
    struct Case {
        OsVersionInfo version;
        bool kept;
    };
    const Case cases[] = {{{2, 5, 1, 2600, "Service Pack 1"}, false},
                          {{2, 5, 1, 2600, "Service Pack 2"}, true},
                          {{2, 5, 0, 2195, "Service Pack 4"}, false},
                          {{2, 6, 0, 6002, ""}, true},
                          {{2, 6, 1, 7601, "Service Pack 1"}, true}};
    TraceLog log;
    Trace trace(log, "TFormWZ");
    for (const Case& c : cases) {
        SimOsFacts os;
        os.version = c.version;
        AppData data;
        GetOS(data, os, trace);
        data.JumpStartMode = true;
        confirmJumpStartMode(data, os);
        EXPECT_EQ(data.JumpStartMode, c.kept)
            << c.version.major << "." << c.version.minor << " " << c.version.servicePack;
        data.JumpStartMode = false;
        confirmJumpStartMode(data, os);
        EXPECT_FALSE(data.JumpStartMode);
    }
}

// --- Windows version ----------------------------------------------------------------------

std::set<std::string> flagsSet(const AppData& a) {
    const std::pair<const char*, bool> flags[] = {{"IsNT", a.IsNT},
                                                  {"Is9x", a.Is9x},
                                                  {"IsNT4", a.IsNT4},
                                                  {"Is2000", a.Is2000},
                                                  {"IsXP", a.IsXP},
                                                  {"IsVista", a.IsVista},
                                                  {"IsSeven", a.IsSeven},
                                                  {"Is95", a.Is95},
                                                  {"Is98", a.Is98},
                                                  {"Is98SE", a.Is98SE},
                                                  {"IsMe", a.IsMe},
                                                  {"IsXPSP2", a.IsXPSP2},
                                                  {"IsXPSP2Plus", a.IsXPSP2Plus},
                                                  {"IsXPSP3", a.IsXPSP3},
                                                  {"Is64Bits", a.Is64Bits},
                                                  {"HasSP1", a.HasSP1},
                                                  {"HasSP2", a.HasSP2},
                                                  {"HasSP3", a.HasSP3},
                                                  {"HasSP4", a.HasSP4}};
    std::set<std::string> on;
    for (const auto& [name, value] : flags)
        if (value) on.insert(name);
    return on;
}

TEST(OsVersion, VersionTable) {
    struct Case {
        OsVersionInfo version;
        bool wow64;
        std::set<std::string> flags;
        bool vistaOrLater;
    };
    const Case cases[] = {
        {{2, 4, 0, 1381, "Service Pack 6"}, false, {"IsNT", "IsNT4"}, false},
        {{2, 5, 0, 2195, "Service Pack 4"}, false, {"IsNT", "Is2000", "HasSP4"}, false},
        {{2, 5, 1, 2600, "Service Pack 1"}, false, {"IsNT", "IsXP", "HasSP1"}, false},
        {{2, 5, 1, 2600, "Service Pack 2"},
         false,
         {"IsNT", "IsXP", "HasSP2", "IsXPSP2", "IsXPSP2Plus"},
         false},
        {{2, 5, 1, 2600, "service pack 3"},
         false,
         {"IsNT", "IsXP", "HasSP3", "IsXPSP3", "IsXPSP2Plus"},
         false},
        // Server 2003 and XP x64 (5.2) count as XP.
        {{2, 5, 2, 3790, "Service Pack 2"},
         true,
         {"IsNT", "IsXP", "HasSP2", "IsXPSP2", "IsXPSP2Plus", "Is64Bits"},
         false},
        {{2, 6, 0, 6002, "Service Pack 2"}, false, {"IsNT", "IsVista", "HasSP2"}, true},
        {{2, 6, 1, 7601, "Service Pack 1"}, true, {"IsNT", "IsSeven", "HasSP1", "Is64Bits"}, true},
        {{2, 6, 2, 9200, ""}, false, {"IsNT", "IsSeven"}, true},
        {{2, 10, 0, 19045, ""}, false, {"IsNT", "IsVista"}, true},
        // 9x: the build's low word tells 95, 98 and 98 SE apart; no WOW64 there.
        {{1, 4, 0, 0x040003B6, "Service Pack 1"}, true, {"Is9x", "Is95", "HasSP1"}, false},
        {{1, 4, 10, 0x040A07CE, ""}, true, {"Is9x", "Is98"}, false},
        {{1, 4, 10, 0x040A08AE, " A "}, false, {"Is9x", "Is98SE"}, false},
        {{1, 4, 90, 0x045A0BB8, " "}, false, {"Is9x", "IsMe"}, false},
    };
    TraceLog log;
    Trace trace(log, "TFormWZ");
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.version.platformId) + " " + std::to_string(c.version.major) +
                     "." + std::to_string(c.version.minor) + " " + c.version.servicePack);
        SimOsFacts os;
        os.version = c.version;
        os.wow64 = c.wow64;
        AppData data;
        GetOS(data, os, trace);
        EXPECT_EQ(flagsSet(data), c.flags);
        EXPECT_EQ(IsVistaOrLater(os), c.vistaOrLater);
    }
}

TEST_F(StartUpTest, GetOsClearsOldFlagsAndIsVistaOrLaterQueriesAfresh) {
    GetOS(appData, os, trace);
    EXPECT_TRUE(appData.IsSeven);
    os.version = OsVersionInfo{2, 5, 1, 2600, "Service Pack 3"};
    EXPECT_FALSE(IsVistaOrLater(os));
    GetOS(appData, os, trace);
    EXPECT_EQ(flagsSet(appData), (std::set<std::string>{"IsNT", "IsXP", "HasSP3", "IsXPSP3",
                                                        "IsXPSP2Plus", "Is64Bits"}));
    os.version.reset();
    GetOS(appData, os, trace);
    EXPECT_TRUE(flagsSet(appData).empty());
    EXPECT_FALSE(IsVistaOrLater(os));
}

// --- Administrator check ------------------------------------------------------------------

TEST_F(StartUpTest, AdminCheckTable) {
    std::vector<std::string> many;
    for (int i = 0; i < 199; ++i)
        many.push_back("S-1-5-21-1004336348-1177238915-682003330-" + std::to_string(1000 + i));
    std::vector<std::string> manyThenAdmin = many;
    manyThenAdmin.push_back("s-1-5-32-544");
    struct Case {
        TokenGroups groups;
        bool is9x;
        bool expected;
    };
    const Case cases[] = {
        {{TokenGroups::Status::Read, manyThenAdmin}, false, true},
        {{TokenGroups::Status::Read, many}, false, false},
        {{TokenGroups::Status::Read, {"S-1-5-32-545", "S-1-5-32-5440"}}, false, false},
        {{TokenGroups::Status::NotOpened, {}}, false, false},
        {{TokenGroups::Status::NotRead, {"S-1-5-32-544"}}, false, false},
        {{TokenGroups::Status::NotOpened, {}}, true, true}, // 9x has no tokens
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.groups.sids.size());
        os.groups = c.groups;
        AppData data;
        data.Is9x = c.is9x;
        data.IsNT = !c.is9x;
        EXPECT_EQ(CheckCurrentUserIsAdmin(data, os, trace), c.expected);
    }
}

// --- Application variables ----------------------------------------------------------------

TEST_F(StartUpTest, InitAppVarsFillsNamesPathsAndCreatesTheDataDirectory) {
    init.InitAppVars();
    EXPECT_EQ(appData.ProductName, "Configuration WiFi Quorvale");
    EXPECT_EQ(appData.PathExe, "D:\\Kit\\");
    EXPECT_EQ(appData.IconFile, "D:\\Kit\\ConfigWiFi.ico");
    EXPECT_EQ(appData.ISPName, "Quorvale");
    EXPECT_EQ(appData.BrandKey, "Software\\Quorvale\\RIR");
    EXPECT_EQ(appData.ProductKey, "Software\\Quorvale\\RIR\\Configuration WiFi Quorvale");
    EXPECT_EQ(appData.AppDataDir,
              "C:\\Users\\Client\\AppData\\Roaming\\Quorvale\\Configuration WiFi Quorvale");
    EXPECT_TRUE(fs.directoryExists(appData.AppDataDir));
    EXPECT_FALSE(appData.FormOnTop);
    EXPECT_TRUE(appData.IsSeven); // the version is detected again
    EXPECT_EQ(appData.VersionMajor + "." + appData.VersionMinor + "." + appData.VersionRelease +
                  "." + appData.VersionBuild,
              "1.3.0.70");
    EXPECT_EQ(traced.find("Error"), std::string::npos);
    EXPECT_EQ(dataFilePath(appData, "Trace.log"), appData.AppDataDir + "\\Trace.log");
}

TEST_F(StartUpTest, IconFileReplacesTheExtensionInAnyCase) {
    for (const char* path :
         {"D:\\Kit\\ConfigWiFi.exe", "D:\\Kit\\ConfigWiFi.Exe", "D:\\Kit\\ConfigWiFi.EXE"}) {
        os.programPath = path;
        init.InitAppVars();
        EXPECT_EQ(appData.IconFile, "D:\\Kit\\ConfigWiFi.ico") << path;
    }
}

TEST_F(StartUpTest, FormOnTopFollowsTheSettingInAnyCase) {
    setSetting("Form_OnTop", "YES");
    init.InitAppVars();
    EXPECT_TRUE(appData.FormOnTop);
}

TEST_F(StartUpTest, DataDirectoryFailuresAreTracedOnly) {
    os.environment["APPDATA"] = "E:\\Missing\\Roaming"; // parent directories do not exist
    init.InitAppVars();
    EXPECT_EQ(appData.AppDataDir, "E:\\Missing\\Roaming\\Quorvale\\Configuration WiFi Quorvale");
    EXPECT_FALSE(fs.directoryExists(appData.AppDataDir));
    EXPECT_NE(traced.find("Cannot create the directory E:\\Missing\\Roaming\\Quorvale"),
              std::string::npos);
    EXPECT_EQ(appData.VersionBuild, "70"); // the rest of the step still ran
}

TEST_F(StartUpTest, WithoutAppDataTheProgramFolderIsUsed) {
    os.environment.clear();
    init.InitAppVars();
    EXPECT_TRUE(appData.AppDataDir.empty());
    EXPECT_EQ(dataFilePath(appData, "CrashReport.txt"), "D:\\Kit\\CrashReport.txt");
}

TEST_F(StartUpTest, WithoutVersionInformationTheVersionStaysEmpty) {
    os.fileVersions.clear();
    init.InitAppVars();
    EXPECT_TRUE(appData.VersionMajor.empty());
    EXPECT_TRUE(appData.VersionBuild.empty());
}

// --- Registry -----------------------------------------------------------------------------

TEST_F(StartUpTest, VersionIsWrittenUnderTheProductKeyOfTheRightRoot) {
    struct Case {
        OsVersionInfo version;
        RegRoot root;
    };
    const Case cases[] = {{{2, 5, 1, 2600, "Service Pack 3"}, RegRoot::CurrentUser},
                          {{1, 4, 10, 0x040A08AE, ""}, RegRoot::LocalMachine}};
    for (const Case& c : cases) {
        os.version = c.version;
        MemoryRegistry fresh;
        InitApp local(appData, mainTable(), os, fs, fresh, trace);
        local.InitAppVars();
        EXPECT_TRUE(local.initReg());
        auto key = fresh.open(c.root, "Software\\Quorvale\\RIR\\Configuration WiFi Quorvale",
                              RegAccess::Read);
        ASSERT_TRUE(key);
        RegValue value;
        ASSERT_TRUE(key->read("Version", value));
        EXPECT_EQ(value, RegValue::string("1.3.0.70"));
    }
}

TEST_F(StartUpTest, PlayerModeTable) {
    struct Case {
        std::optional<RegValue> value;
        RegRoot root;
        uint8_t expected;
    };
    const Case cases[] = {
        {RegValue::string("1P"), RegRoot::LocalMachine, 2},
        {RegValue::string("2P"), RegRoot::LocalMachine, 2},
        {RegValue::string("2p"), RegRoot::LocalMachine, 2},
        {RegValue::string("3P"), RegRoot::LocalMachine, 3},
        {RegValue::string("3p"), RegRoot::LocalMachine, 3},
        {RegValue::string("4P"), RegRoot::LocalMachine, 0},
        {RegValue::string(" 2P"), RegRoot::LocalMachine, 0},
        {RegValue::fromDword(2), RegRoot::LocalMachine, 0},
        {RegValue::string("3P"), RegRoot::CurrentUser, 0}, // only HKLM counts
        {std::nullopt, RegRoot::LocalMachine, 0},
    };
    init.InitAppVars();
    for (const Case& c : cases) {
        MemoryRegistry fresh;
        if (c.value) {
            auto key = fresh.create(c.root, "Software\\Quorvale\\RIR", RegAccess::AllAccess);
            ASSERT_TRUE(key && key->write("Player Mode", *c.value));
        }
        appData.PlayerMode = 9;
        InitApp local(appData, mainTable(), os, fs, fresh, trace);
        local.Init_nP();
        EXPECT_EQ(appData.PlayerMode, c.expected) << (c.value ? c.value->text : "missing");
    }
}

// --- Version label, pictures, trace -------------------------------------------------------

TEST_F(StartUpTest, VersionLabelFollowsShowVersion) {
    init.InitAppVars();
    EXPECT_EQ(init.versionLabel(mainTable().GetText("LVersion.Caption")), "Version :  1.3.0 [70]");
    struct Case {
        const char* setting;
        bool shown;
    };
    for (const Case c : {Case{"true", true}, Case{"TRUE", true}, Case{"yes", false},
                         Case{"False", false}, Case{"", false}}) {
        EXPECT_EQ(versionLabelText("Version : ", c.setting, appData).empty(), !c.shown)
            << c.setting;
    }
}

TEST_F(StartUpTest, LoadGraphPrefersTheSkinFileElseTheResource) {
    init.InitAppVars();
    ASSERT_TRUE(fs.createDirectory("D:\\Kit\\img_ferrolis_usb_pppoe"));
    ASSERT_TRUE(fs.writeFile("D:\\Kit\\img_ferrolis_usb_pppoe\\BandoH.bmp", "BM"));
    struct Case {
        const char* key;
        bool fromFile;
        const char* path;
    };
    const Case cases[] = {
        {"Param_img_BandoH", true, "D:\\Kit\\img_ferrolis_usb_pppoe\\BandoH.bmp"},
        {"param_img_bandoh", true, "D:\\Kit\\img_ferrolis_usb_pppoe\\BandoH.bmp"},
        {"Param_img_BNext", false, "D:\\Kit\\img_ferrolis_usb_pppoe\\Button_Next.bmp"},
        {"Param_img_Unknown", false, "D:\\Kit\\img_ferrolis_usb_pppoe\\"},
        {"", false, "D:\\Kit\\img_ferrolis_usb_pppoe\\"},
    };
    for (const Case& c : cases) {
        const GraphSource source = init.LoadGraph(c.key, "BANDOH");
        EXPECT_EQ(source.fromFile, c.fromFile) << c.key;
        EXPECT_EQ(source.filePath, c.path) << c.key;
        EXPECT_EQ(source.resourceName, "BANDOH");
    }
    // A directory named like the picture is not a picture file.
    ASSERT_TRUE(fs.createDirectory("D:\\Kit\\img_ferrolis_usb_pppoe\\Button_Next.bmp"));
    EXPECT_FALSE(init.LoadGraph("Param_img_BNext", "BNEXT").fromFile);
}

TEST_F(StartUpTest, ActivateTracerSwitchesTheLogAndTheFileKeepsEarlyLines) {
    TraceLog mainLog;
    TraceFile file(mainLog, fs);
    Trace main(mainLog, "TFormWZ");
    EXPECT_FALSE(init.ActivateTracer(mainLog)); // "No" in the table, not in test mode
    main.message("not written");
    appData.TestMode = true;
    EXPECT_TRUE(init.ActivateTracer(mainLog));
    main.message("early");
    init.InitAppVars();
    file.open(dataFilePath(appData, TraceFile::kFileName));
    main.message("late");
    const std::optional<std::string> text = fs.readFile(appData.AppDataDir + "\\Trace.log");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->find("not written"), std::string::npos);
    const size_t early = text->find("\tearly\r\n");
    ASSERT_NE(early, std::string::npos);
    EXPECT_GT(text->find("\tlate\r\n"), early);

    appData.TestMode = false;
    setSetting("Active_Tracer", "TRUE");
    EXPECT_TRUE(init.ActivateTracer(mainLog));
    setSetting("Active_Tracer", "No");
    EXPECT_FALSE(init.ActivateTracer(mainLog));
    EXPECT_FALSE(mainLog.enabled());
}

// --- Crash report -------------------------------------------------------------------------

TEST(CrashReport, SubjectAndBodySubstitutions) {
    AppData data;
    data.VersionMajor = "1";
    data.VersionMinor = "3";
    data.VersionRelease = "0";
    data.VersionBuild = "70";
    EXPECT_EQ(crashReportSubject("Bug %SmallApplicationName (%Version)", data),
              "Bug DOD EZU v1.2 (V1.3.0.70)");
    EXPECT_EQ(crashReportBody("%ApplicationName\n%Version\n%SmallApplicationName",
                              "Configuration WiFi Quorvale", data),
              "Configuration WiFi Quorvale\nVersion = 1.3.0.70\n%SmallApplicationName");
    const std::string report = crashReportText(data, "Configuration WiFi Quorvale",
                                               {0xC0000005, 0x401A2B, "access violation"});
    EXPECT_EQ(report.rfind("DOD EZU v1.2 V1.3.0.70\r\n", 0), 0u);
    EXPECT_NE(report.find("Version = 1.3.0.70"), std::string::npos);
    EXPECT_NE(report.find("0xC0000005"), std::string::npos);
    EXPECT_NE(report.find("0x0000000000401A2B"), std::string::npos);
    EXPECT_NE(report.find("access violation"), std::string::npos);
    // Without an exception code (std::terminate) only the description is given.
    const std::string terminated =
        crashReportText(data, "Configuration WiFi Quorvale", {0, 0, "boom"});
    EXPECT_EQ(terminated.find("Exception code"), std::string::npos);
    EXPECT_NE(terminated.find("boom"), std::string::npos);
}

TEST(CrashReport, ModesDependOnTestMode) {
    EXPECT_EQ(crashReportModes(true).dialogType, 3);
    EXPECT_EQ(crashReportModes(true).emailSendMode, 2);
    EXPECT_EQ(crashReportModes(false).dialogType, 0);
    EXPECT_EQ(crashReportModes(false).emailSendMode, 0);
}

} // namespace
} // namespace cw
