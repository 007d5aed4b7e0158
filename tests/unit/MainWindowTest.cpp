// The main window's start-up, on simulated ports and the virtual clock.
#include "app/AppContext.h"
#include "app/MainWindow.h"
#include "platform/WindowEffects.h"
#include "sim/FakeHttp.h"
#include "sim/MemoryFileSystem.h"
#include "sim/MemoryRegistry.h"
#include "sim/ModelWindow.h"
#include "sim/SimOsFacts.h"
#include "sim/SimProcesses.h"
#include "sim/SimServices.h"
#include "sim/SimShell.h"
#include "sim/VirtualEventLoop.h"

#include "SimulatedPorts.h"

#include <gtest/gtest.h>

namespace cw {
namespace {

class MainWindowTest : public ::testing::Test, protected SimulatedPorts {
protected:
    MainWindowTest() {
        os.environment["APPDATA"] = "C:\\Users\\Ana\\AppData\\Roaming";
        os.fileVersions[os.programPath] = FileVersion{1, 3, 0, 70};
        for (const char* dir : {"C:\\Users", "C:\\Users\\Ana", "C:\\Users\\Ana\\AppData",
                                "C:\\Users\\Ana\\AppData\\Roaming"})
            EXPECT_TRUE(fs.createDirectory(dir)) << dir;
    }

    // Runs the creation handler, then lets `ms` of virtual time pass.
    TFormWZ& start(std::vector<std::string> args, uint64_t ms = 600) {
        args.insert(args.begin(), os.programPath);
        form = std::make_unique<TFormWZ>(app);
        form->FormCreate(args);
        loop.advance(ms);
        return *form;
    }
    ModelWindow& mainWindow() { return *windows.find("CwMainWindow"); }

    AppContext app{ports()};
    std::unique_ptr<TFormWZ> form;
};

TEST_F(MainWindowTest, ShowsItselfHalfASecondAfterCreation) {
    auto& f = start({}, 0);
    EXPECT_FALSE(mainWindow().isShown());
    loop.advance(490);
    EXPECT_FALSE(mainWindow().isShown());
    loop.advance(20);
    EXPECT_TRUE(mainWindow().isShown());
    EXPECT_FALSE(f.timerReadyToStart().enabled()) << "the start-up timer fires once";
    EXPECT_FALSE(loop.terminated());

    ModelWindow& w = mainWindow();
    EXPECT_EQ(w.text("LTitleApp"), "Configuration de la connexion");
    EXPECT_EQ(w.text("LVersion"), "Version :  1.3.0 [70]");
    EXPECT_EQ(w.title(), "Configuration WiFi Quorvale");
    EXPECT_FALSE(w.text("LCopyRight").empty());
}

TEST_F(MainWindowTest, QuitSwitchAnywhereEndsBeforeAnyWindowShows) {
    for (const char* arg : {"-q", "/x-Qz", "-Test"}) {
        SCOPED_TRACE(arg);
        loop = {};
        start({arg});
        const bool quits = std::string(arg) != "-Test";
        EXPECT_EQ(loop.terminated(), quits);
        EXPECT_EQ(mainWindow().isShown(), !quits);
        EXPECT_EQ(form->processKiller() == nullptr, quits);
        form.reset();
    }
}

TEST_F(MainWindowTest, NonAdministratorIsWarnedAndTheProgramEnds) {
    os.groups = {TokenGroups::Status::Read, {"S-1-1-0", "S-1-5-32-545"}};
    std::string title, text;
    windows.onModal = [&](ModelWindow& dialog) {
        title = dialog.text("LTitleWindow");
        text = dialog.text("HTML_Text");
        EXPECT_FALSE(dialog.visible("BYes"));
        dialog.click("BOK");
    };
    start({});
    EXPECT_EQ(title, "AVERTISSEMENT");
    EXPECT_EQ(text, "Vous ne disposez pas des droits 'Administrateur' sur ce poste!\r\n\r\n"
                    "         L'application va maintenant être quittée. ");
    EXPECT_TRUE(loop.terminated());
    EXPECT_FALSE(mainWindow().isShown());
    EXPECT_EQ(form->processKiller(), nullptr);
}

TEST_F(MainWindowTest, ForceAdminLetsAStandardUserRun) {
    os.groups = {TokenGroups::Status::Read, {"S-1-5-32-545"}};
    start({"-FORCEADMIN"});
    EXPECT_EQ(windows.created("CwDialog"), 0);
    EXPECT_TRUE(mainWindow().isShown());
}

TEST_F(MainWindowTest, ConflictingUtilitiesEndAtStartAndLaterOnes30sAfter) {
    const uint32_t first = processes.start("C:\\Program Files\\Vendor\\wlancfg.EXE");
    const uint32_t other = processes.start("C:\\Tools\\mywlancfg.exe");
    start({});
    EXPECT_FALSE(processes.isRunning(first));
    EXPECT_TRUE(processes.isRunning(other));

    const uint32_t later = processes.start("C:\\Vendor\\WG111.exe");
    loop.advance(30000);
    EXPECT_FALSE(processes.isRunning(later));
}

TEST_F(MainWindowTest, StartUpRecordsVersionAndDataDirectory) {
    start({});
    const AppData& d = app.appData;
    EXPECT_EQ(d.ISPName, "Quorvale");
    EXPECT_TRUE(fs.directoryExists(d.AppDataDir)) << d.AppDataDir;
    auto key = registry.open(RegRoot::CurrentUser, d.ProductKey, RegAccess::Read);
    ASSERT_TRUE(key);
    RegValue version;
    ASSERT_TRUE(key->read("Version", version));
    EXPECT_EQ(version.text, "1.3.0.70");
    EXPECT_EQ(effects.glass, 1) << "Windows 7 gets the glass attempt";
}

TEST_F(MainWindowTest, ForwardedQuitEndsTheRunningInstance) {
    auto& f = start({});
    f.commandLineForwarded({"C:\\ConfigWiFi.exe", "-t"});
    EXPECT_FALSE(loop.terminated());
    f.commandLineForwarded({"C:\\ConfigWiFi.exe", "-Q"});
    EXPECT_TRUE(loop.terminated());
}

} // namespace
} // namespace cw
