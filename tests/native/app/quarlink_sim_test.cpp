#include "DeviceProtocol.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

extern char** environ;

namespace {

using Bytes = std::vector<uint8_t>;

// The simulator as a child process whose stdout we read; killed if a test leaves it running.
class SimProcess {
  public:
    explicit SimProcess(std::vector<std::string> args) {
        args.insert(args.begin(), QUARLINK_SIM_PATH);
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        int out[2];
        EXPECT_EQ(pipe(out), 0);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], 1);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        EXPECT_EQ(posix_spawn(&FPid, argv[0], &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        FOut = out[0];
    }
    ~SimProcess() {
        if (FPid > 0) {
            kill(FPid, SIGKILL);
            waitpid(FPid, nullptr, 0);
        }
        close(FOut);
    }

    // One line of the log, or "" when none comes within a second.
    std::string ReadLine() {
        std::string line;
        char c;
        while (Readable(1000) && read(FOut, &c, 1) == 1 && c != '\n')
            line += c;
        return line;
    }

    // Exit status, or -1 when the process did not end normally within two seconds.
    int Wait() {
        int status = 0;
        pid_t done = 0;
        for (int i = 0; i < 200 && (done = waitpid(FPid, &status, WNOHANG)) == 0; ++i)
            usleep(10000);
        if (done != FPid) return -1;
        FPid = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    void Signal(int sig) { kill(FPid, sig); }

    uint16_t ListeningPort() {
        std::string line = ReadLine();
        auto colon = line.rfind(':');
        EXPECT_EQ(line.rfind("listening on 127.0.0.1:", 0), 0u) << line;
        return colon == std::string::npos ? 0 : static_cast<uint16_t>(std::stoi(line.substr(colon + 1)));
    }

  private:
    bool Readable(int ms) {
        pollfd p{FOut, POLLIN, 0};
        return poll(&p, 1, ms) == 1;
    }
    pid_t FPid = -1;
    int FOut = -1;
};

// The test's side of the conversation: a loopback socket talking to one simulator port.
class Client {
  public:
    explicit Client(uint16_t simPort) : FSocket(socket(AF_INET, SOCK_DGRAM, 0)) {
        FSim.sin_family = AF_INET;
        FSim.sin_port = htons(simPort);
        FSim.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    }
    ~Client() { close(FSocket); }
    void Send(const Bytes& bytes) {
        sendto(FSocket, bytes.data(), bytes.size(), 0, reinterpret_cast<sockaddr*>(&FSim), sizeof FSim);
    }
    // The next datagram within `ms`, empty when none; only the simulator's port may answer.
    Bytes Receive(int ms = 1000) {
        pollfd p{FSocket, POLLIN, 0};
        if (poll(&p, 1, ms) != 1) return {};
        Bytes buffer(1024);
        sockaddr_in from{};
        socklen_t len = sizeof from;
        auto got =
            recvfrom(FSocket, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&from), &len);
        EXPECT_EQ(from.sin_port, FSim.sin_port);
        buffer.resize(got < 0 ? 0 : static_cast<size_t>(got));
        return buffer;
    }

  private:
    int FSocket;
    sockaddr_in FSim{};
};

template <size_t N> Bytes ToBytes(const std::array<uint8_t, N>& a) {
    return Bytes(a.begin(), a.end());
}

const Bytes ReadBytes = ToBytes(ReadRequest);
const MacAddress DefaultMac{0x02, 0x00, 0x00, 0x0A, 0x1B, 0xFF};

} // namespace

TEST(QuarlinkSim, AnswersReadsAndKeepsWhatIsWritten) {
    SimProcess sim({"--port", "0"});
    Client client(sim.ListeningPort());

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
    SimProcess sim(
        {"--bind", "127.0.0.1", "--port", "0", "--record", hex, "--mac", "AA:bb:CC:00:11:22", "--once"});
    Client client(sim.ListeningPort());
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
        SimProcess sim(args);
        EXPECT_EQ(sim.Wait(), 2) << args[0] << " " << (args.size() > 1 ? args[1] : "");
    }
}
