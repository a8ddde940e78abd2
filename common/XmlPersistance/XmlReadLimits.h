#pragma once

#include <cstddef>

// What the reader takes from a file. Writers of files meant to be read back keep within it.

// Deeper nesting of objects than any real document has would only exhaust the stack.
inline constexpr std::size_t MaxNestingDepth = 1000;

// Bytes of one value. No value of a real document comes near this; a longer one is a
// damaged file, which would only fill the memory and the window with it.
inline constexpr std::size_t MaxValueLength = std::size_t{1} << 20;
