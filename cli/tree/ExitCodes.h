#pragma once

#include "cli/console/ToolExitCodes.h"

// The exit codes of tessaroo-tree besides those every tool gives.
enum TTreeExitCode : int {
    // The outline, path list or dump has an error; nothing was written.
    ecInputRejected = 1,
    // The output file cannot be written; an earlier file of that name is left as it was.
    ecOutputNotWritten = 6,
};
