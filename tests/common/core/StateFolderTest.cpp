#include "common/core/StateFolder.h"
#include "tests/support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

TEST(StateFolder, XdgStateHomeWhenAbsoluteElseLocalStateInTheHomeFolder)
{
    const TScopedEnvironment home("HOME", "/home/ada");
    {
        const TScopedEnvironment state("XDG_STATE_HOME", "/var/state");
        EXPECT_EQ(StateFolder(), "/var/state/tessaroo");
    }
    for (const char* ignored : {"", "relative/state"}) {
        const TScopedEnvironment state("XDG_STATE_HOME", std::string(ignored));
        EXPECT_EQ(StateFolder(), "/home/ada/.local/state/tessaroo") << '"' << ignored << '"';
    }
    const TScopedEnvironment noState("XDG_STATE_HOME", std::nullopt);
    EXPECT_EQ(StateFolder(), "/home/ada/.local/state/tessaroo");
}

TEST(StateFolder, NoneWhenHomeIsNeededAndUnsetOrEmpty)
{
    const TScopedEnvironment noState("XDG_STATE_HOME", std::nullopt);
    {
        const TScopedEnvironment emptyHome("HOME", std::string());
        EXPECT_EQ(StateFolder(), std::nullopt);
    }
    const TScopedEnvironment noHome("HOME", std::nullopt);
    EXPECT_EQ(StateFolder(), std::nullopt);
}
