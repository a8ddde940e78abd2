#include "common/XmlPersistance/WideText.h"

#include "common/core/Text.h"

#include <algorithm>
#include <cstdint>

namespace {

template <class TUnit>
bool IsAscii(TUnit unit)
{
    return static_cast<std::uint32_t>(unit) < 0x80;
}

// Copies the ASCII runs unit by unit and passes the runs between them to convert.
template <class TResult, class TSource, class TConvert>
TResult ConvertByRuns(TSource text, TConvert convert)
{
    TResult result;
    result.reserve(text.size());
    auto position = text.begin();
    while (position != text.end()) {
        const auto otherStart = std::find_if_not(position, text.end(), IsAscii<typename TSource::value_type>);
        result.append(position, otherStart);
        position = std::find_if(otherStart, text.end(), IsAscii<typename TSource::value_type>);
        if (otherStart != position)
            result += convert(TSource(&*otherStart, static_cast<std::size_t>(position - otherStart)));
    }
    return result;
}

}  // namespace

std::u16string WideTextOf(std::string_view text)
{
    return ConvertByRuns<std::u16string>(text, Utf8ToUtf16);
}

std::string NarrowTextOf(std::u16string_view text)
{
    return ConvertByRuns<std::string>(text, Utf16ToUtf8);
}
