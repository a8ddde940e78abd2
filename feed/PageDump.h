#pragma once

#include <string_view>

// Writes the page, byte for byte, to the file "html" in the working directory, replacing an
// earlier dump, so the last page the feed looked at can be inspected after a run. Fails with
// EPageDump naming the file.
void WritePageDump(std::string_view page);

// What every lookup of a category's identifier does first: the page it looks in goes to
// the dump when the lookup has a name; a lookup without a name writes nothing.
void DumpPageOfLookup(std::string_view name, std::string_view page);
