// The real Wi-Fi library binding: without WiFiMan.dll every call fails; with a stand-in
// library the arguments and buffers reach it as given and a missing function fails alone.
// Also the device inventory over SetupAPI, which under Wine lists no real network devices:
// only that it answers is checked.
#include "win32/Win32DeviceInventory.h"
#include "win32/Win32WiFiLibrary.h"

#include "app/Trace.h"
#include "win32/WinString.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace cw {
namespace {

std::string testFolder() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length);
    folder.resize(folder.find_last_of(L'\\') + 1);
    return win::narrow(folder);
}

// Every function of the library, called once with plain arguments.
std::vector<std::pair<std::string, uint32_t>> callEveryFunction(WiFiLibrary& lib, std::string& a,
                                                               uint32_t& dhcp) {
    std::string m, g;
    const std::vector<std::pair<std::string, std::function<uint32_t()>>> calls{
        {"InstallDriver", [&] { return lib.InstallDriver(0); }},
        {"SetLibraryOption", [&] { return lib.SetLibraryOption(0, 1); }},
        {"GetLibraryOption", [&] { return lib.GetLibraryOption(1); }},
        {"IsNativeWIFI", [&] { return lib.IsNativeWIFI(); }},
        {"IsDirectWIFI", [&] { return lib.IsDirectWIFI(); }},
        {"GetWIFIManagerVersion", [&] { return lib.GetWIFIManagerVersion(); }},
        {"GetWIFIServiceStatus", [&] { return lib.GetWIFIServiceStatus(); }},
        {"SetWIFIServiceStatus", [&] { return lib.SetWIFIServiceStatus(1); }},
        {"SetStorageOptions", [&] { return lib.SetStorageOptions("C:\\Profiles.dat", 0); }},
        {"EnumerateAdapters", [&] { return lib.EnumerateAdapters(); }},
        {"GetAdapterName", [&] { return lib.GetAdapterName(0, a, 257); }},
        {"GetAdapterGUID", [&] { return lib.GetAdapterGUID(0, a, 257); }},
        {"GetAdapterIPInfo", [&] { return lib.GetAdapterIPInfo(0, a, m, g, dhcp, 256); }},
        {"SetAdapterIPInfo", [&] { return lib.SetAdapterIPInfo(0, "1.2.3.4", "255.0.0.0", "1.2.3.1", 1); }},
        {"GetAdapterCurrentIPInfo", [&] { return lib.GetAdapterCurrentIPInfo(0, a, m, g, 256); }},
        {"EnumerateAvailableNetworks", [&] { return lib.EnumerateAvailableNetworks(0, 1); }},
        {"GetAvailableNetworkName", [&] { return lib.GetAvailableNetworkName(0, 0, a, 257); }},
        {"GetCurrentNetworkName", [&] { return lib.GetCurrentNetworkName(0, a, 257); }},
        {"EnumerateProfiles", [&] { return lib.EnumerateProfiles(0); }},
        {"GetProfileName", [&] { return lib.GetProfileName(0, 0, a, 256); }},
        {"DeleteProfile", [&] { return lib.DeleteProfile(0, 0); }},
        {"LoadTmpProfileFromString", [&] { return lib.LoadTmpProfileFromString("<WLANProfile/>"); }},
        {"SetTmpProfileOption", [&] { return lib.SetTmpProfileOption(1, ".ConnectionMode", "auto"); }},
        {"SetTmpProfileToAdapter", [&] { return lib.SetTmpProfileToAdapter(1, 0); }},
        {"FreeTmpProfile", [&] { return lib.FreeTmpProfile(1); }},
        {"ConnectToNetwork", [&] { return lib.ConnectToNetwork(0, "Quorvale_4F2A"); }},
        {"DisconnectFromNetwork", [&] { return lib.DisconnectFromNetwork(0); }},
        {"FreeAllResources", [&] { return lib.FreeAllResources(); }},
    };
    std::vector<std::pair<std::string, uint32_t>> results;
    for (const auto& [name, call] : calls) results.emplace_back(name, call());
    return results;
}

class Win32WiFiLibraryTest : public ::testing::Test {
protected:
    Win32WiFiLibraryTest() {
        log.setSink([this](std::string_view line) { lines.emplace_back(line); });
        log.setEnabled(true);
    }
    // What the stand-in library received since the last question, one call a line.
    std::string received() {
        HMODULE fake = GetModuleHandleW(L"WiFiMan.dll");
        EXPECT_NE(fake, nullptr);
        using Received = DWORD(WINAPI*)(char*, DWORD);
        const auto f = reinterpret_cast<Received>(
            reinterpret_cast<void*>(GetProcAddress(fake, "FakeWiFiMan_Received")));
        if (!f) return "<no FakeWiFiMan_Received>";
        char text[4096] = {};
        f(text, sizeof text);
        return text;
    }

    TraceLog log;
    std::vector<std::string> lines;
    Trace trace{log, "TDM_WiFi_Mgr_NG"};
};

TEST_F(Win32WiFiLibraryTest, WithoutTheLibraryEveryCallFailsAndTheAbsenceIsTracedOnce) {
    Win32WiFiLibrary lib(testFolder() + "no-such-folder\\WiFiMan.dll", trace);
    EXPECT_FALSE(lib.loaded());
    std::string text = "untouched";
    uint32_t dhcp = 5;
    const auto results = callEveryFunction(lib, text, dhcp);
    EXPECT_EQ(results.size(), 28u);
    EXPECT_EQ(text, "untouched") << "a failed call leaves the caller's texts alone";
    EXPECT_EQ(dhcp, 5u);
    for (const auto& [name, result] : results) EXPECT_EQ(result, kWiFiLibraryMissing) << name;
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("WiFiMan.dll"), std::string::npos) << lines[0];
}

TEST_F(Win32WiFiLibraryTest, ProgramFolderPathNamesTheLibraryBesideTheProgram) {
    EXPECT_EQ(Win32WiFiLibrary::programFolderPath(), testFolder() + "WiFiMan.dll");
}

TEST_F(Win32WiFiLibraryTest, ArgumentsAndBuffersReachTheLibrary) {
    Win32WiFiLibrary lib(testFolder() + "fake-wifiman\\WiFiMan.dll", trace);
    ASSERT_TRUE(lib.loaded());
    (void)received();

    EXPECT_EQ(lib.EnumerateAdapters(), 2u);
    std::string name;
    EXPECT_EQ(lib.GetAdapterName(0, name, 257), 0u);
    EXPECT_EQ(name, "Wi-Fi Wireless LAN USB Adapter");
    EXPECT_EQ(lib.GetAdapterName(0, name, 6), 0u);
    EXPECT_EQ(name, "Wi-Fi"); // the library had 6 bytes, terminator included
    name = "kept";
    EXPECT_EQ(lib.GetAdapterName(2, name, 257), 0x70000001u);
    EXPECT_EQ(name, "kept");

    std::string address, mask, gateway;
    uint32_t dhcp = 1;
    EXPECT_EQ(lib.GetAdapterIPInfo(1, address, mask, gateway, dhcp, 256), 0u);
    EXPECT_EQ(address, "192.168.0.50");
    EXPECT_EQ(mask, "255.255.255.0");
    EXPECT_EQ(gateway, "192.168.0.1");
    EXPECT_EQ(dhcp, 0u);
    EXPECT_EQ(lib.SetAdapterIPInfo(1, address, mask, gateway, 1), 0u);
    EXPECT_EQ(lib.SetStorageOptions("C:\\Users\\Client\\AppData\\Profiles.dat", 0), 0u);
    EXPECT_EQ(lib.ConnectToNetwork(1, "Quorvale_4F2A"), 0u);
    EXPECT_EQ(lib.SetLibraryOption(3, 3000), 0x70000002u);
    EXPECT_EQ(lib.LoadTmpProfileFromString(std::string(300, 'x')), 7u);

    EXPECT_EQ(received(), "GetAdapterName 0 257\n"
                             "GetAdapterName 0 6\n"
                             "GetAdapterName 2 257\n"
                             "GetAdapterIPInfo 1 256\n"
                             "SetAdapterIPInfo 1 192.168.0.50 255.255.255.0 192.168.0.1 1\n"
                             "SetStorageOptions C:\\Users\\Client\\AppData\\Profiles.dat 0\n"
                             "ConnectToNetwork 1 Quorvale_4F2A\n"
                             "SetLibraryOption 3 3000\n"
                             "LoadTmpProfileFromString 300\n");
    EXPECT_TRUE(lines.empty());
}

TEST_F(Win32WiFiLibraryTest, AnsiTextsAreConvertedBothWays) {
    if (GetACP() != 1252) GTEST_SKIP() << "the ANSI code page is " << GetACP();
    Win32WiFiLibrary lib(testFolder() + "fake-wifiman\\WiFiMan.dll", trace);
    (void)received();
    std::string name;
    EXPECT_EQ(lib.GetAdapterName(1, name, 257), 0u);
    EXPECT_EQ(name, "Carte réseau sans fil");
    EXPECT_EQ(lib.ConnectToNetwork(0, "Café"), 0u);
    EXPECT_EQ(received(), "GetAdapterName 1 257\nConnectToNetwork 0 Caf\xe9\n");
}

TEST_F(Win32WiFiLibraryTest, MissingFunctionFailsAloneAndIsTracedOnce) {
    Win32WiFiLibrary lib(testFolder() + "fake-wifiman\\WiFiMan.dll", trace);
    ASSERT_TRUE(lib.loaded());
    EXPECT_EQ(lib.DisconnectFromNetwork(0), kWiFiLibraryMissing);
    EXPECT_EQ(lib.DisconnectFromNetwork(1), kWiFiLibraryMissing);
    EXPECT_EQ(lib.EnumerateAdapters(), 2u);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("DisconnectFromNetwork"), std::string::npos) << lines[0];

    // Only the stand-in's few functions answer; all others fail.
    std::string text;
    uint32_t dhcp = 1;
    int answered = 0;
    for (const auto& [name, result] : callEveryFunction(lib, text, dhcp))
        if (result != kWiFiLibraryMissing) ++answered;
    EXPECT_EQ(answered, 8);
}

TEST(Win32DeviceInventoryTest, NetworkClassListsWithoutError) {
    TraceLog log;
    Trace trace(log, "Test");
    Win32DeviceInventory inventory(trace);
    std::vector<InstalledDevice> devices{{"stale", "Net", std::nullopt}};
    ASSERT_TRUE(inventory.devicesOfClass("Net", devices));
    for (const InstalledDevice& device : devices) EXPECT_EQ(device.setupClass, "Net") << device.description;
    ASSERT_TRUE(inventory.devicesOfClass("NoSuchSetupClass", devices));
    EXPECT_TRUE(devices.empty());
}

} // namespace
} // namespace cw
