// World files: the shipped worlds load as described, and broken ones are refused with the
// path of the faulty field.
#include "sim/SimDeviceInventory.h"
#include "sim/SimOsFacts.h"
#include "sim/World.h"
#include "sim/WorldOsFacts.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace cw {
namespace {

std::string shippedWorld(const std::string& name) {
    std::ifstream in(std::string(CONFIGWIFI_SOURCE_DIR) + "/worlds/" + name);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

World load(const std::string& name) {
    std::string error;
    const std::optional<World> world = loadWorld(shippedWorld(name), error);
    EXPECT_TRUE(world) << name << ": " << error;
    return world.value_or(World{});
}

TEST(WorldTest, DefaultWorldHasOneAdapterHearingTheBoxWithTheLabelKey) {
    const World world = load("default.json");
    EXPECT_EQ(world.windows.major, 6u);
    EXPECT_EQ(world.windows.minor, 1u);
    EXPECT_EQ(world.windows.servicePack, "Service Pack 1");
    ASSERT_EQ(world.adapters.size(), 1u);
    const WorldAdapter& adapter = world.adapters[0];
    EXPECT_TRUE(adapter.dhcp);
    ASSERT_FALSE(adapter.networks.empty());
    const WorldNetwork& box = adapter.networks[0];
    EXPECT_EQ(box.ssid.rfind("Quorvale_", 0), 0u);
    EXPECT_EQ(box.key, world.box.labelKey);
    EXPECT_EQ(box.onConnect.result, WorldConnect::Result::Address);
    EXPECT_EQ(box.onConnect.afterMs, 3000u);
    EXPECT_EQ(world.box.host, "127.0.0.1");
    EXPECT_EQ(world.box.port, 8080);
}

TEST(WorldTest, ShippedWorldsDescribeTheirSituations) {
    const World two = load("two-adapters.json");
    ASSERT_EQ(two.adapters.size(), 2u);
    EXPECT_NE(two.adapters[1].name.find("Wi-Fi Wireless LAN USB Adapter"), std::string::npos);
    EXPECT_EQ(two.adapters[0].name.find("Wi-Fi Wireless LAN USB Adapter"), std::string::npos);

    const World networks = load("two-networks.json");
    ASSERT_EQ(networks.adapters.size(), 1u);
    int boxes = 0;
    for (const WorldNetwork& n : networks.adapters[0].networks)
        boxes += n.ssid.rfind("Quorvale_", 0) == 0;
    EXPECT_EQ(boxes, 2);

    const World wrong = load("wrong-key.json");
    ASSERT_EQ(wrong.adapters.size(), 1u);
    EXPECT_NE(wrong.adapters[0].networks[0].key, wrong.box.labelKey);

    const World none = load("no-adapter.json");
    EXPECT_TRUE(none.adapters.empty());
    EXPECT_FALSE(none.wirelessServiceRunning);
}

TEST(WorldTest, DeviceInventoryListsTheAdaptersAndOtherDevicesOfAClass) {
    const World world = load("default.json");
    const SimDeviceInventory inventory(world);
    std::vector<InstalledDevice> net;
    ASSERT_TRUE(inventory.devicesOfClass("net", net));
    ASSERT_EQ(net.size(), 2u);
    EXPECT_EQ(net[0].description, world.adapters[0].name);
    EXPECT_EQ(net[0].driverDate, std::optional<std::string>("6-21-2005"));
    EXPECT_EQ(net[1].description, "Ethernet Controller 10/100");
    std::vector<InstalledDevice> display;
    ASSERT_TRUE(inventory.devicesOfClass("Display", display));
    EXPECT_TRUE(display.empty());
}

TEST(WorldTest, WorldsWindowsVersionLiesOverTheRealFacts) {
    SimOsFacts real;
    real.environment["CONFIGWIFI_WORLD"] = "C:\\w.json";
    World world = load("two-adapters.json");
    const WorldOsFacts os(real, world);
    const std::optional<OsVersionInfo> version = os.versionInfo();
    ASSERT_TRUE(version);
    EXPECT_EQ(version->major, 5u);
    EXPECT_EQ(version->servicePack, "Service Pack 3");
    EXPECT_EQ(os.isWow64Process(), real.wow64);
    EXPECT_EQ(os.environmentVariable("CONFIGWIFI_WORLD"), std::optional<std::string>("C:\\w.json"));
    world.wow64 = !real.wow64;
    EXPECT_EQ(WorldOsFacts(real, world).isWow64Process(), !real.wow64);
}

TEST(WorldTest, SmallestWorldTakesTheDocumentedDefaults) {
    std::string error;
    const std::optional<World> world = loadWorld(
        R"({"adapters": [{"name": "A", "guid": "{6B29FC40-CA47-1067-B31D-00DD010662DA}",
            "networks": [{"ssid": "Quorvale_1", "onConnect": {"result": "address", "address": "10.0.0.7"}}]}]})",
        error);
    ASSERT_TRUE(world) << error;
    EXPECT_EQ(world->windows.platformId, 2u);
    EXPECT_TRUE(world->wirelessServiceRunning);
    EXPECT_TRUE(world->library.present);
    EXPECT_FALSE(world->library.direct);
    const WorldAdapter& adapter = world->adapters[0];
    EXPECT_TRUE(adapter.dhcp);
    EXPECT_FALSE(adapter.driverDate);
    const WorldConnect& connect = adapter.networks[0].onConnect;
    EXPECT_EQ(connect.afterMs, 3000u);
    EXPECT_EQ(connect.ip, (WorldAddress{"10.0.0.7", "255.255.255.0", "10.0.0.1"}));
}

TEST(WorldTest, BrokenWorldsAreRefusedWithTheFieldPath) {
    const std::string adapter = R"("name": "A", "guid": "{6B29FC40-CA47-1067-B31D-00DD010662DA}")";
    const struct {
        std::string document;
        std::string error; // the start of the message
    } cases[] = {
        {"", "not a JSON document: "},
        {"{\"adapters\": [}", "not a JSON document: "},
        {"[]", "(top): expected an object"},
        {R"({"adapter": []})", "adapter: unknown field"},
        {R"({"windows": {"major": "6"}})", "windows.major: expected a whole number from 0 to 255"},
        {R"({"windows": {"minor": -1}})", "windows.minor: expected a whole number"},
        {R"({"windows": {"build": 1.5}})", "windows.build: expected a whole number"},
        {R"({"wirelessService": "on"})", "wirelessService: expected one of \"running\", \"stopped\""},
        {R"({"library": {"direct": 1}})", "library.direct: expected true or false"},
        {R"({"library": {"failures": {"Connect": "0x7FFF0001"}}})",
         "library.failures.Connect: not a function of the Wi-Fi library"},
        {R"({"library": {"failures": {"EnumerateAdapters": 5}}})",
         "library.failures.EnumerateAdapters: expected an error code above 0x70000000"},
        {R"({"adapters": {}})", "adapters: expected an array"},
        {R"({"adapters": [{"guid": "{6B29FC40-CA47-1067-B31D-00DD010662DA}"}]})", "adapters[0].name: missing"},
        {R"({"adapters": [{"name": "A", "guid": "6B29FC40"}]})", "adapters[0].guid: expected a GUID"},
        {"{\"adapters\": [{" + adapter + "}, {" + adapter + R"(, "networks": [{"ssid": "Q", "key": 12}]}]})",
         "adapters[1].networks[0].key: expected a string"},
        {"{\"adapters\": [{" + adapter + R"(, "networks": [{"ssid": "Q", "onConnect": {"result": "soon"}}]}]})",
         "adapters[0].networks[0].onConnect.result: expected one of"},
        {"{\"adapters\": [{" + adapter + R"(, "networks": [{"ssid": "Q", "onConnect": {"result": "address"}}]}]})",
         "adapters[0].networks[0].onConnect.address: missing"},
        {"{\"adapters\": [{" + adapter +
             R"(, "networks": [{"ssid": "Q", "onConnect": {"result": "address", "address": "192.168.1"}}]}]})",
         "adapters[0].networks[0].onConnect.address: expected a dotted IPv4 address"},
        {"{\"adapters\": [{" + adapter +
             R"(, "networks": [{"ssid": "Q", "onConnect": {"result": "changing", "address": "10.0.0.2"}}]}]})",
         "adapters[0].networks[0].onConnect.changesTo: missing"},
        {"{\"adapters\": [{" + adapter +
             R"(, "networks": [{"ssid": "Q", "onConnect": {"result": "never", "afterSeconds": -2}}]}]})",
         "adapters[0].networks[0].onConnect.afterSeconds: expected a number of seconds"},
        {"{\"adapters\": [{" + adapter + R"(, "dhcp": false}]})", "adapters[0].staticAddress: missing"},
        {"{\"adapters\": [{" + adapter + R"(, "associatedWith": "Q"}]})",
         "adapters[0].associatedWith: no network of that SSID is in range"},
        {"{\"adapters\": [{" + adapter + R"(, "profiles": [{"name": "P", "secret": "x"}]}]})",
         "adapters[0].profiles[0].secret: unknown field"},
        {R"({"devices": [{"description": "D", "driverDate": 20050621}]})",
         "devices[0].driverDate: expected a string"},
        {R"({"box": {"quickStatus": "127.0.0.1"}})", "box.quickStatus: expected host:port"},
        {R"({"box": {"quickStatus": "127.0.0.1:70000"}})", "box.quickStatus: expected host:port"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(loadWorld(c.document, error)) << c.document;
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << c.document << "\n  gave: " << error;
    }
}

TEST(WorldTest, CommentsAreAllowedInEveryObject) {
    std::string error;
    EXPECT_TRUE(loadWorld(R"({"comment": "a", "windows": {"comment": "b"}, "box": {"comment": "c"}})", error))
        << error;
}

} // namespace
} // namespace cw
