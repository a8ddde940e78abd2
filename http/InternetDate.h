#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

// Reads the dates of cookies the way browsers do: the text is cut into tokens at every
// delimiter, and the first tokens that look like a time ("08:49:37"), a day of the month,
// a month name and a year are taken, in whatever order they come, so that
// "Thu, 01-Jan-1970 00:00:01 GMT", "Sunday, 06-Nov-94 08:49:37 GMT" and
// "Sun Nov  6 08:49:37 1994" all read. Two-digit years 70 to 99 are 1970 to 1999, 0 to 69
// are 2000 to 2069. A zone such as "+0100", which the store writes itself, moves the time;
// any other zone is UTC. Nothing when the text is not a valid date.
std::optional<std::chrono::sys_seconds> ReadInternetDate(std::string_view text);

// A date before any other, for a cookie that is to go at once.
inline constexpr const char* EarliestInternetDate = "Thu, 01 Jan 1970 00:00:00 GMT";

// "Mon, 7 Dec 2026 09:00:00 +0100" in local time.
std::string FormatLocalInternetDate(std::chrono::system_clock::time_point time);
