// The device stand-in (quarlink-sim.exe) run as a child process for the length of a test; its
// output comes back through a pipe so that the test knows when it listens and what it saw.
#pragma once

#include <windows.h>

#include <string>

class TSimProcess {
  public:
    // Starts the program with `arguments` and waits (up to 5 s) for its "listening on" line.
    TSimProcess(const std::string& exe, const std::string& arguments);
    TSimProcess(const TSimProcess&) = delete;
    TSimProcess& operator=(const TSimProcess&) = delete;
    ~TSimProcess(); // kills it

    bool Listening() const { return FOutput.find("listening on") != std::string::npos; }
    // Everything it has printed so far.
    const std::string& Output();

  private:
    void ReadAvailable();

    PROCESS_INFORMATION FProcess{};
    HANDLE FOutputPipe = nullptr;
    std::string FOutput;
};

// A path of the build tree (Unix form) as Windows programs under Wine name it.
std::string WinePath(const std::string& unixPath);
