#pragma once

#include "common/core/ProcessMessages.h"

// The hook long operations call to let the window handle its pending messages. Operations
// call it once per node, which for a million nodes would spend more time in the event loop
// than in the work, so it lets the event loop run at most every few milliseconds.
TProcessMessages WindowProcessMessages();
