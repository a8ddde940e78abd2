#pragma once

class TStopRequest;

// Ctrl+C (SIGINT) and SIGTERM request the stop, so the feed ends at its next safe point and
// logs out. A second signal while the run is ending ends the program at once, exit code 130.
void StopOnSignals(TStopRequest& stop);
