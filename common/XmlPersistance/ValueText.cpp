#include "common/XmlPersistance/ValueText.h"

#include "common/XmlPersistance/XmlPersistanceErrors.h"
#include "common/core/IntegerText.h"

#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <locale.h>
#include <system_error>

namespace {

[[noreturn]] void RaiseNullConversion(const char* typeName)
{
    throw EConvertError(std::string("Could not convert variant of type (Null) into type (") + typeName + ")");
}

// from_chars refuses numbers beyond the range of a double. Files of the earlier
// writer held the largest doubles rounded to 15 digits, just above that range; such a text
// reads as the nearest double: the largest finite one of its sign, or zero for a number too
// small. strtod in the C locale tells the two apart.
double NearestInRange(std::string_view number)
{
    static const locale_t cLocale = ::newlocale(LC_ALL_MASK, "C", nullptr);
    const std::string text(number);
    const double value = ::strtod_l(text.c_str(), nullptr, cLocale);
    return std::isinf(value) ? std::copysign(DBL_MAX, value) : value;
}

}  // namespace

std::int32_t TextToInteger(std::optional<std::string_view> text)
{
    if (!text)
        RaiseNullConversion("Integer");
    return ParseInt(*text);
}

std::int64_t TextToInt64(std::optional<std::string_view> text)
{
    if (!text)
        RaiseNullConversion("Int64");
    return ParseInt64(*text);
}

double TextToFloat(std::optional<std::string_view> text)
{
    if (!text)
        RaiseNullConversion("Double");
    std::string_view number = *text;
    if (number.size() > 1 && number.front() == '+' && number[1] != '-')
        number.remove_prefix(1);
    double value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    if (number.empty() || end != number.data() + number.size() ||
        (error != std::errc() && error != std::errc::result_out_of_range))
        throw EConvertError("'" + std::string(*text) + "' is not a valid floating point value");
    return error == std::errc::result_out_of_range ? NearestInRange(number) : value;
}

// The general format of the description, with as many digits as it takes to read the same
// double back (std::to_chars gives the shortest such digits): fixed notation for decimal
// exponents from -4 to 14, otherwise a mantissa and "E" with the exponent without "+" or
// leading zeros. A value that needs no more than 15 digits is written as before: 0.1,
// 1234.5, 1E20, 1.5E-5.
//
// NaN is written as NAN and the infinities as INF and -INF, the texts the earlier writer
// gave them; the reader takes them back, so the infinities return exactly and a NaN
// returns as a NaN (its sign and payload are not kept).
std::string FloatToText(double value)
{
    if (std::isnan(value))
        return "NAN";
    if (std::isinf(value))
        return value < 0 ? "-INF" : "INF";
    char buffer[64];
    const auto scientific = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    const std::string_view digits(buffer, static_cast<std::size_t>(scientific.ptr - buffer));
    const auto e = digits.find('e');
    const int exponent = std::atoi(std::string(digits.substr(e + 1)).c_str());
    if (exponent >= -4 && exponent < 15) {
        const auto fixed = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
        return std::string(buffer, fixed.ptr);
    }
    return std::string(digits.substr(0, e)) + "E" + std::to_string(exponent);
}
