#pragma once

// What tessaroo-feed tells the script that ran it.
enum TFeedExitCode : int {
    ecDone = 0,
    ecEntriesNotDone = 1,  // some entries failed or were skipped, or the run failed otherwise
    ecUsage = 2,
    ecLoginRefused = 3,
    ecNetwork = 4,  // network, TLS or HTTP error
    ecTreeUnreadable = 5,
    ecStopped = 130,  // as a shell reports a program ended by Ctrl+C
};
