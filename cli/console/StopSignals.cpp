#include "cli/console/StopSignals.h"

#include "cli/console/ToolExitCodes.h"
#include "common/core/StopRequest.h"

#include <signal.h>
#include <unistd.h>

namespace {

TStopRequest* SignalledStop = nullptr;
bool SecondSignalEndsProgram = false;

void RequestStop(int)
{
    if (SecondSignalEndsProgram && SignalledStop->IsRequested())
        _exit(ecStopped);
    SignalledStop->Request();
}

}  // namespace

void StopOnSignals(TStopRequest& stop, TSecondSignal second)
{
    SignalledStop = &stop;
    SecondSignalEndsProgram = second == TSecondSignal::EndsProgram;
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}
