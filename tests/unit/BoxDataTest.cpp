#include "network/BoxData.h"
#include "network/BoxPage.h"

#include <gtest/gtest.h>

#include <array>

using namespace cw;
using namespace std::literals;

namespace {

class BoxDataTest : public ::testing::Test {
protected:
    BoxDataTest() {
        log.setSink([this](std::string_view line) { traced.append(line).append("\n"); });
        log.setEnabled(true);
    }

    const TQVTHD_Data& parse(std::string_view page) {
        outcome = tools.SetPageContent(page);
        return tools.Data();
    }

    TraceLog log;
    std::string traced;
    TDM_QVTHD_Tools tools{log};
    BoxPageOutcome outcome = BoxPageOutcome::EmptyPage;
};

struct FlagCase {
    std::string_view page;
    bool operational;
};

TEST_F(BoxDataTest, CableModemFlagFollowsTheEntry) {
    const FlagCase cases[] = {
        {"sCmConnectivityState = 'Operational';", true},
        {"sCmConnectivityState = 'OPERATIONAL';", true},
        {"sCmConnectivityState = 'Operational2';", false},
        {"SCMCONNECTIVITYSTATE = 'Operational';", true},
        {"  sCmConnectivityState = 'Operational'  \r", true},
        {"sCmConnectivityState = 'Operational'; var x = 'y';", true},
        {"sCmConnectivityState='Operational';", false},
        {"sCmConnectivityState = Operational;", false},
        {"sCmConnectivityState = 'Operational';\nsCmConnectivityState = 'Down';", false},
        {"sCmConnectivityState = 'Down';\nscmconnectivitystate = 'operational';", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parse(c.page).sCmConnectivityState, c.operational) << c.page;
        EXPECT_FALSE(tools.Data().sInternetConnectivityState) << c.page;
    }
}

struct TextCase {
    std::string_view page;
    std::string TQVTHD_Data::*field;
    std::string_view expected;
};

TEST_F(BoxDataTest, TextValuesAreCutTrimmedAndStripped) {
    const TextCase cases[] = {
        {"sSysName=Quorvale", &TQVTHD_Data::sSysName, "<?>"},
        {"sSysName = 'Box';' more text';", &TQVTHD_Data::sSysName, "Box"},
        {"sSysName = '  Box  ' ;", &TQVTHD_Data::sSysName, "  Box   ;"},
        {"sSysName = 'O''Brien';", &TQVTHD_Data::sSysName, "OBrien"},
        {"sSysDescr = 'a = b';", &TQVTHD_Data::sSysDescr, "a = b"},
        {"sSysDescr = 'Quorvale ; câble';", &TQVTHD_Data::sSysDescr, "Quorvale ; câble"},
        {"x = 1; sHwVer = '2.1';", &TQVTHD_Data::sHwVer, ""},
        {"sHwVer = '2.1';", &TQVTHD_Data::sSysContact, "Quorvale RIR"},
        {"sHwVer = '2.1';", &TQVTHD_Data::sSysLocation, "<?>"},
        {"<b>sSwVer</b> = 'x';", &TQVTHD_Data::sSwVer, ""},
        {"sWifiESSID = 'Quorvale-1';\nSWIFIESSID = 'Quorvale-2';", &TQVTHD_Data::sWifiESSID,
         "Quorvale-2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parse(c.page).*c.field, c.expected) << c.page;
}

struct ChannelCase {
    std::string_view page;
    std::array<std::string_view, 8> items;
};

TEST_F(BoxDataTest, ChannelsTakeSixOrEightItems) {
    const ChannelCase cases[] = {
        {"sDSChannel0 = '1,2,3,4,5,6,7,8';", {"1", "2", "3", "4", "5", "6", "7", "8"}},
        {"sDSChannel0 = '1,2,3,4,5,6';", {"1", "2", "3", "4", "5", "6"}},
        {"sDSChannel0 = '1,2,3';", {"1", "2", "3"}},
        {"sDSChannel0 = '1,2,3,4,5,6,7';", {"1", "2", "3", "4", "5", "6"}},
        {"sDSChannel0 = '1,2,3,4,5,6,7,8,9';", {"1", "2", "3", "4", "5", "6"}},
        {"sDSChannel0 = ',1,, ,2 , 3';", {"1", "2 ", " 3"}},
        {"sDSChannel0 = '';", {}},
        {"gItemSepChar = '|';\nsDSChannel0 = '1|2,5|3';", {"1", "2,5", "3"}},
        {"sDSChannel0 = '1|2|3';\ngItemSepChar = '|';", {"1", "2", "3"}},
        {"gItemSepChar = 'x';\nsDSChannel0 = '1X2x3';", {"1", "2", "3"}},
        {"gItemSepChar = '::';\nsDSChannel0 = 'a::b:c::';", {"a", "b:c"}},
        {"gItemSepChar = '';\nsDSChannel0 = 'a,b';", {"a", "b"}},
    };
    for (const auto& c : cases) {
        const TStreamData& channel = parse(c.page).sDSChannel0;
        for (int n = 1; n <= 8; ++n)
            EXPECT_EQ(channel.Item(n), c.items[n - 1]) << c.page << n;
    }
    EXPECT_EQ(tools.Data().gItemSepChar, ",") << "an empty separator leaves the default";
    EXPECT_EQ(tools.Data().sDSChannel0.Item(0), "");
    EXPECT_EQ(tools.Data().sDSChannel0.Item(9), "");
}

TEST_F(BoxDataTest, TracesUnexpectedChannelItemCount) {
    (void)parse("sUSChannel = '1,2,3';\nsDSChannel1 = '1,2,3,4,5,6';");
    EXPECT_NE(traced.find("sUSChannel : 3 items"), std::string::npos) << traced;
    EXPECT_EQ(traced.find("sDSChannel1 :"), std::string::npos) << traced;
}

struct LightCase {
    std::string_view page;
    std::array<bool, 10> on; // in the order of boxLightFields()
};

TEST_F(BoxDataTest, LightsComeFromTheLedStatus) {
    constexpr bool X = true, _ = false;
    const LightCase cases[] = {
        {"sLedGetStatus = 'ledpower,on;ledinternet,off;ledwlan,on';",
         {X, _, _, X, _, _, _, _, _, _}},
        {"sLedGetStatus = 'LEDPOWER,ON;ledlan4, On ;ledvoip2,off';",
         {X, _, _, _, _, _, _, _, _, X}},
        {"sLedGetStatus = 'ledpower,on;ledpower,off;ledinternetamber,on';",
         {_, _, X, _, _, _, _, _, _, _}},
        {"gItemSepChar = '|';\nsLedGetStatus = 'ledlan1|on;ledlan2,on';",
         {_, _, _, _, _, _, X, _, _, _}},
        {"gLineSepChar = '/';\nsLedGetStatus = 'ledvoip1,on/ledlan3,on';",
         {_, _, _, _, X, _, _, _, X, _}},
        {"sLedGetStatus = 'ledpower;on,ledwlan';", {}},
        {"sLedGetStatus = 'ledpower,on,off;ledwlan,on';", {_, _, _, X, _, _, _, _, _, _}},
        {"sLedGetStatus = '';", {}},
    };
    for (const auto& c : cases) {
        const TQVTHD_Data& data = parse(c.page);
        size_t i = 0;
        for (const BoxLightField& light : boxLightFields())
            EXPECT_EQ(data.*light.member, c.on[i++]) << c.page << " " << light.name;
    }
    EXPECT_NE(traced.find("sLedGetStatus empty"), std::string::npos);
}

TEST_F(BoxDataTest, EmptyPageLeavesTheRecordAndPageWithoutEntriesResetsIt) {
    (void)parse("sCmConnectivityState = 'Operational';\nsLedGetStatus = 'ledpower,on';");
    ASSERT_EQ(outcome, BoxPageOutcome::Parsed);
    ASSERT_TRUE(tools.Data().ledpower);

    EXPECT_TRUE(parse("").sCmConnectivityState);
    EXPECT_EQ(outcome, BoxPageOutcome::EmptyPage);

    const TQVTHD_Data& data = parse("<html><body>404 Not Found</body></html>\n\n");
    EXPECT_EQ(outcome, BoxPageOutcome::NoEntries);
    EXPECT_EQ(data, TQVTHD_Data{});
    EXPECT_FALSE(data.sCmConnectivityState);
    EXPECT_FALSE(data.sInternetConnectivityState);
}

TEST_F(BoxDataTest, MalformedLinesGiveDefaults) {
    const std::string_view pages[] = {
        "= '",        "=''",         "= ';",        "'; = ';",       "\n\n= '\n",
        "a = '\0b';", " = 'orphan'", "sSysName = ", "==== '''';;;;", "\xff\xfe = '\xc3';",
    };
    for (std::string_view page : pages) {
        const TQVTHD_Data& data = parse(page);
        EXPECT_EQ(data.sSysName, "<?>") << page;
        EXPECT_FALSE(data.sCmConnectivityState) << page;
    }
    EXPECT_EQ(parse("sHwVer = 'a\0b';"sv).sHwVer, "a\0b"sv);
}

TEST_F(BoxDataTest, TraceNeverHoldsValues) {
    (void)parse("sWifiWPADefaultKey = 'Secret-Key-42';\nsWifiESSID = 'Quorvale-9';");
    EXPECT_EQ(tools.Data().sWifiWPADefaultKey, "Secret-Key-42");
    EXPECT_NE(traced.find("TDM_QVTHD_Tools - SetPageContent"), std::string::npos);
    EXPECT_EQ(traced.find("Secret-Key-42"), std::string::npos);
}

struct StateCase {
    BoxState state;
    std::string_view name;
    bool operational;
    bool internet;
};

TEST_F(BoxDataTest, EachSimulatedStateReadsBackFromItsPage) {
    const StateCase cases[] = {
        {BoxState::Ok, "ok", true, true},
        {BoxState::CableDown, "cable-down", false, false},
        {BoxState::NoInternet, "no-internet", true, false},
        {BoxState::NotFound, "not-found", true, true},
        {BoxState::Slow, "slow", true, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(boxStateName(c.state), c.name);
        EXPECT_EQ(boxStateFromName(c.name), c.state);
        const TQVTHD_Data record = boxRecordFor(c.state);
        const TQVTHD_Data& data = parse(quickStatusPage(record));
        EXPECT_EQ(outcome, BoxPageOutcome::Parsed);
        EXPECT_EQ(data, record) << c.name;
        EXPECT_EQ(data.sCmConnectivityState, c.operational) << c.name;
        EXPECT_EQ(data.sInternetConnectivityState, c.internet) << c.name;
    }
    EXPECT_FALSE(boxStateFromName("OK").has_value());
    EXPECT_FALSE(boxStateFromName("").has_value());
}

TEST_F(BoxDataTest, PageWriterCarriesOtherSeparatorsAndDropsWhatTheFormatCannotHold) {
    TQVTHD_Data record = boxRecordFor(BoxState::Ok);
    record.gItemSepChar = "|";
    record.gLineSepChar = "#";
    record.sLedGetStatus = "ledpower|off#ledlan2|on";
    record.ledpower = false;
    record.ledinternet = false;
    record.ledwlan = false;
    record.ledlan1 = false;
    record.ledlan2 = true;
    record.sDSChannel1.Items = {"a,b", "c", "d"};
    EXPECT_EQ(parse(quickStatusPage(record)), record);

    record.sSysName = "L'box\nRIR";
    EXPECT_EQ(parse(quickStatusPage(record)).sSysName, "LboxRIR");
}

} // namespace
