// Programs of the build run as child processes, their output read back through pipes.
#pragma once

#include <sys/types.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct ProcessResult {
    int ExitCode = -1; // -1: killed, or did not end in time
    std::string Out;
    std::string Err;
    double Seconds = 0; // from start to exit
};

// Runs the program to its end; killed after timeoutMs.
ProcessResult RunProgram(const std::string& path, const std::vector<std::string>& args,
                         int timeoutMs = 20000);

// A program that runs beside the test (the device stand-in). Its standard output is collected all
// the time, so that a chatty child never blocks on a full pipe; killed if a test leaves it running.
class ChildProcess {
  public:
    ChildProcess(const std::string& path, const std::vector<std::string>& args);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // The next line of output, or "" when none comes within `ms`.
    std::string ReadLine(int ms = 1000);
    // Everything printed so far.
    std::string Output();
    // Exit status, or -1 when the process did not end normally within `ms`.
    int Wait(int ms = 2000);
    void Signal(int sig);

  private:
    void Collect(int fd);

    pid_t FPid = -1;
    std::mutex FLock;
    std::condition_variable FArrived;
    std::string FOutput;
    size_t FRead = 0; // how much of FOutput ReadLine has handed out
    bool FClosed = false;
    std::thread FCollector;
};
