#include "tests/support/SiteProcess.h"

#include "tests/support/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <thread>

namespace {

constexpr int StartWaitMilliseconds = 10000;
constexpr int StopWaitMilliseconds = 10000;

struct TPipe {
    int Read = -1;
    int Write = -1;
};

TPipe MakePipe()
{
    int ends[2];
    if (pipe2(ends, O_CLOEXEC) != 0)
        throw std::runtime_error("corvane-site: cannot create a pipe");
    return {ends[0], ends[1]};
}

// Starts the site with the write end of the pipe as its stdout (fd 1) or stderr (fd 2).
pid_t Spawn(const std::vector<std::string>& arguments, int outputEnd, int targetFd)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outputEnd, targetFd);
    pid_t pid = -1;
    const int error = SpawnProgram(pid, TSiteProcess::ExecutablePath(), arguments, actions);
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0)
        throw std::runtime_error("corvane-site: cannot start " + TSiteProcess::ExecutablePath());
    return pid;
}

int WaitForExit(pid_t pid, int waitMilliseconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMilliseconds);
    int status = 0;
    while (waitpid(pid, &status, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            throw std::runtime_error("corvane-site did not stop within " + std::to_string(waitMilliseconds) + " ms");
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string ReadFirstLine(int fd)
{
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(StartWaitMilliseconds);
    char c = 0;
    while (true) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        pollfd ready{fd, POLLIN, 0};
        if (left.count() <= 0 || poll(&ready, 1, static_cast<int>(left.count())) <= 0)
            throw std::runtime_error("corvane-site printed no address within " + std::to_string(StartWaitMilliseconds) +
                                     " ms");
        if (read(fd, &c, 1) != 1)
            throw std::runtime_error("corvane-site ended before it printed its address");
        if (c == '\n')
            return line;
        line += c;
    }
}

int PortOf(const std::string& url)
{
    for (const std::string prefix : {"http://127.0.0.1:", "https://127.0.0.1:"})
        if (url.compare(0, prefix.size(), prefix) == 0)
            return std::stoi(url.substr(prefix.size()));
    throw std::runtime_error("corvane-site printed an unexpected first line: " + url);
}

// "https://127.0.0.1:40123/ (certificate to trust: /tmp/x/certificate.pem)" -> the path.
std::string CertificateFileOf(const std::string& line)
{
    const std::string marker = " (certificate to trust: ";
    const size_t start = line.find(marker);
    if (start == std::string::npos || line.back() != ')')
        return "";
    return line.substr(start + marker.size(), line.size() - start - marker.size() - 1);
}

}  // namespace

std::string TSiteProcess::ExecutablePath()
{
    return CORVANE_SITE_EXECUTABLE;
}

TSiteProcess::TSiteProcess(const std::vector<std::string>& arguments, TSitePages pages)
{
    const TPipe output = MakePipe();
    std::vector<std::string> all{"--port", "0"};
    if (pages == TSitePages::Legacy)
        all.push_back("--legacy-pages");
    all.insert(all.end(), arguments.begin(), arguments.end());
    try {
        Pid = Spawn(all, output.Write, 1);
    } catch (...) {
        close(output.Read);
        close(output.Write);
        throw;
    }
    close(output.Write);
    OutputPipe = output.Read;
    try {
        const std::string firstLine = ReadFirstLine(OutputPipe);
        ListenUrl = firstLine.substr(0, firstLine.find(' '));
        ListenPort = PortOf(ListenUrl);
        TrustFile = CertificateFileOf(firstLine);
    } catch (...) {
        Stop(SIGKILL);
        close(OutputPipe);
        throw;
    }
}

TSiteProcess::~TSiteProcess()
{
    try {
        Stop();
    } catch (const std::exception&) {
        // Stop has killed the site already; a destructor must not throw.
    }
    close(OutputPipe);
}

std::string TSiteProcess::Domain() const
{
    return std::string(ListenUrl.starts_with("https:") ? "https://" : "") + "127.0.0.1:" + std::to_string(ListenPort);
}

int TSiteProcess::Stop(int signal)
{
    if (Pid > 0) {
        const pid_t pid = Pid;
        Pid = -1;
        kill(pid, signal);
        ExitStatus = WaitForExit(pid, StopWaitMilliseconds);
    }
    return ExitStatus;
}

TSiteRunResult RunSiteToEnd(const std::vector<std::string>& arguments)
{
    const TPipe errors = MakePipe();
    pid_t pid = -1;
    try {
        pid = Spawn(arguments, errors.Write, 2);
    } catch (...) {
        close(errors.Read);
        close(errors.Write);
        throw;
    }
    close(errors.Write);
    TSiteRunResult result;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(StopWaitMilliseconds);
    char block[4096];
    ssize_t count = 1;
    while (count > 0 && std::chrono::steady_clock::now() < deadline) {
        pollfd ready{errors.Read, POLLIN, 0};
        if (poll(&ready, 1, 100) > 0 && (count = read(errors.Read, block, sizeof block)) > 0)
            result.ErrorOutput.append(block, static_cast<std::size_t>(count));
    }
    close(errors.Read);
    if (count > 0)
        kill(pid, SIGKILL);
    result.ExitStatus = WaitForExit(pid, StopWaitMilliseconds);
    return result;
}
