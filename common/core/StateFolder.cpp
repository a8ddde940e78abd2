#include "common/core/StateFolder.h"

#include "common/core/Environment.h"

std::optional<std::filesystem::path> StateFolder()
{
    const std::filesystem::path state = EnvironmentValue("XDG_STATE_HOME");
    if (state.is_absolute())
        return state / "tessaroo";
    const std::string home = EnvironmentValue("HOME");
    if (home.empty())
        return std::nullopt;
    return std::filesystem::path(home) / ".local" / "state" / "tessaroo";
}
