#pragma once

#include "common/core/CoreErrors.h"

#include <cstdint>
#include <optional>
#include <string_view>

// Decimal integers with an optional sign, nothing else around them.
std::optional<int> TryParseInt(std::string_view text);
std::optional<int64_t> TryParseInt64(std::string_view text);
// Raise EConvertError "'text' is not a valid integer value".
int ParseInt(std::string_view text);
int64_t ParseInt64(std::string_view text);
