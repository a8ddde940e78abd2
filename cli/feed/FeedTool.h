#pragma once

// The whole of tessaroo-feed: reads the command line, the tree and the password, feeds the
// tree into the site and returns the exit code (see ExitCodes.h).
int RunFeedTool(int argc, const char* const* argv);
