#pragma once

#include <sys/types.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct TFeedToolResult {
    int ExitCode = -1;  // 128 + signal number when a signal ended it
    std::string Out;
    std::string Err;
};

// Runs the built tessaroo-feed to its end with these arguments, standard input from
// /dev/null, and the test's environment changed by `environment` (nullopt removes a
// variable). While it runs, `watch` is called every 10 ms with its process id until it
// returns true. A tool that does not end within a minute is killed.
TFeedToolResult RunFeedToolProcess(const std::vector<std::string>& arguments,
                                   const std::map<std::string, std::optional<std::string>>& environment = {},
                                   const std::function<bool(pid_t)>& watch = {});
