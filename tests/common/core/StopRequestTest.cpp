#include "common/core/StopRequest.h"

#include <gtest/gtest.h>

TEST(StopRequest, RaisesOnlyOnceRequestedAndUntilCleared)
{
    TStopRequest stop;
    EXPECT_NO_THROW(stop.ThrowIfRequested());
    stop.Request();
    EXPECT_TRUE(stop.IsRequested());
    EXPECT_THROW(stop.ThrowIfRequested(), EStopRequested);
    stop.Clear();
    EXPECT_NO_THROW(stop.ThrowIfRequested());
}
