#pragma once

#include <string>
#include <string_view>

// The URL title a category gets when none is posted: the title with every byte outside
// A-Z, a-z, 0-9, "_" and "-" replaced by "_" (so one "_" per byte of a UTF-8 letter).
std::string MadeUrlTitle(std::string_view title);

// Whether a URL title may appear in the path of a rewritten URL: one or more of the bytes
// MadeUrlTitle keeps.
bool IsAllowedUrlTitle(std::string_view urlTitle);
