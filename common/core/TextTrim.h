#pragma once

#include <string_view>

// Trimming of blanks and control characters (every byte up to and including the blank).
std::string_view Trim(std::string_view text);
std::string_view TrimLeft(std::string_view text);
std::string_view TrimRight(std::string_view text);
