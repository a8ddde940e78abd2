#pragma once

#include <string_view>

// A property of the unit that an input broke: the fuzzer keeps the input as a finding,
// just as it does for a crash. What and detail go to standard error first.
[[noreturn]] void ReportFinding(std::string_view what, std::string_view detail);

inline void ExpectThat(bool holds, std::string_view what, std::string_view detail)
{
    if (!holds)
        ReportFinding(what, detail);
}
