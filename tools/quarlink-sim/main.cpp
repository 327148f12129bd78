// quarlink-sim: stand-ins for the device on UDP, or a flood of datagrams at a loopback port.
// Answers only the sender of a valid command.
#include "Flood.h"
#include "SimFleet.h"
#include "SimOptions.h"

#include <csignal>
#include <cstdio>
#include <exception>

namespace {

volatile std::sig_atomic_t StopRequested = 0;
void OnStopSignal(int) {
    StopRequested = 1;
}

int Serve(const SimOptions& options) {
    SimFleet fleet(options);
    std::printf("listening on %s\n", fleet.Description().c_str());
    std::fflush(stdout);
    fleet.Serve(StopRequested, options.Once);
    return 0;
}

int Flood(const SimOptions& options) {
    const FloodPlan& plan = *options.Flood;
    std::printf("flooding %s: %u datagrams a second for %g s\n", EndpointText(plan.Target).c_str(),
                static_cast<unsigned>(plan.Rate), plan.Seconds);
    std::fflush(stdout);
    FloodResult result = RunFlood(plan, options.Bind, options.Record, StopRequested);
    std::printf("%s\n", FloodSummary(plan, result).c_str());
    std::fflush(stdout); // a reader waits for this line, not for the process to end
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
        return options.Flood ? Flood(options) : Serve(options);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quarlink-sim: %s\n", e.what());
        return 1;
    }
}
