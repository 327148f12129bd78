// The device stand-in run as the real program, over loopback UDP. A test that binds port 3000 does
// so on a 127.0.N.x range of its own: ctest runs tests side by side.
#include "ChildProcess.h"
#include "DeviceProtocol.h"
#include "LoopbackPeer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <map>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

// The port of the "listening on 127.0.0.1:PORT" line.
uint16_t ListeningPort(ChildProcess& sim) {
    std::string line = sim.ReadLine();
    auto colon = line.rfind(':');
    EXPECT_EQ(line.rfind("listening on 127.0.0.1:", 0), 0u) << line;
    return colon == std::string::npos ? 0 : static_cast<uint16_t>(std::stoi(line.substr(colon + 1)));
}

// The test's side of the conversation with one stand-in.
class Client {
  public:
    explicit Client(uint16_t simPort, const IPv4Address& sim = {127, 0, 0, 1}) : FSim{sim, simPort} {}
    void Send(const Bytes& bytes) { FPeer.Send(FSim, bytes); }
    // The next datagram within `ms`, empty when none; only the stand-in may answer.
    Bytes Receive(int ms = 1000) {
        Datagram d = FPeer.Receive(ms);
        if (d.Arrived) {
            EXPECT_EQ(EndpointText(d.From), EndpointText(FSim));
        }
        return d.Bytes;
    }

  private:
    LoopbackPeer FPeer;
    UdpEndpoint FSim;
};

template <size_t N> Bytes ToBytes(const std::array<uint8_t, N>& a) {
    return Bytes(a.begin(), a.end());
}

const Bytes ReadBytes = ToBytes(ReadRequest);
const MacAddress DefaultMac{0x02, 0x00, 0x00, 0x0A, 0x1B, 0xFF};

} // namespace

TEST(QuarlinkSim, AnswersReadsAndKeepsWhatIsWritten) {
    ChildProcess sim(QUARLINK_SIM_PATH, {"--port", "0"});
    Client client(ListeningPort(sim));

    client.Send({0x01, 0x02, 0x03}); // not a command: no answer
    client.Send(ReadBytes);
    DeviceAnswer expected{RecordFromFields(DefaultDeviceFields()), DefaultMac};
    EXPECT_EQ(client.Receive(), ToBytes(EncodeDeviceAnswer(expected)));

    DeviceFields fields = DefaultDeviceFields();
    fields.DevIP[3] = "102";
    fields.Can[1].Custom = true;
    expected.Record = RecordFromFields(fields);
    client.Send(ToBytes(EncodeWriteCommand(expected.Record)));
    EXPECT_EQ(client.Receive(), ToBytes(EncodeDeviceAnswer(expected)));
    client.Send(ReadBytes);
    EXPECT_EQ(client.Receive(), ToBytes(EncodeDeviceAnswer(expected)));
    EXPECT_TRUE(client.Receive(50).empty());

    EXPECT_NE(sim.ReadLine().find("3: 01 02 03 (ignored)"), std::string::npos);
    EXPECT_EQ(sim.ReadLine().substr(0, 4), "in  ");
    EXPECT_EQ(sim.ReadLine().substr(0, 4), "out ");
    sim.Signal(SIGTERM);
    EXPECT_EQ(sim.Wait(), 0);
}

TEST(QuarlinkSim, OnceServesTheGivenRecordAndMacThenExits) {
    Bytes record(DeviceConfigRecordSize);
    for (size_t i = 0; i < record.size(); ++i)
        record[i] = static_cast<uint8_t>(i * 7);
    std::string hex;
    for (uint8_t b : record) { // mixed case on purpose
        hex += "0123456789abcdef"[b >> 4];
        hex += "0123456789ABCDEF"[b & 15];
    }
    ChildProcess sim(QUARLINK_SIM_PATH, {"--bind", "127.0.0.1", "--port", "0", "--record", hex, "--mac",
                                         "AA:bb:CC:00:11:22", "--once"});
    Client client(ListeningPort(sim));
    client.Send(ReadBytes);
    Bytes expected = record;
    expected.insert(expected.end(), {0xAA, 0xBB, 0xCC, 0x00, 0x11, 0x22});
    EXPECT_EQ(client.Receive(), expected);
    EXPECT_EQ(sim.Wait(), 0);
}

TEST(QuarlinkSim, MalformedOptionsAreRefused) {
    for (std::vector<std::string> args :
         std::vector<std::vector<std::string>>{{"--port", "65536"},
                                               {"--port", "-1"},
                                               {"--port"},
                                               {"--bind", "127.0.0"},
                                               {"--bind", "1.2.3.256"},
                                               {"--record", "00"},
                                               {"--record", std::string(89, '0') + "g"},
                                               {"--mac", "02-00-00-0A-1B"},
                                               {"--mac", "02-00-00-0A-1B-FG"},
                                               {"--verbose"}}) {
        EXPECT_EQ(RunProgram(QUARLINK_SIM_PATH, args).ExitCode, 2)
            << args[0] << " " << (args.size() > 1 ? args[1] : "");
    }
}

TEST(QuarlinkSim, AFleetAnswersFromEachDevicesAddressWithItsOwnRecordAndMac) {
    ChildProcess sim(QUARLINK_SIM_PATH, {"--fleet", "3", "--bind", "127.0.41.2"});
    ASSERT_EQ(sim.ReadLine(), "listening on 127.0.41.2:3000 .. 127.0.41.4:3000 (3 devices)");
    Client second(DeviceCommandPort, {127, 0, 41, 3}), third(DeviceCommandPort, {127, 0, 41, 4});
    const DeviceConfigRecord defaults = RecordFromFields(DefaultDeviceFields());
    DeviceConfigRecord changed = defaults;
    changed.DevUdpPort = 4321;
    second.Send(ToBytes(EncodeWriteCommand(changed)));
    EXPECT_EQ(second.Receive(), ToBytes(EncodeDeviceAnswer({changed, {0x02, 0x00, 127, 0, 41, 3}})));
    third.Send(ReadBytes);
    EXPECT_EQ(third.Receive(), ToBytes(EncodeDeviceAnswer({defaults, {0x02, 0x00, 127, 0, 41, 4}})));
    EXPECT_EQ(sim.ReadLine().rfind("127.0.41.3 in  127.0.0.1:", 0), 0u);
}

TEST(QuarlinkSim, LossDropsAShareOfCommandsAndLogsEachDrop) {
    ChildProcess sim(QUARLINK_SIM_PATH, {"--port", "0", "--loss", "0.5"});
    Client client(ListeningPort(sim));
    int answers = 0;
    const int commands = 40;
    for (int i = 0; i < commands; ++i) {
        client.Send(ReadBytes);
        answers += client.Receive(50).empty() ? 0 : 1;
    }
    EXPECT_GT(answers, 8);
    EXPECT_LT(answers, 32);
    int dropped = 0;
    for (int line = 0; line < commands + answers; ++line)
        dropped += sim.ReadLine().find("2: CC DD (dropped)") != std::string::npos;
    EXPECT_EQ(dropped, commands - answers);
}

namespace {
struct FloodSeen {
    std::map<std::string, int> Kinds; // "device answer", "other short", ...
    int Total = 0;
};

std::string Shape(size_t length) {
    if (length == DeviceAnswerSize) return "answer";
    return length < DeviceAnswerSize ? "short" : length > 2048 ? "oversized" : "odd";
}

// Answers from the device port carry the record and a 02-F1 MAC; everything else is 0xEE filler.
void Classify(const Datagram& d, const UdpEndpoint& device, FloodSeen& seen) {
    bool fromDevice = d.From == device;
    std::string kind = (fromDevice ? "device " : "other ") + Shape(d.Bytes.size());
    ++seen.Kinds[kind];
    ++seen.Total;
    if (kind == "device answer") {
        auto answer = DecodeDeviceAnswer(d.Bytes.data(), d.Bytes.size());
        EXPECT_EQ(answer->Record, RecordFromFields(DefaultDeviceFields()));
        EXPECT_EQ(answer->Mac[1], 0xF1);
        return;
    }
    EXPECT_EQ(std::count(d.Bytes.begin(), d.Bytes.end(), 0xEE), static_cast<long>(d.Bytes.size())) << kind;
}
} // namespace

TEST(QuarlinkSim, AFloodSendsEveryKindFromTheDevicePortAndOthersWithinItsBounds) {
    LoopbackPeer target({127, 0, 42, 1});
    ChildProcess sim(QUARLINK_SIM_PATH, {"--flood", "2000", "--to", EndpointText(target.Local()), "--for",
                                         "0.5", "--bind", "127.0.42.2"});
    FloodSeen seen;
    for (Datagram d; (d = target.Receive(300)).Arrived;)
        Classify(d, {{127, 0, 42, 2}, DeviceCommandPort}, seen);
    EXPECT_EQ(sim.Wait(), 0);
    EXPECT_EQ(sim.ReadLine(), "flooding " + EndpointText(target.Local()) + ": 2000 datagrams a second for 0.5 s");
    std::string summary = sim.ReadLine();
    EXPECT_EQ(summary.rfind("flood: 1000 datagrams to " + EndpointText(target.Local()), 0), 0u) << summary;
    EXPECT_LE(seen.Total, 1000);
    EXPECT_GE(seen.Total, 900); // loopback loses only when a receive buffer overflows
    for (const char* kind : {"device answer", "device short", "device oversized", "other answer",
                             "other short", "other oversized"})
        EXPECT_GT(seen.Kinds[kind], 100) << kind;
    EXPECT_EQ(seen.Kinds["device odd"] + seen.Kinds["other odd"], 0);
}
