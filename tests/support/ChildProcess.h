#pragma once

#include <spawn.h>
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

// posix_spawn of the program with these arguments after its name, its files set up by
// `actions`, and with `environment` (NAME=value entries) or else the test's own. Returns 0
// with the child's process id in `pid`, or the error number.
int SpawnProgram(pid_t& pid, const std::string& program, const std::vector<std::string>& arguments,
                 const posix_spawn_file_actions_t& actions,
                 std::optional<std::vector<std::string>> environment = std::nullopt);
