// The simulated Wi-Fi library: connections on the virtual clock, scans, buffers, the profile
// store and injected errors.
#include "sim/SimWiFiLibrary.h"
#include "sim/VirtualEventLoop.h"

#include <gtest/gtest.h>

namespace cw {
namespace {

constexpr const char* kGuid = "{4E2A9C71-3B5D-4F60-8A1E-7C2D9B3F0A11}";

std::string profileXml(const std::string& name, const std::string& key) {
    return "<?xml version=\"1.0\"?>\t<WLANProfile "
           "xmlns=\"http://www.microsoft.com/networking/WLAN/profile/v1\">\t<name>" +
           name + "</name>\t<SSIDConfig>\t<SSID>\t<name>" + name +
           "</name>\t</SSID>\t</SSIDConfig>\t<connectionType>ESS</connectionType>\t"
           "<connectionMode>manual</connectionMode>\t<MSM>\t<security>\t<authEncryption>\t"
           "<authentication>WPAPSK</authentication>\t<encryption>TKIP</encryption>\t"
           "<useOneX>false</useOneX>\t</authEncryption>\t<sharedKey>\t<keyType>passPhrase</keyType>\t"
           "<protected>false</protected>\t<keyMaterial>" +
           key + "</keyMaterial>\t</sharedKey>\t</security>\t</MSM>\t</WLANProfile>";
}

World makeWorld() {
    World world;
    WorldAdapter adapter;
    adapter.name = "Wireless Network Adapter 802.11g";
    adapter.guid = kGuid;
    WorldNetwork box{"Quorvale_4F2A", "4A7C9E21B3D5F608", {}};
    box.onConnect.afterMs = 3000;
    box.onConnect.ip = {"192.168.1.20", "255.255.255.0", "192.168.1.1"};
    adapter.networks = {box, {"HOME-1234", "other", {}}, box};
    world.adapters.push_back(adapter);
    return world;
}

class SimWiFiLibraryTest : public ::testing::Test {
protected:
    // Stores a profile for the box network with `key` and connects to it.
    uint32_t connectWithKey(const std::string& key) {
        const uint32_t handle = wifi.LoadTmpProfileFromString(profileXml("Quorvale_4F2A", key));
        EXPECT_FALSE(isWiFiError(handle));
        EXPECT_EQ(wifi.SetTmpProfileToAdapter(handle, 0), 0u);
        EXPECT_EQ(wifi.FreeTmpProfile(handle), 0u);
        return wifi.ConnectToNetwork(0, "Quorvale_4F2A");
    }
    std::string address() {
        std::string a, m, g;
        EXPECT_EQ(wifi.GetAdapterCurrentIPInfo(0, a, m, g, 256), 0u);
        return a;
    }

    VirtualEventLoop loop;
    World world = makeWorld();
    SimWiFiLibrary wifi{world, loop};
};

TEST_F(SimWiFiLibraryTest, MatchingKeyGetsTheAddressAfterTheWorldsDelay) {
    loop.advance(5000); // the delay counts from the connection, not from the start
    ASSERT_EQ(connectWithKey("4A7C9E21B3D5F608"), 0u);
    std::string ssid;
    EXPECT_EQ(wifi.GetCurrentNetworkName(0, ssid, 257), 0u);
    EXPECT_EQ(ssid, "Quorvale_4F2A");
    EXPECT_EQ(address(), "0.0.0.0");
    loop.advance(2990);
    EXPECT_EQ(address(), "0.0.0.0");
    loop.advance(10);
    std::string a, m, g;
    ASSERT_EQ(wifi.GetAdapterCurrentIPInfo(0, a, m, g, 256), 0u);
    EXPECT_EQ(a, "192.168.1.20");
    EXPECT_EQ(m, "255.255.255.0");
    EXPECT_EQ(g, "192.168.1.1");

    EXPECT_EQ(wifi.DisconnectFromNetwork(0), 0u);
    EXPECT_EQ(address(), "0.0.0.0");
    EXPECT_EQ(wifi.GetCurrentNetworkName(0, ssid, 257), 0u);
    EXPECT_EQ(ssid, "");
}

TEST_F(SimWiFiLibraryTest, WrongKeyGetsAStableLinkLocalAddress) {
    ASSERT_EQ(connectWithKey("typed-wrong"), 0u);
    loop.advance(3000);
    const std::string first = address();
    EXPECT_EQ(first.rfind("169.254.", 0), 0u) << first;
    loop.advance(60000);
    EXPECT_EQ(address(), first);
}

TEST_F(SimWiFiLibraryTest, NeverAndChangingAddresses) {
    world.adapters[0].networks[0].onConnect.result = WorldConnect::Result::Never;
    world.adapters[0].networks[2].onConnect.result = WorldConnect::Result::Changing;
    world.adapters[0].networks[2].onConnect.addresses = {"192.168.1.20", "169.254.3.4"};
    {
        SimWiFiLibrary never(world, loop);
        const uint32_t h = never.LoadTmpProfileFromString(profileXml("Quorvale_4F2A", "4A7C9E21B3D5F608"));
        ASSERT_EQ(never.SetTmpProfileToAdapter(h, 0), 0u);
        ASSERT_EQ(never.ConnectToNetwork(0, "Quorvale_4F2A"), 0u);
        loop.advance(120000);
        std::string a, m, g;
        EXPECT_EQ(never.GetAdapterCurrentIPInfo(0, a, m, g, 256), 0u);
        EXPECT_EQ(a, "0.0.0.0");
    }
    // The first network of that SSID in range is joined: make the changing one the first.
    std::swap(world.adapters[0].networks[0], world.adapters[0].networks[2]);
    SimWiFiLibrary changing(world, loop);
    const uint32_t h = changing.LoadTmpProfileFromString(profileXml("Quorvale_4F2A", "4A7C9E21B3D5F608"));
    ASSERT_EQ(changing.SetTmpProfileToAdapter(h, 0), 0u);
    ASSERT_EQ(changing.ConnectToNetwork(0, "Quorvale_4F2A"), 0u);
    loop.advance(3000);
    std::vector<std::string> reads;
    for (int i = 0; i < 3; ++i) {
        std::string a, m, g;
        EXPECT_EQ(changing.GetAdapterCurrentIPInfo(0, a, m, g, 256), 0u);
        reads.push_back(a);
    }
    EXPECT_EQ(reads, (std::vector<std::string>{"192.168.1.20", "169.254.3.4", "192.168.1.20"}));
}

TEST_F(SimWiFiLibraryTest, ScanKeepsANetworkReportedTwice) {
    ASSERT_EQ(wifi.EnumerateAvailableNetworks(0, 1), 3u);
    std::vector<std::string> names;
    for (uint32_t i = 0; i < 3; ++i) {
        std::string ssid;
        EXPECT_EQ(wifi.GetAvailableNetworkName(0, i, ssid, 257), 0u);
        names.push_back(ssid);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Quorvale_4F2A", "HOME-1234", "Quorvale_4F2A"}));
    EXPECT_EQ(wifi.scanCount(), 1);
    std::string ssid;
    EXPECT_EQ(wifi.GetAvailableNetworkName(0, 3, ssid, 257), kSimWiFiBadIndex);
}

TEST_F(SimWiFiLibraryTest, TextsAreCutToTheBufferSize) {
    std::string name;
    ASSERT_EQ(wifi.GetAdapterName(0, name, 9), 0u);
    EXPECT_EQ(name, "Wireless"); // 8 characters and the terminator
    std::string guid;
    ASSERT_EQ(wifi.GetAdapterGUID(0, guid, 257), 0u);
    EXPECT_EQ(guid, kGuid);
    EXPECT_EQ(wifi.GetAdapterName(0, name, 0), kSimWiFiNoBuffer);
}

TEST_F(SimWiFiLibraryTest, BadIndexesAndHandlesAnswerErrors) {
    std::string text, m, g;
    uint32_t dhcp = 7;
    EXPECT_EQ(wifi.EnumerateAdapters(), 1u);
    EXPECT_EQ(wifi.GetAdapterName(1, text, 257), kSimWiFiBadAdapter);
    EXPECT_EQ(wifi.GetAdapterIPInfo(1, text, m, g, dhcp, 256), kSimWiFiBadAdapter);
    EXPECT_EQ(dhcp, 7u);
    EXPECT_EQ(wifi.EnumerateAvailableNetworks(5, 0), kSimWiFiBadAdapter);
    EXPECT_EQ(wifi.GetProfileName(0, 0, text, 256), kSimWiFiBadIndex);
    EXPECT_EQ(wifi.DeleteProfile(0, 0), kSimWiFiBadIndex);
    EXPECT_EQ(wifi.SetTmpProfileToAdapter(42, 0), kSimWiFiBadHandle);
    EXPECT_EQ(wifi.FreeTmpProfile(42), kSimWiFiBadHandle);
    EXPECT_EQ(wifi.LoadTmpProfileFromString("<WLANProfile><name>x</name></WLANProfile>"),
              kSimWiFiBadProfile);
    EXPECT_EQ(wifi.ConnectToNetwork(0, "Quorvale_4F2A"), kSimWiFiNoProfile);
    for (const SimWiFiCall& call : wifi.calls()) {
        if (call.function != "EnumerateAdapters") {
            EXPECT_TRUE(isWiFiError(call.result)) << call.text();
        }
    }
}

TEST_F(SimWiFiLibraryTest, ProfileStoreRoundTrip) {
    const uint32_t handle = wifi.LoadTmpProfileFromString(profileXml("Quorvale_4F2A", "a&amp;b"));
    ASSERT_FALSE(isWiFiError(handle));
    EXPECT_EQ(wifi.SetTmpProfileOption(handle, ".ConnectionMode", "auto"), 0u);
    EXPECT_EQ(wifi.SetTmpProfileToAdapter(handle, 0), 0u);
    EXPECT_EQ(wifi.FreeTmpProfile(handle), 0u);
    EXPECT_EQ(wifi.openTmpProfiles(), 0u);

    ASSERT_EQ(wifi.EnumerateProfiles(0), 1u);
    std::string name;
    EXPECT_EQ(wifi.GetProfileName(0, 0, name, 256), 0u);
    EXPECT_EQ(name, "Quorvale_4F2A");
    const std::vector<SimWiFiProfile> stored = wifi.profiles(0);
    ASSERT_EQ(stored.size(), 1u);
    EXPECT_EQ(stored[0].ssid, "Quorvale_4F2A");
    EXPECT_EQ(stored[0].key, "a&b");
    EXPECT_EQ(stored[0].authentication, "WPAPSK");
    EXPECT_EQ(stored[0].options.at(".ConnectionMode"), "auto");

    // Applying a profile of the same name replaces it.
    const uint32_t again = wifi.LoadTmpProfileFromString(profileXml("quorvale_4f2a", "new"));
    EXPECT_EQ(wifi.SetTmpProfileToAdapter(again, 0), 0u);
    ASSERT_EQ(wifi.EnumerateProfiles(0), 1u);
    EXPECT_EQ(wifi.profiles(0)[0].key, "new");

    EXPECT_EQ(wifi.DeleteProfile(0, 0), 0u);
    EXPECT_EQ(wifi.EnumerateProfiles(0), 0u);
    // The call log never shows the key.
    for (const SimWiFiCall& call : wifi.calls())
        EXPECT_EQ(call.arguments.find("a&amp;b"), std::string::npos) << call.text();
}

TEST_F(SimWiFiLibraryTest, InjectedErrorAnswersInsteadOfTheFunction) {
    ASSERT_TRUE(wifi.injectError("EnumerateAdapters", 0x7FFF0001, 1));
    EXPECT_EQ(wifi.EnumerateAdapters(), 0x7FFF0001u);
    EXPECT_EQ(wifi.EnumerateAdapters(), 1u); // only once

    ASSERT_TRUE(wifi.injectError("ConnectToNetwork", 0x7FFF0002));
    EXPECT_EQ(connectWithKey("4A7C9E21B3D5F608"), 0x7FFF0002u);
    std::string ssid;
    EXPECT_EQ(wifi.GetCurrentNetworkName(0, ssid, 257), 0u);
    EXPECT_EQ(ssid, ""); // nothing was joined
    EXPECT_EQ(connectWithKey("4A7C9E21B3D5F608"), 0x7FFF0002u);
    wifi.clearInjectedErrors();
    EXPECT_EQ(connectWithKey("4A7C9E21B3D5F608"), 0u);

    EXPECT_FALSE(wifi.injectError("NoSuchFunction", 0x7FFF0003));
    EXPECT_EQ(wifi.callCount("ConnectToNetwork"), 3);
    EXPECT_EQ(wifi.calls().back().text(), "ConnectToNetwork(0, \"Quorvale_4F2A\")");
}

TEST_F(SimWiFiLibraryTest, WorldFailuresAndAbsentLibrary) {
    world.library.failures["InstallDriver"] = 0x7FFF0010;
    SimWiFiLibrary failing(world, loop);
    EXPECT_EQ(failing.InstallDriver(0), 0x7FFF0010u);
    EXPECT_FALSE(failing.driverInstalled());

    world.library.present = false;
    SimWiFiLibrary absent(world, loop);
    EXPECT_EQ(absent.EnumerateAdapters(), kSimWiFiNoLibrary);
    EXPECT_EQ(absent.IsDirectWIFI(), kSimWiFiNoLibrary);
}

TEST_F(SimWiFiLibraryTest, ServiceModeAndIpSettings) {
    world.library.direct = true;
    world.wirelessServiceRunning = true;
    world.adapters[0].dhcp = false;
    world.adapters[0].staticIp = {"192.168.0.50", "255.255.255.0", "192.168.0.1"};
    SimWiFiLibrary lib(world, loop);
    EXPECT_EQ(lib.IsDirectWIFI(), 1u);
    EXPECT_EQ(lib.GetWIFIServiceStatus(), 1u);
    EXPECT_EQ(lib.SetWIFIServiceStatus(0), 0u);
    EXPECT_EQ(lib.GetWIFIServiceStatus(), 0u);
    EXPECT_EQ(lib.SetStorageOptions("C:\\Data\\Profiles.dat", 0), 0u);
    EXPECT_EQ(lib.storagePath(), "C:\\Data\\Profiles.dat");
    EXPECT_EQ(lib.SetLibraryOption(kOptionScanTimeMs, 3000), 0u);
    EXPECT_EQ(lib.GetLibraryOption(kOptionScanTimeMs), 3000u);

    std::string a, m, g;
    uint32_t dhcp = 9;
    ASSERT_EQ(lib.GetAdapterIPInfo(0, a, m, g, dhcp, 256), 0u);
    EXPECT_EQ(dhcp, 0u);
    EXPECT_EQ(a, "192.168.0.50");
    EXPECT_EQ(lib.SetAdapterIPInfo(0, a, m, g, 1), 0u);
    ASSERT_EQ(lib.GetAdapterIPInfo(0, a, m, g, dhcp, 256), 0u);
    EXPECT_EQ(dhcp, 1u);
    EXPECT_EQ(a, "0.0.0.0"); // on DHCP and not connected: no address yet
}

} // namespace
} // namespace cw
