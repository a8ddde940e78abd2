#include "common/core/IntegerText.h"

#include <charconv>
#include <limits>
#include <string>

std::optional<int64_t> TryParseInt64(std::string_view text)
{
    if (!text.empty() && text.front() == '+') {
        text.remove_prefix(1);
        if (!text.empty() && text.front() == '-')
            return std::nullopt;
    }
    int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

std::optional<int> TryParseInt(std::string_view text)
{
    const auto value = TryParseInt64(text);
    if (!value || *value < std::numeric_limits<int>::min() || *value > std::numeric_limits<int>::max())
        return std::nullopt;
    return static_cast<int>(*value);
}

namespace {

template <class T>
T ValueOrConvertError(std::optional<T> value, std::string_view text)
{
    if (!value)
        throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
    return *value;
}

}  // namespace

int ParseInt(std::string_view text)
{
    return ValueOrConvertError(TryParseInt(text), text);
}

int64_t ParseInt64(std::string_view text)
{
    return ValueOrConvertError(TryParseInt64(text), text);
}
