// A tool of the build (the device stand-in quarlink-sim.exe, or quarlink.exe) run as a child process
// for the length of a test; its output comes back through a pipe so that the test knows when it
// listens and what it saw.
#pragma once

#include <windows.h>

#include <string>

class TSimProcess {
  public:
    // Starts the program with `arguments` and waits (up to 5 s) for a line that starts with `ready`.
    TSimProcess(const std::string& exe, const std::string& arguments,
                const std::string& ready = "listening on");
    TSimProcess(const TSimProcess&) = delete;
    TSimProcess& operator=(const TSimProcess&) = delete;
    ~TSimProcess(); // kills it

    bool Listening() const { return FOutput.find(FReady) != std::string::npos; }
    // Everything it has printed so far.
    const std::string& Output();
    // Waits up to `ms` for the program to end; its exit code, or -1 when it is still running.
    int Finish(DWORD ms);

  private:
    void ReadAvailable();

    PROCESS_INFORMATION FProcess{};
    HANDLE FOutputPipe = nullptr;
    std::string FOutput;
    std::string FReady;
};

// A path of the build tree (Unix form) as Windows programs under Wine name it.
std::string WinePath(const std::string& unixPath);
