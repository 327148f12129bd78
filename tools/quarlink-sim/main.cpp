// quarlink-sim: a stand-in for the device on UDP. Answers only the sender of a valid command.
#include "DeviceSim.h"
#include "HexText.h"
#include "SimOptions.h"
#include "UdpSocket.h"

#include <csignal>
#include <cstdio>
#include <exception>
#include <vector>

namespace {

volatile std::sig_atomic_t StopRequested = 0;
void OnStopSignal(int) {
    StopRequested = 1;
}

// One line per event, flushed so that a reader on a pipe sees it at once.
void Log(const char* direction, const UdpEndpoint& peer, const uint8_t* bytes, size_t length,
         const char* note) {
    std::printf("%s %s %lu: %s%s\n", direction, EndpointText(peer).c_str(),
                static_cast<unsigned long>(length), HexText(bytes, length).c_str(), note);
    std::fflush(stdout);
}

void Answer(UdpSocket& socket, const UdpEndpoint& peer, const DeviceAnswerBytes& answer) {
    bool sent = socket.Send(answer.data(), answer.size(), peer);
    Log("out", peer, answer.data(), answer.size(), sent ? "" : " (send failed)");
}

int Serve(const SimOptions& options) {
    UdpSocket socket;
    socket.Bind(options.Bind);
    std::printf("listening on %s\n", EndpointText(socket.LocalEndpoint()).c_str());
    std::fflush(stdout);
    DeviceSim device(options.Record, options.Mac);
    std::vector<uint8_t> buffer(65536);
    while (!StopRequested) {
        UdpEndpoint peer;
        auto length = socket.Receive(buffer.data(), buffer.size(), peer, 200);
        if (!length) continue;
        auto answer = device.Handle(buffer.data(), *length);
        Log("in ", peer, buffer.data(), *length, answer ? "" : " (ignored)");
        if (!answer) continue;
        Answer(socket, peer, *answer);
        if (options.Once) break;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    SimOptions options;
    try {
        options = ParseSimOptions(argc, argv);
    } catch (const std::invalid_argument& e) {
        std::fprintf(stderr, "quarlink-sim: %s\n%s", e.what(), SimUsage);
        return 2;
    }
    if (options.Help) {
        std::fputs(SimUsage, stdout);
        return 0;
    }
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);
    try {
        return Serve(options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quarlink-sim: %s\n", e.what());
        return 1;
    }
}
