#pragma once

#include <functional>

// Lets the window handle its pending messages (repaints, input) from inside a long
// operation. The window passes QCoreApplication::processEvents; tests pass a counter;
// an empty function does nothing.
using TProcessMessages = std::function<void()>;

inline void ProcessPendingMessages(const TProcessMessages& processMessages)
{
    if (processMessages)
        processMessages();
}
