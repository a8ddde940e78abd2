#include "cli/feed/StopSignals.h"

#include "cli/feed/ExitCodes.h"
#include "common/core/StopRequest.h"

#include <signal.h>
#include <unistd.h>

namespace {

TStopRequest* SignalledStop = nullptr;

void RequestStop(int)
{
    if (SignalledStop->IsRequested())
        _exit(ecStopped);
    SignalledStop->Request();
}

}  // namespace

void StopOnSignals(TStopRequest& stop)
{
    SignalledStop = &stop;
    struct sigaction action {};
    action.sa_handler = RequestStop;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}
