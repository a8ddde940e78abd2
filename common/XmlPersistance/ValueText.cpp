#include "common/XmlPersistance/ValueText.h"

#include "common/XmlPersistance/XmlPersistanceErrors.h"

#include <charconv>
#include <cstdio>
#include <system_error>

namespace {

[[noreturn]] void RaiseNullConversion(const char* typeName)
{
    throw EConvertError(std::string("Could not convert variant of type (Null) into type (") + typeName + ")");
}

// Accepts an optional sign and decimal digits, nothing else.
template <class T>
T ParseDecimal(std::optional<std::string_view> text, const char* typeName)
{
    if (!text)
        RaiseNullConversion(typeName);
    std::string_view digits = *text;
    if (digits.size() > 1 && digits.front() == '+' && digits[1] != '-')
        digits.remove_prefix(1);
    T value{};
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        throw EConvertError("'" + std::string(*text) + "' is not a valid integer value");
    return value;
}

}  // namespace

std::int32_t TextToInteger(std::optional<std::string_view> text)
{
    return ParseDecimal<std::int32_t>(text, "Integer");
}

std::int64_t TextToInt64(std::optional<std::string_view> text)
{
    return ParseDecimal<std::int64_t>(text, "Int64");
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
    if (number.empty() || error != std::errc() || end != number.data() + number.size())
        throw EConvertError("'" + std::string(*text) + "' is not a valid floating point value");
    return value;
}

std::string FloatToText(double value)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    std::string text = buffer;
    // printf writes the exponent as E+20 or E-05; the general format writes E20 and E-5.
    const auto exponent = text.find('E');
    if (exponent == std::string::npos)
        return text;
    std::string mantissa = text.substr(0, exponent);
    std::string power = text.substr(exponent + 1);
    const bool negative = power.front() == '-';
    power.erase(0, power.find_first_not_of("+-"));
    power.erase(0, std::min(power.find_first_not_of('0'), power.size() - 1));
    return mantissa + "E" + (negative ? "-" : "") + power;
}
