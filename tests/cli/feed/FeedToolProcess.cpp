#include "FeedToolProcess.h"

#include "tests/support/ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <stdexcept>

extern char** environ;

namespace {

constexpr std::chrono::seconds LongestRun{60};

std::vector<std::string> ChangedEnvironment(const std::map<std::string, std::optional<std::string>>& changes)
{
    std::vector<std::string> entries;
    for (char** entry = environ; *entry; ++entry) {
        const std::string text = *entry;
        if (!changes.contains(text.substr(0, text.find('='))))
            entries.push_back(text);
    }
    for (const auto& [name, value] : changes)
        if (value)
            entries.push_back(name + "=" + *value);
    return entries;
}

void ReadAvailable(int& fd, std::string& sink)
{
    char buffer[4096];
    const ssize_t got = read(fd, buffer, sizeof buffer);
    if (got > 0) {
        sink.append(buffer, static_cast<std::size_t>(got));
    } else if (got == 0 || errno != EINTR) {
        close(fd);
        fd = -1;
    }
}

}  // namespace

TFeedToolResult RunFeedToolProcess(const std::vector<std::string>& arguments,
                                   const std::map<std::string, std::optional<std::string>>& environment,
                                   const std::function<bool(pid_t)>& watch)
{
    int out[2];
    int err[2];
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0)
        throw std::runtime_error("tessaroo-feed: cannot create pipes");

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, out[1], 1);
    posix_spawn_file_actions_adddup2(&actions, err[1], 2);
    pid_t pid = -1;
    const int spawned =
        SpawnProgram(pid, TESSAROO_FEED_EXECUTABLE, arguments, actions, ChangedEnvironment(environment));
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    if (spawned != 0)
        throw std::runtime_error(std::string("cannot start ") + TESSAROO_FEED_EXECUTABLE + ": " +
                                 std::strerror(spawned));

    TFeedToolResult result;
    bool watching = static_cast<bool>(watch);
    const auto deadline = std::chrono::steady_clock::now() + LongestRun;
    while (out[0] >= 0 || err[0] >= 0) {
        pollfd waits[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
        poll(waits, 2, 10);
        if (waits[0].revents)
            ReadAvailable(out[0], result.Out);
        if (waits[1].revents)
            ReadAvailable(err[0], result.Err);
        if (watching && watch(pid))
            watching = false;
        if (std::chrono::steady_clock::now() > deadline)
            kill(pid, SIGKILL);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    result.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}
