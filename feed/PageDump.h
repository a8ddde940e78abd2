#pragma once

#include <string_view>

// Writes the page, byte for byte, to the file "html" in the working directory, replacing an
// earlier dump, so the last page the feed looked at can be inspected after a run. Fails with
// EPageDump naming the file.
void WritePageDump(std::string_view page);
