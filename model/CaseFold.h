#pragma once

#include <string_view>

// Equal without regard to letter case, for letters of every script (simple one-to-one
// case mapping of Unicode); characters outside the Basic Multilingual Plane compare as is.
bool SameTextIgnoringCase(std::u16string_view a, std::u16string_view b);
