#pragma once

class TStopRequest;

// What a second Ctrl+C or SIGTERM does while the stop that the first one asked for is under
// way.
enum class TSecondSignal {
    // Ends the program at once, exit code 130: the stop may wait on the network (a feed
    // still logs out).
    EndsProgram,
    // Nothing more: the stop is noticed while the input is read, and ending at once while
    // the output is written would leave its temporary file behind.
    WaitsForTheStop,
};

// Ctrl+C (SIGINT) and SIGTERM request the stop, so that the tool ends at its next safe point.
void StopOnSignals(TStopRequest& stop, TSecondSignal second);
