#pragma once

#include "cli/console/ToolExitCodes.h"

// What tessaroo-feed tells the script that ran it, besides the codes every tool gives.
enum TFeedExitCode : int {
    ecEntriesNotDone = 1,  // some entries failed or were skipped, or the run failed otherwise
    ecLoginRefused = 3,
    ecNetwork = 4,  // network, TLS or HTTP error
};
