#include "ChildProcess.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

// Starts `path` with stdout and stderr on the given descriptors (-1: /dev/null).
pid_t Spawn(const std::string& path, const std::vector<std::string>& args, int out, int err) {
    std::vector<std::string> all(1, path);
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    for (auto [fd, target] : {std::pair{out, 1}, std::pair{err, 2}}) {
        if (fd < 0)
            posix_spawn_file_actions_addopen(&actions, target, "/dev/null", O_WRONLY, 0);
        else
            posix_spawn_file_actions_adddup2(&actions, fd, target);
    }
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

struct Pipe {
    int Read = -1, Write = -1;
    Pipe() {
        int fds[2];
        if (pipe2(fds, O_CLOEXEC) == 0) Read = fds[0], Write = fds[1];
    }
    void CloseWrite() {
        close(Write);
        Write = -1;
    }
};

// Waits up to `ms` for the child; its exit code, or -1 (then it is killed).
int Reap(pid_t pid, int ms) {
    int status = 0;
    auto end = Clock::now() + std::chrono::milliseconds(ms);
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (Clock::now() > end) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return -1;
        }
        usleep(2000);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace

ProcessResult RunProgram(const std::string& path, const std::vector<std::string>& args, int timeoutMs) {
    Pipe out, err;
    auto start = Clock::now();
    pid_t pid = Spawn(path, args, out.Write, err.Write);
    out.CloseWrite();
    err.CloseWrite();
    ProcessResult r;
    pollfd fds[2] = {{out.Read, POLLIN, 0}, {err.Read, POLLIN, 0}};
    std::string* into[2] = {&r.Out, &r.Err};
    for (int open = 2; open > 0 && poll(fds, 2, timeoutMs) > 0;) {
        for (int i = 0; i < 2; ++i) {
            if (!(fds[i].revents & (POLLIN | POLLHUP))) continue;
            char buffer[4096];
            ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) into[i]->append(buffer, static_cast<size_t>(n));
            if (n <= 0) fds[i].fd = -1, --open;
        }
    }
    r.ExitCode = pid > 0 ? Reap(pid, timeoutMs) : -1;
    r.Seconds = std::chrono::duration<double>(Clock::now() - start).count();
    close(out.Read);
    close(err.Read);
    return r;
}

ChildProcess::ChildProcess(const std::string& path, const std::vector<std::string>& args) {
    Pipe out;
    FPid = Spawn(path, args, out.Write, -1);
    out.CloseWrite();
    FCollector = std::thread([this, fd = out.Read] { Collect(fd); });
}

ChildProcess::~ChildProcess() {
    if (FPid > 0) {
        kill(FPid, SIGKILL);
        waitpid(FPid, nullptr, 0);
    }
    FCollector.join();
}

void ChildProcess::Collect(int fd) {
    char buffer[4096];
    for (ssize_t n; (n = read(fd, buffer, sizeof buffer)) > 0;) {
        std::lock_guard<std::mutex> hold(FLock);
        FOutput.append(buffer, static_cast<size_t>(n));
        FArrived.notify_all();
    }
    close(fd);
    std::lock_guard<std::mutex> hold(FLock);
    FClosed = true;
    FArrived.notify_all();
}

std::string ChildProcess::ReadLine(int ms) {
    std::unique_lock<std::mutex> hold(FLock);
    size_t end = std::string::npos;
    FArrived.wait_for(hold, std::chrono::milliseconds(ms),
                      [&] { return (end = FOutput.find('\n', FRead)) != std::string::npos || FClosed; });
    if (end == std::string::npos) return "";
    std::string line = FOutput.substr(FRead, end - FRead);
    FRead = end + 1;
    return line;
}

std::string ChildProcess::Output() {
    std::lock_guard<std::mutex> hold(FLock);
    return FOutput;
}

int ChildProcess::Wait(int ms) {
    int code = Reap(FPid, ms);
    FPid = -1;
    return code;
}

void ChildProcess::Signal(int sig) {
    kill(FPid, sig);
}
