// quarlink-sim's command line: what it refuses never reaches a socket.
#include "SimOptions.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
SimOptions Parse(std::vector<const char*> args) {
    args.insert(args.begin(), "quarlink-sim");
    return ParseSimOptions(static_cast<int>(args.size()), args.data());
}

std::string Refusal(std::vector<const char*> args) {
    try {
        Parse(args);
    } catch (const std::invalid_argument& e) {
        return e.what();
    }
    return "(accepted)";
}
} // namespace

TEST(SimOptions, AFloodGoesOnlyToLoopbackAndIsBounded) {
    // Parsed only: a refused target is never sent to.
    for (const char* target : {"10.0.0.1:4800", "128.0.0.1:4800", "126.255.255.255:4800", "0.0.0.0:4800"})
        EXPECT_NE(Refusal({"--flood", "100", "--to", target, "--for", "1"}).find("loopback"),
                  std::string::npos)
            << target;
    SimOptions o = Parse({"--flood", "100000", "--to", "127.255.255.254:4800", "--for", "0.25"});
    ASSERT_TRUE(o.Flood);
    EXPECT_EQ(o.Flood->Rate, 100000u);
    EXPECT_EQ(EndpointText(o.Flood->Target), "127.255.255.254:4800");
    EXPECT_DOUBLE_EQ(o.Flood->Seconds, 0.25);

    for (std::vector<const char*> bad : std::vector<std::vector<const char*>>{
             {"--flood", "100001", "--to", "127.0.0.1:4800", "--for", "1"},
             {"--flood", "0", "--to", "127.0.0.1:4800", "--for", "1"},
             {"--flood", "100", "--to", "127.0.0.1:4800", "--for", "61"},
             {"--flood", "100", "--to", "127.0.0.1:0", "--for", "1"},
             {"--flood", "100", "--to", "127.0.0.1:4800"},
             {"--flood", "100", "--to", "127.0.0.1:4800", "--for", "1", "--fleet", "2"},
         })
        EXPECT_NE(Refusal(bad), "(accepted)") << bad[1] << " " << bad.back();
}

TEST(SimOptions, AFleetStaysOnLoopbackAndTakesItsMacsFromItsAddresses) {
    SimOptions o = Parse({"--fleet", "254", "--loss", "0.1"});
    EXPECT_EQ(o.Fleet, 254u);
    EXPECT_EQ(AddressText(FleetBase(o)), "127.0.0.2");
    EXPECT_DOUBLE_EQ(o.Loss, 0.1);
    EXPECT_EQ(AddressText(FleetBase(Parse({"--fleet", "2", "--bind", "127.0.9.250"}))), "127.0.9.250");
    EXPECT_NE(Refusal({"--fleet", "255"}), "(accepted)");
    EXPECT_NE(Refusal({"--fleet", "0"}), "(accepted)");
    EXPECT_NE(Refusal({"--fleet", "3", "--bind", "127.255.255.254"}).find("127.0.0.0/8"), std::string::npos);
    EXPECT_NE(Refusal({"--fleet", "3", "--bind", "10.0.0.1"}).find("127.0.0.0/8"), std::string::npos);
    EXPECT_NE(Refusal({"--fleet", "3", "--mac", "02-00-00-00-00-01"}), "(accepted)");
    EXPECT_NE(Refusal({"--loss", "1"}), "(accepted)");
    EXPECT_NE(Refusal({"--loss", "-0.1"}), "(accepted)");
}
