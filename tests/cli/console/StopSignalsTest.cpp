// Ctrl+C and SIGTERM as the command-line tools take them. Each case runs in a child process
// of its own, as the handlers stay for the rest of a process.

#include "cli/console/StopSignals.h"
#include "common/core/StopRequest.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

namespace {

int ExitCodeOfChild(const std::function<int()>& child)
{
    const pid_t pid = fork();
    if (pid == 0)
        _exit(child());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

}  // namespace

TEST(StopSignals, EitherSignalRequestsTheStopAndLetsTheProgramGoOn)
{
    for (const int signal : {SIGINT, SIGTERM}) {
        const int exitCode = ExitCodeOfChild([signal] {
            TStopRequest stop;
            StopOnSignals(stop, TSecondSignal::EndsProgram);
            raise(signal);
            return stop.IsRequested() ? 0 : 1;
        });
        EXPECT_EQ(exitCode, 0) << "signal " << signal;
    }
}

TEST(StopSignals, ASecondSignalEndsTheProgramWith130OnlyWhereTheToolAsksForIt)
{
    EXPECT_EQ(ExitCodeOfChild([] {
                  TStopRequest stop;
                  StopOnSignals(stop, TSecondSignal::EndsProgram);
                  raise(SIGINT);
                  raise(SIGTERM);
                  return 0;
              }),
              130);
    EXPECT_EQ(ExitCodeOfChild([] {
                  TStopRequest stop;
                  StopOnSignals(stop, TSecondSignal::WaitsForTheStop);
                  raise(SIGINT);
                  raise(SIGINT);
                  return stop.IsRequested() ? 0 : 1;
              }),
              0);
}
