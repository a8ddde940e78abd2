#include "http/InternetDate.h"

#include "common/core/Text.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

using namespace std::chrono;

constexpr std::array<const char*, 7> DayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::array<const char*, 12> MonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

// 1 to 12 for a token that begins with "JAN" to "DEC" in any case, 0 otherwise.
unsigned MonthNumber(std::string_view token)
{
    for (unsigned i = 0; i < MonthNames.size(); ++i)
        if (token.size() >= 3 && SameTextAscii(token.substr(0, 3), MonthNames[i]))
            return i + 1;
    return 0;
}

bool IsDelimiter(unsigned char c)
{
    return c == 0x09 || (c >= 0x20 && c <= 0x2F) || (c >= 0x3B && c <= 0x40) || (c >= 0x5B && c <= 0x60) ||
           (c >= 0x7B && c <= 0x7E);
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

struct TDateToken {
    std::string_view Text;
    char Before = '\0';  // the delimiter just in front of the token
};

std::vector<TDateToken> DateTokens(std::string_view text)
{
    std::vector<TDateToken> tokens;
    size_t i = 0;
    while (i < text.size()) {
        if (IsDelimiter(static_cast<unsigned char>(text[i]))) {
            ++i;
            continue;
        }
        const size_t start = i;
        while (i < text.size() && !IsDelimiter(static_cast<unsigned char>(text[i])))
            ++i;
        tokens.push_back({text.substr(start, i - start), start > 0 ? text[start - 1] : '\0'});
    }
    return tokens;
}

// minDigits to maxDigits digits at the front of text, followed by its end or a non-digit;
// rest is what follows them.
std::optional<int> LeadingNumber(std::string_view text, size_t minDigits, size_t maxDigits, std::string_view& rest)
{
    size_t count = 0;
    while (count < text.size() && IsDigit(text[count]))
        ++count;
    if (count < minDigits || count > maxDigits)
        return std::nullopt;
    int value = 0;
    for (size_t i = 0; i < count; ++i)
        value = value * 10 + (text[i] - '0');
    rest = text.substr(count);
    return value;
}

std::optional<int> LeadingNumber(std::string_view text, size_t minDigits, size_t maxDigits)
{
    std::string_view rest;
    return LeadingNumber(text, minDigits, maxDigits, rest);
}

struct TTimeOfDay {
    int Hours = 0;
    int Minutes = 0;
    int Seconds = 0;
};

// "h:m:s" with one or two digits each.
std::optional<TTimeOfDay> TimeOfDay(std::string_view token)
{
    TTimeOfDay time;
    int* parts[] = {&time.Hours, &time.Minutes, &time.Seconds};
    std::string_view rest = token;
    for (size_t i = 0; i < 3; ++i) {
        const auto value = LeadingNumber(rest, 1, 2, rest);
        if (!value)
            return std::nullopt;
        *parts[i] = *value;
        if (i < 2) {
            if (rest.empty() || rest[0] != ':')
                return std::nullopt;
            rest.remove_prefix(1);
        }
    }
    return time;
}

// "+0100" is one hour ahead of UTC.
std::optional<seconds> ZoneOffset(const TDateToken& token)
{
    if ((token.Before != '+' && token.Before != '-') || token.Text.size() != 4 ||
        !std::all_of(token.Text.begin(), token.Text.end(), IsDigit))
        return std::nullopt;
    const seconds offset = hours((token.Text[0] - '0') * 10 + (token.Text[1] - '0')) +
                           minutes((token.Text[2] - '0') * 10 + (token.Text[3] - '0'));
    return token.Before == '-' ? -offset : offset;
}

// Two-digit years as cookies use them: 70 to 99 are 1970 to 1999, 0 to 69 are 2000 to 2069.
int FullYear(int year)
{
    if (year < 70)
        return year + 2000;
    if (year < 100)
        return year + 1900;
    return year;
}

struct TDateParts {
    std::optional<TTimeOfDay> Time;
    std::optional<int> Day;
    unsigned Month = 0;
    std::optional<int> Year;
    std::optional<seconds> Offset;
};

TDateParts ReadDateParts(std::string_view text)
{
    TDateParts parts;
    for (const TDateToken& token : DateTokens(text)) {
        if (!parts.Time && (parts.Time = TimeOfDay(token.Text)))
            continue;
        if (!parts.Day && (parts.Day = LeadingNumber(token.Text, 1, 2)))
            continue;
        if (parts.Month == 0 && (parts.Month = MonthNumber(token.Text)) != 0)
            continue;
        if (!parts.Year && (parts.Year = LeadingNumber(token.Text, 2, 4)))
            continue;
        if (!parts.Offset)
            parts.Offset = ZoneOffset(token);
    }
    return parts;
}

}  // namespace

std::optional<sys_seconds> ReadInternetDate(std::string_view text)
{
    const TDateParts parts = ReadDateParts(text);
    if (!parts.Time || !parts.Day || parts.Month == 0 || !parts.Year)
        return std::nullopt;
    const int year = FullYear(*parts.Year);
    const TTimeOfDay& time = *parts.Time;
    const year_month_day date{std::chrono::year(year), std::chrono::month(parts.Month),
                              std::chrono::day(static_cast<unsigned>(*parts.Day))};
    if (year < 1601 || !date.ok() || time.Hours > 23 || time.Minutes > 59 || time.Seconds > 59)
        return std::nullopt;
    return sys_days(date) + hours(time.Hours) + minutes(time.Minutes) + seconds(time.Seconds) -
           parts.Offset.value_or(seconds(0));
}

std::string FormatLocalInternetDate(system_clock::time_point time)
{
    const std::time_t seconds = system_clock::to_time_t(time);
    std::tm local{};
    localtime_r(&seconds, &local);
    const long offset = local.tm_gmtoff;
    const long absoluteMinutes = (offset < 0 ? -offset : offset) / 60;
    char text[64];
    std::snprintf(text, sizeof text, "%s, %d %s %04d %02d:%02d:%02d %c%02ld%02ld", DayNames[local.tm_wday],
                  local.tm_mday, MonthNames[local.tm_mon], local.tm_year + 1900, local.tm_hour, local.tm_min,
                  local.tm_sec, offset < 0 ? '-' : '+', absoluteMinutes / 60, absoluteMinutes % 60);
    return text;
}
