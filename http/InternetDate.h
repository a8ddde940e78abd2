#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

// Reads the dates of cookies and headers: "Thu, 01-Jan-1970 00:00:01 GMT",
// "Sunday, 06-Nov-94 08:49:37 GMT", "Sun Nov  6 08:49:37 1994", "Mon, 7 Dec 2026 09:00:00 +0100".
// Two-digit years 70 to 99 are 1970 to 1999, 0 to 69 are 2000 to 2069. Nothing when the
// text is not a valid date.
std::optional<std::chrono::sys_seconds> ReadInternetDate(std::string_view text);

// "Mon, 7 Dec 2026 09:00:00 +0100" in local time.
std::string FormatLocalInternetDate(std::chrono::system_clock::time_point time);
