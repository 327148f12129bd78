// quarlink.exe, the console build, against quarlink-sim.exe on 127.0.0.1. (A fleet on one port
// cannot be had under Wine: it refuses a second 127.x address on a port already bound.)
#include "SimProcess.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {
struct TRun {
    int ExitCode = -1;
    std::string Output; // standard output and error together
};

TRun Quarlink(const std::string& arguments) {
    TSimProcess q(WinePath(QL_QUARLINK_EXE), arguments + " --local-port 0", "");
    TRun run;
    run.ExitCode = q.Finish(20000);
    run.Output = q.Output();
    return run;
}

// The port of the "listening on 127.0.0.1:PORT" line.
std::string ListeningPort(TSimProcess& sim) {
    const std::string& out = sim.Output();
    size_t colon = out.find("127.0.0.1:");
    return colon == std::string::npos ? "0" : std::to_string(std::atoi(out.c_str() + colon + 10));
}
} // namespace

TEST(QuarlinkOnWindows, WritesAndReadsBackTheTablesChineseEntriesAndRefusesBadValues) {
    TSimProcess sim(WinePath(QL_SIM_EXE), "--port 0");
    ASSERT_TRUE(sim.Listening()) << sim.Output();
    const std::string device = "127.0.0.1 --port " + ListeningPort(sim);

    // The arguments reach the program as UTF-16 and come out as UTF-8.
    TRun write = Quarlink("write " + device + " --set can0.arbitration=预留1 --set can0.data=预留7");
    EXPECT_EQ(write.ExitCode, 0) << write.Output;
    TRun json = Quarlink("read " + device + " --json");
    EXPECT_EQ(json.ExitCode, 0) << json.Output;
    EXPECT_NE(json.Output.find("\"can0.arbitration\": \"预留1\""), std::string::npos) << json.Output;
    EXPECT_NE(json.Output.find("\"can0.data\": \"预留7\""), std::string::npos) << json.Output;
    EXPECT_NE(json.Output.find("\"mac\": \"02-00-00-0A-1B-FF\""), std::string::npos) << json.Output;

    TRun refused = Quarlink("write " + device + " --set dev-port=4x");
    EXPECT_EQ(refused.ExitCode, 2);
    EXPECT_NE(refused.Output.find("dev-port: '4x' is not a valid integer value"), std::string::npos)
        << refused.Output;
    TRun silent = Quarlink("read 127.0.0.1 --port 9 --timeout 50 --retries 1");
    EXPECT_EQ(silent.ExitCode, 3);
    EXPECT_NE(silent.Output.find("no answer from 127.0.0.1"), std::string::npos) << silent.Output;
}
