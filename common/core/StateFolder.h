#pragma once

#include <filesystem>
#include <optional>

// The folder of what the programs keep from one run to the next (the feed journals, the logs
// of an installed program): "$XDG_STATE_HOME/tessaroo", or "~/.local/state/tessaroo" when
// XDG_STATE_HOME is unset, empty or not an absolute path. None when HOME is needed and not
// set.
std::optional<std::filesystem::path> StateFolder();
