#pragma once

#include <functional>
#include <string>

// Receives what a reader or writer reports without failing: entries it left out, placed
// elsewhere or could not keep exactly. Each note is one line of text.
using TNoteSink = std::function<void(const std::string& note)>;
