#pragma once

#include <string>
#include <string_view>

// UTF-8 <-> UTF-16 for property values. Most of a large document's text is ASCII, which
// converts unit by unit in bulk; only the runs of other characters go through the full
// conversion (UTF-8 sequences never contain ASCII bytes, so a run is always whole).
std::u16string WideTextOf(std::string_view text);
std::string NarrowTextOf(std::u16string_view text);
