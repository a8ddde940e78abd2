#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Equal without regard to letter case, for letters of every script (simple one-to-one
// case mapping of Unicode); characters outside the Basic Multilingual Plane compare as is.
bool SameTextIgnoringCase(std::u16string_view a, std::u16string_view b);

// The text with every letter in the one case that SameTextIgnoringCase compares in, unit for
// unit, appended to `folded`: a search without regard to case folds once and then compares
// plainly.
void AppendFoldedCase(std::u16string& folded, std::u16string_view text);

// A hash that agrees with SameTextIgnoringCase: texts that it calls equal hash alike.
std::size_t HashIgnoringCase(std::u16string_view text);

// For unordered containers keyed by text without regard to letter case.
struct TCaseInsensitiveHash {
    std::size_t operator()(std::u16string_view text) const { return HashIgnoringCase(text); }
};
struct TCaseInsensitiveEqual {
    bool operator()(std::u16string_view a, std::u16string_view b) const { return SameTextIgnoringCase(a, b); }
};
