// quarlink run as the real program against quarlink-sim fleets and against the test playing the
// device. Each test's devices live on a 127.0.N.x range of their own: ctest runs tests side by side.
#include "ChildProcess.h"
#include "DeviceProtocol.h"
#include "HexText.h"
#include "LoopbackPeer.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <fstream>
#include <future>
#include <iostream>
#include <memory>
#include <unistd.h>

namespace {

using Args = std::vector<std::string>;
using Bytes = std::vector<uint8_t>;

template <size_t N> Bytes ToBytes(const std::array<uint8_t, N>& a) {
    return Bytes(a.begin(), a.end());
}

// Answers come to a port of the system's choosing, so that tests running side by side never meet.
ProcessResult Quarlink(Args args) {
    args.insert(args.end(), {"--local-port", "0"});
    return RunProgram(QUARLINK_PATH, args);
}

std::unique_ptr<ChildProcess> StartSim(const Args& args) {
    auto sim = std::make_unique<ChildProcess>(QUARLINK_SIM_PATH, args);
    std::string line = sim->ReadLine(3000);
    EXPECT_EQ(line.rfind("listening on ", 0), 0u) << line;
    return sim;
}

// "127.0.N.first" and the `count - 1` addresses after it.
Args Hosts(int n, int first, int count) {
    Args hosts;
    for (int i = first; i < first + count; ++i)
        hosts.push_back("127.0." + std::to_string(n) + "." + std::to_string(i));
    return hosts;
}

Args Join(Args a, const Args& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::string SaveFile(const std::string& name, const std::string& text) {
    std::string path = testing::TempDir() + std::to_string(getpid()) + "-" + name;
    std::ofstream(path) << text;
    return path;
}

// The stand-in's answer, asked for directly: what it really keeps.
DeviceAnswer RawRead(const IPv4Address& device) {
    LoopbackPeer peer;
    peer.Send({device, DeviceCommandPort}, ToBytes(ReadRequest));
    Datagram d = peer.Receive();
    auto answer = DecodeDeviceAnswer(d.Bytes.data(), d.Bytes.size());
    EXPECT_TRUE(answer) << AddressText(device) << " did not answer";
    return answer.value_or(DeviceAnswer{});
}

DeviceConfigRecord Defaults() {
    return RecordFromFields(DefaultDeviceFields());
}

size_t Count(const std::string& text, const std::string& part) {
    size_t n = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

} // namespace

TEST(Quarlink, AFleetOfFiftyIsReadInOneRunInUnderASecond) {
    auto sim = StartSim({"--fleet", "50", "--bind", "127.0.51.2"});
    std::string list = "# cabinet 1\n\n";
    for (const auto& host : Hosts(51, 2, 50))
        list += "  " + host + "\n";
    ProcessResult r = Quarlink({"read", "--hosts", SaveFile("fleet.txt", list), "--json"});
    ASSERT_EQ(r.ExitCode, 0) << r.Err;
    std::cout << "[  TIMING  ] 50 devices read in one run: " << r.Seconds * 1000 << " ms\n";
    EXPECT_LT(r.Seconds, 1.0);
    EXPECT_EQ(r.Err, "");
    auto json = nlohmann::json::parse(r.Out);
    ASSERT_EQ(json.size(), 50u);
    for (int i = 2; i < 52; ++i) // each answer is filed under the address it came from
        EXPECT_EQ(json["127.0.51." + std::to_string(i)]["mac"],
                  "02-00-7F-00-33-" + HexText(std::array<uint8_t, 1>{uint8_t(i)}.data(), 1));
}

TEST(Quarlink, WithATenthOfCommandsLostEveryDeviceStillAnswersThroughRetries) {
    auto sim = StartSim({"--fleet", "50", "--bind", "127.0.52.2", "--loss", "0.1"});
    const Args hosts = Hosts(52, 2, 50), patient = {"--timeout", "100", "--retries", "8"};
    ProcessResult read = Quarlink(Join(Join({"read"}, hosts), patient));
    EXPECT_EQ(read.ExitCode, 0) << read.Err;
    EXPECT_EQ(Count(read.Out, "  MAC 02-00-7F-00-34-"), 50u);
    ProcessResult write = Quarlink(Join(Join({"write", "--set", "host-port=4900"}, hosts), patient));
    EXPECT_EQ(write.ExitCode, 0) << write.Err;
    EXPECT_EQ(Count(write.Out, "  written\n"), 50u);
    EXPECT_GT(Count(sim->Output(), "(dropped)"), 5u);
}

TEST(Quarlink, AWriteReachesTheStandInsRecordAndReadsBack) {
    auto sim = StartSim({"--fleet", "2", "--bind", "127.0.53.2"});
    ProcessResult w = Quarlink({"write", "127.0.53.2", "--set", "dev-port=4321", "--set", "mask=255.255.0.0",
                                "--set", "can1.arbitration=0x1f4a0", "--set", "can1.data=0x8207", "--set",
                                "can0.arbitration=预留1", "--set", "can0.data=500kbps"});
    ASSERT_EQ(w.ExitCode, 0) << w.Err;
    EXPECT_EQ(w.Out, "127.0.53.2  written\n");
    DeviceFields expected = DefaultDeviceFields();
    expected.DevUdpPort = "4321";
    expected.DeviceIpMask = {"255", "255", "0", "0"};
    expected.Can[0].ArbitrationIndex = 1;
    expected.Can[0].DataIndex = 8;
    expected.Can[1] = ChannelFields{true, "1f4a0", "8207", 0, 0};
    EXPECT_EQ(RawRead({127, 0, 53, 2}).Record, RecordFromFields(expected));
    EXPECT_EQ(RawRead({127, 0, 53, 3}).Record, Defaults()); // its neighbour is untouched

    ProcessResult r = Quarlink({"read", "127.0.53.2"});
    EXPECT_EQ(r.ExitCode, 0);
    for (const char* line :
         {"127.0.53.2  MAC 02-00-7F-00-35-02\n", "  dev-port          4321\n",
          "  mask              255.255.0.0\n", "  can0.arbitration  预留1\n", "  can0.data         500kbps\n",
          "  can1.arbitration  0x0001F4A0\n", "  can1.data         0x00008207\n"})
        EXPECT_NE(r.Out.find(line), std::string::npos) << line << r.Out;

    EXPECT_EQ(Quarlink({"default", "127.0.53.2"}).Out, "127.0.53.2  written\n");
    EXPECT_EQ(RawRead({127, 0, 53, 2}).Record, Defaults());
}

TEST(Quarlink, AJsonRoundTripChangesNothingAndDiffShowsWhatAWriteWouldChange) {
    DeviceFields f = DefaultDeviceFields();
    f.HostIP = {"10", "1", "2", "3"};
    f.Can[0] = ChannelFields{true, "00050B2E", "00008207", 0, 0};
    f.Can[1].DataIndex = 13;
    auto record = EncodeRecord(RecordFromFields(f));
    std::string hex = HexText(record.data(), record.size());
    hex.erase(std::remove(hex.begin(), hex.end(), ' '), hex.end());
    auto sim = StartSim({"--fleet", "2", "--bind", "127.0.54.2", "--record", hex});
    const IPv4Address first{127, 0, 54, 2};
    const DeviceAnswer before = RawRead(first);

    ProcessResult saved = Quarlink({"read", "127.0.54.2", "--json"});
    ASSERT_EQ(saved.ExitCode, 0);
    std::string file = SaveFile("device.json", saved.Out);
    ProcessResult same = Quarlink({"diff", "127.0.54.2", file});
    EXPECT_EQ(same.ExitCode, 0);
    EXPECT_EQ(same.Out, "");
    EXPECT_EQ(Quarlink({"write", "127.0.54.2", "--from", file}).ExitCode, 0);
    EXPECT_EQ(ToBytes(EncodeDeviceAnswer(RawRead(first))), ToBytes(EncodeDeviceAnswer(before)));
    EXPECT_EQ(Quarlink({"read", "127.0.54.2", "--json"}).Out, saved.Out);

    // The neighbour moves away from the file; diff names the keys, a write of the file brings it back.
    ASSERT_EQ(Quarlink({"write", "127.0.54.3", "--set", "dev-port=7", "--set", "host-ip=10.1.2.4"}).ExitCode,
              0);
    ProcessResult differs = Quarlink({"diff", "127.0.54.3", file});
    EXPECT_EQ(differs.ExitCode, 1);
    EXPECT_EQ(differs.Out, "host-ip: device 10.1.2.4, file 10.1.2.3\ndev-port: device 7, file 4000\n");

    // A file of several hosts gives each host its own settings.
    std::string both = SaveFile("both.json", Quarlink({"read", "127.0.54.2", "127.0.54.3", "--json"}).Out);
    ASSERT_EQ(Quarlink({"default", "127.0.54.2", "127.0.54.3"}).ExitCode, 0);
    EXPECT_EQ(Quarlink({"write", "127.0.54.3", "127.0.54.2", "--from", both}).ExitCode, 0);
    EXPECT_EQ(RawRead(first).Record, before.Record);
    EXPECT_EQ(RawRead({127, 0, 54, 3}).Record.DevUdpPort, 7);
}

TEST(Quarlink, BadValuesAndUsageAreRefusedWithExitTwoBeforeAnythingIsSent) {
    LoopbackPeer device({127, 0, 55, 2});
    const std::string port = std::to_string(device.Local().Port), host = "127.0.55.2";
    const Args badSets[] = {
        {"host-ip=1.2.3"},
        {"host-port=48x"},
        {"dev-ip=1.2.3.x"},
        {"dev-port="},
        {"mask=255.255.255.0.0"},
        {"gateway=$$.1.1.1"},
        {"can0.arbitration=500kbps", "can0.data=5Mbps"},
        {"can0.data=0x123456789", "can0.arbitration=0x1"},
        {"can1.arbitration=0x", "can1.data=0x1"},
        {"can1.data=预留9", "can1.arbitration=1Mbps"},
    };
    for (const Args& sets : badSets) {
        Args args{"write", host, "--port", port};
        for (const auto& s : sets)
            args.insert(args.end(), {"--set", s});
        ProcessResult r = Quarlink(args);
        std::string key = sets[0].substr(0, sets[0].find('='));
        EXPECT_EQ(r.ExitCode, 2) << sets[0];
        EXPECT_EQ(r.Err.rfind("quarlink: " + key + ": ", 0), 0u) << r.Err;
        EXPECT_NE(r.Err.find("; expected "), std::string::npos) << r.Err;
    }
    const Args usage[] = {
        {"read"},
        {"fetch", host},
        {"read", host, "--set", "dev-port=1"},
        {"write", host},
        {"write", host, "--set", "port=1"},
        {"write", host, "--set", "dev-port=1", "--set", "dev-port=2"},
        {"write", host, "--set", "can0.data=1Mbps"},
        {"write", host, "--set", "dev-port=1", "--from", "settings.json"},
        {"write", host, "--from", "/nonexistent/settings.json"},
        {"diff", host},
        {"read", host, "--timeout", "0"},
        {"read", host, "--retries", "-1"},
        {"read", host, "--port", "0"},
        {"read", host, "--hosts", "/nonexistent/hosts.txt"},
        {"read", host, "localhost", "127.0.0.1"},
        {"read", host, "--verbose"},
    };
    for (Args args : usage) {
        args.insert(args.end(), {"--port", port});
        ProcessResult r = Quarlink(args);
        EXPECT_EQ(r.ExitCode, 2) << args[0] << " " << args[1];
        EXPECT_EQ(r.Err.rfind("quarlink: ", 0), 0u) << r.Err;
    }
    EXPECT_FALSE(device.Receive(100).Arrived) << "something was sent";
}

TEST(Quarlink, HelpNamesEveryCommandKeyAndExitCode) {
    ProcessResult r = RunProgram(QUARLINK_PATH, {"--help"});
    EXPECT_EQ(r.ExitCode, 0);
    for (const char* word : {"read HOST",
                             "write HOST",
                             "default HOST",
                             "diff HOST FILE.json",
                             "--json",
                             "--set KEY=VALUE",
                             "--from FILE",
                             "--hosts FILE",
                             "--port N",
                             "--local-port N",
                             "--timeout MS",
                             "--retries N",
                             "host-ip",
                             "dev-ip",
                             "mask",
                             "gateway",
                             "host-port",
                             "dev-port",
                             "can0.arbitration",
                             "can1.arbitration",
                             "can0.data",
                             "can1.data",
                             " 预留7",
                             " 500kbps",
                             " 5Kbps",
                             "\n  0  ",
                             "\n  1  ",
                             "\n  2  ",
                             "\n  3  ",
                             "\n  4  "})
        EXPECT_NE(r.Out.find(word), std::string::npos) << word;
}

namespace {
// The test as the device on 127.0.56.2, with strangers at another address and at another port.
class PlayedDevice {
  public:
    uint16_t Port() const { return FDevice.Local().Port; }
    // Answers every command that comes within `ms` of the last: strangers first, then a short answer,
    // then (when given) the device's own answer.
    void Serve(const std::optional<DeviceAnswer>& answer, int ms = 1000) {
        for (Datagram request; (request = FDevice.Receive(ms)).Arrived;) {
            Bytes poison =
                ToBytes(EncodeDeviceAnswer({RecordWithPort(6666), {0xEE, 0xEE, 0xEE, 0xEE, 0xEE, 0xEE}}));
            FOtherAddress.Send(request.From, poison);
            FOtherPort.Send(request.From, poison);
            FDevice.Send(request.From, Bytes(poison.begin(), poison.begin() + 20));
            if (answer) FDevice.Send(request.From, ToBytes(EncodeDeviceAnswer(*answer)));
            ++Requests;
        }
    }
    static DeviceConfigRecord RecordWithPort(uint16_t port) {
        DeviceConfigRecord r = Defaults();
        r.DevUdpPort = port;
        return r;
    }
    std::string Stranger(bool otherAddress) const {
        return EndpointText((otherAddress ? FOtherAddress : FOtherPort).Local());
    }
    int Requests = 0;

  private:
    LoopbackPeer FDevice{{127, 0, 56, 2}}, FOtherAddress{{127, 0, 56, 3}}, FOtherPort{{127, 0, 56, 2}};
};
} // namespace

TEST(Quarlink, StrangersAndShortAnswersAreReportedAndNeverFilledIn) {
    PlayedDevice device;
    const Args read = {"read", "127.0.56.2", "--port", std::to_string(device.Port()), "--timeout", "300"};
    auto run = std::async(std::launch::async, [&] { return Quarlink(Join(read, {"--retries", "0"})); });
    device.Serve(DeviceAnswer{PlayedDevice::RecordWithPort(4321), {0x02, 0, 0, 0, 0, 0x56}});
    ProcessResult r = run.get();
    EXPECT_EQ(r.ExitCode, 0) << r.Err;
    EXPECT_NE(r.Out.find("  dev-port          4321\n"), std::string::npos) << r.Out;
    EXPECT_NE(r.Err.find(device.Stranger(true) + " is not a device asked: its 51-byte datagram is ignored"),
              std::string::npos)
        << r.Err;
    EXPECT_NE(r.Err.find(device.Stranger(false) + " is not a device asked"), std::string::npos) << r.Err;
    EXPECT_NE(
        r.Err.find("127.0.56.2:" + std::to_string(device.Port()) + " sent a short answer (20 of 51 bytes)"),
        std::string::npos)
        << r.Err;

    // Nothing but strangers and short answers: the device counts as silent, nothing is shown.
    run = std::async(std::launch::async, [&] { return Quarlink(Join(read, {"--retries", "1"})); });
    device.Serve(std::nullopt);
    r = run.get();
    EXPECT_EQ(r.ExitCode, 3);
    EXPECT_EQ(r.Out, "");
    EXPECT_NE(r.Err.find("quarlink: no answer from 127.0.56.2 (asked 2 times, 300 ms each)"),
              std::string::npos)
        << r.Err;
    EXPECT_EQ(device.Requests, 3);
}

TEST(Quarlink, AWriteCountsOnlyWhenTheAnswerShowsWhatWasWritten) {
    LoopbackPeer device({127, 0, 57, 2});
    auto run = std::async(std::launch::async, [&] {
        return Quarlink({"write", "127.0.57.2", "--port", std::to_string(device.Local().Port), "--set",
                         "dev-port=4321", "--timeout", "200", "--retries", "1"});
    });
    int writes = 0;
    for (Datagram command; (command = device.Receive(1000)).Arrived;) { // a device that ignores writes
        writes += DecodeWriteCommand(command.Bytes.data(), command.Bytes.size()).has_value();
        device.Send(command.From, ToBytes(EncodeDeviceAnswer({Defaults(), {}})));
    }
    ProcessResult r = run.get();
    EXPECT_EQ(r.ExitCode, 1);
    EXPECT_EQ(writes, 2); // asked again once
    EXPECT_EQ(r.Out, "");
    EXPECT_NE(r.Err.find("127.0.57.2: the answer to the write differs: dev-port: device 4000, sent 4321"),
              std::string::npos)
        << r.Err;
}

TEST(Quarlink, SilentDevicesAreListedAndTheOthersStillShown) {
    auto sim = StartSim({"--fleet", "2", "--bind", "127.0.58.2"});
    ProcessResult r = Quarlink({"read", "127.0.58.2", "127.0.58.9", "127.0.58.3", "127.0.58.8", "--timeout",
                                "100", "--retries", "1"});
    EXPECT_EQ(r.ExitCode, 3);
    EXPECT_NE(r.Out.find("127.0.58.2  MAC 02-00-7F-00-3A-02\n"), std::string::npos) << r.Out;
    EXPECT_NE(r.Out.find("\n\n127.0.58.3  MAC 02-00-7F-00-3A-03\n"), std::string::npos) << r.Out;
    EXPECT_EQ(r.Err, "quarlink: no answer from 127.0.58.9, 127.0.58.8 (asked 2 times, 100 ms each)\n");
}
