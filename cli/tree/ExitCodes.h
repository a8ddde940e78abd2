#pragma once

// The exit codes of tessaroo-tree, in line with those of tessaroo-feed where they mean the same.
enum TTreeExitCode : int {
    ecDone = 0,
    // The outline, path list or dump has an error; nothing was written.
    ecInputRejected = 1,
    ecUsage = 2,
    // The tree file given to export or stats cannot be read as a category tree.
    ecTreeFileUnreadable = 5,
    // The output file cannot be written; an earlier file of that name is left as it was.
    ecOutputNotWritten = 6,
    // Ctrl+C or SIGTERM; nothing was written.
    ecStopped = 130,
};
