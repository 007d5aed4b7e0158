#include "app/Dico.h"

#include <gtest/gtest.h>

using namespace cw;

TEST(Dico, InsertsModifiesAndReadsIgnoringCase) {
    TDico dico("Adapters");
    EXPECT_EQ(dico.InsertOrModif("IP", "192.168.1.2"), Dico_Inserted);
    EXPECT_EQ(dico.InsertOrModif("Mask", "255.255.255.0"), Dico_Inserted);
    EXPECT_EQ(dico.InsertOrModif("ip", "10.0.0.1"), Dico_Modified);
    EXPECT_EQ(dico.count(), 2u);
    std::string value = "stale";
    EXPECT_EQ(dico.ReadDico2("IP", value), Dico_Found);
    EXPECT_EQ(value, "10.0.0.1");
    EXPECT_EQ(dico.ReadDico3("GATEWAY", value), Dico_NotFound);
    EXPECT_EQ(value, "");
    dico.DeleteAll();
    EXPECT_EQ(dico.ReadDico2("ip", value), Dico_NotFound);
}

TEST(Dico, CopiesIntoAnotherDictionary) {
    TDico source("Scenario");
    source.InsertOrModif("Host", "box");
    source.InsertOrModif("Port", "23");
    TDico target("Copy");
    target.InsertOrModif("port", "21");
    target.InsertOrModif("Other", "x");

    EXPECT_EQ(source.CopytoDico(&target, false), Dico_Copied);
    std::string value;
    EXPECT_EQ(target.ReadDico2("Port", value), Dico_Found);
    EXPECT_EQ(value, "23");
    EXPECT_EQ(target.count(), 3u);

    EXPECT_EQ(source.CopytoDico(&target, true), Dico_Copied);
    EXPECT_EQ(target.count(), 2u);
    EXPECT_EQ(target.ReadDico2("Other", value), Dico_NotFound);

    EXPECT_EQ(source.CopytoDico(nullptr, true), Dico_InvalidTarget);
    EXPECT_EQ(source.CopytoDico(&source, true), Dico_InvalidTarget);
    EXPECT_EQ(source.count(), 2u);
}

TEST(Dico, TracesWithItsNameButNeverValues) {
    TraceLog log;
    std::string lines;
    log.setSink([&](std::string_view l) { lines.append(l).append("\n"); });
    log.setEnabled(true);
    Trace trace(log, "TDico");
    TDico dico("TelnetScenario", &trace);
    dico.InsertOrModif("Password", "s3cret!");
    std::string value;
    dico.ReadDico2("Missing", value);
    EXPECT_NE(lines.find("TDico[TelnetScenario]"), std::string::npos);
    EXPECT_NE(lines.find("Password"), std::string::npos);
    EXPECT_EQ(lines.find("s3cret!"), std::string::npos);
}
