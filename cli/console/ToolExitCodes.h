#pragma once

// The exit codes that every command-line tool gives with the same meaning; each tool adds
// its own (its ExitCodes.h).
enum TToolExitCode : int {
    ecDone = 0,
    // An unknown or missing option, or a value the tool cannot use.
    ecUsage = 2,
    // The tree file named cannot be read as a category tree.
    ecTreeUnreadable = 5,
    // Ctrl+C or SIGTERM, as a shell reports a program that such a signal ended.
    ecStopped = 130,
};
