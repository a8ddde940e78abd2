#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Conversions between property values and their element text, independent of the locale:
// decimal integers, and floating-point numbers with "." as the decimal separator.
// A missing value (nullopt) is the null value of an empty element; converting it, or text
// that is not a number of the type, raises EConvertError.

std::int32_t TextToInteger(std::optional<std::string_view> text);
std::int64_t TextToInt64(std::optional<std::string_view> text);
double TextToFloat(std::optional<std::string_view> text);

// General format with the fewest digits that read back to the same double: 0.1, 1234.5,
// 1E20, 1.5E-5, 1.7976931348623157E308; NAN, INF and -INF.
std::string FloatToText(double value);
