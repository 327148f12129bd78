#include "SimProcess.h"

#include "SysUtils.h"

#include <algorithm>
#include <vector>

TSimProcess::TSimProcess(const std::string& exe, const std::string& arguments, const std::string& ready)
    : FReady(ready) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE write = nullptr;
    if (!CreatePipe(&FOutputPipe, &write, &inherit, 0)) return;
    SetHandleInformation(FOutputPipe, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdOutput = write;
    start.hStdError = write;
    std::u16string command = Utf8ToUtf16("\"" + exe + "\" " + arguments);
    std::vector<wchar_t> line(command.begin(), command.end());
    line.push_back(L'\0');
    BOOL started = CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                  nullptr, &start, &FProcess);
    CloseHandle(write); // ours only; the child keeps its copy
    if (!started) return;
    for (DWORD t0 = GetTickCount(); !Listening() && GetTickCount() - t0 < 5000; Sleep(10))
        ReadAvailable();
}

TSimProcess::~TSimProcess() {
    if (FProcess.hProcess) {
        TerminateProcess(FProcess.hProcess, 0);
        WaitForSingleObject(FProcess.hProcess, 5000);
        CloseHandle(FProcess.hProcess);
        CloseHandle(FProcess.hThread);
    }
    if (FOutputPipe) CloseHandle(FOutputPipe);
}

const std::string& TSimProcess::Output() {
    ReadAvailable();
    return FOutput;
}

int TSimProcess::Finish(DWORD ms) {
    DWORD code = STILL_ACTIVE;
    for (DWORD t0 = GetTickCount(); FProcess.hProcess && GetTickCount() - t0 < ms; Sleep(5)) {
        ReadAvailable(); // a full pipe would keep it from ending
        if (WaitForSingleObject(FProcess.hProcess, 0) == WAIT_OBJECT_0) break;
    }
    ReadAvailable();
    if (!FProcess.hProcess || !GetExitCodeProcess(FProcess.hProcess, &code) || code == STILL_ACTIVE)
        return -1;
    return static_cast<int>(code);
}

// Never blocks: only what is already in the pipe.
void TSimProcess::ReadAvailable() {
    DWORD available = 0;
    while (FOutputPipe && PeekNamedPipe(FOutputPipe, nullptr, 0, nullptr, &available, nullptr) && available) {
        char buffer[512];
        DWORD got = 0;
        if (!ReadFile(FOutputPipe, buffer, std::min<DWORD>(available, sizeof buffer), &got, nullptr) || !got)
            return;
        FOutput.append(buffer, got);
    }
}

std::string WinePath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}
