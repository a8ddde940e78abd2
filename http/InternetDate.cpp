#include "http/InternetDate.h"

#include "common/core/Text.h"
#include "http/IntegerText.h"
#include "http/TextTrim.h"

#include <array>
#include <cstdio>
#include <ctime>

namespace {

using namespace std::chrono;

constexpr std::array<const char*, 7> DayNames{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr std::array<const char*, 12> MonthNames{"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

bool IsDayName(std::string_view text)
{
    for (const char* name : DayNames)
        if (SameTextAscii(text, name))
            return true;
    return false;
}

// 1 to 12 for a whole field "JAN" to "DEC" in any case, 0 otherwise.
unsigned MonthNumber(std::string_view field)
{
    for (unsigned i = 0; i < MonthNames.size(); ++i)
        if (SameTextAscii(field, MonthNames[i]))
            return i + 1;
    return 0;
}

// Takes the text up to the separator and the blanks after it.
std::string_view NextField(std::string_view& rest, char separator)
{
    const size_t end = rest.find(separator);
    const std::string_view field = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : TrimLeft(rest.substr(end + 1));
    return field;
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

struct TTimeOfDay {
    int Hours = 0;
    int Minutes = 0;
    int Seconds = 0;
};

TTimeOfDay ReadTime(std::string_view text)
{
    TTimeOfDay time;
    int* parts[] = {&time.Hours, &time.Minutes, &time.Seconds};
    for (int* part : parts)
        *part = TryParseInt(NextField(text, ':')).value_or(0);
    return time;
}

// "+0100" is one hour ahead of UTC; anything else, "GMT" included, is UTC.
std::optional<seconds> ZoneOffset(std::string_view zone)
{
    if (zone.size() <= 4 || (zone[0] != '+' && zone[0] != '-'))
        return seconds(0);
    const auto hours = TryParseInt(zone.substr(1, 2));
    const auto minutes = TryParseInt(zone.substr(3, 2));
    if (!hours || !minutes || *hours < 0 || *minutes < 0)
        return std::nullopt;
    const seconds offset = std::chrono::hours(*hours) + std::chrono::minutes(*minutes);
    return zone[0] == '-' ? -offset : offset;
}

}  // namespace

std::optional<sys_seconds> ReadInternetDate(std::string_view text)
{
    std::string_view rest = Trim(text);
    if (rest.size() >= 3 && IsDayName(rest.substr(0, 3))) {
        const size_t blank = rest.find(' ');
        rest = blank == std::string_view::npos ? std::string_view() : TrimLeft(rest.substr(blank + 1));
    }
    const size_t dash = rest.find('-');
    const char separator = dash != std::string_view::npos && dash >= 1 && dash < rest.find(' ') ? '-' : ' ';

    const std::string_view first = NextField(rest, separator);
    unsigned month = MonthNumber(first);
    std::string_view dayText;
    if (month != 0) {
        dayText = NextField(rest, separator);
    } else {
        dayText = first;
        month = MonthNumber(NextField(rest, separator));
    }
    if (month == 0)
        return std::nullopt;
    const int day = TryParseInt(dayText).value_or(1);

    std::string_view yearText = NextField(rest, ' ');
    std::string_view timeText;
    if (!TryParseInt(yearText)) {
        timeText = yearText;
        yearText = NextField(rest, ' ');
    }
    const auto year = TryParseInt(yearText);
    if (!year || *year < 0 || *year > 9999)
        return std::nullopt;
    if (timeText.empty() && rest.find(':') != std::string_view::npos)
        timeText = NextField(rest, ' ');
    const TTimeOfDay time = ReadTime(timeText);
    const auto offset = ZoneOffset(Trim(rest));

    const year_month_day date{std::chrono::year(FullYear(*year)), std::chrono::month(month),
                              std::chrono::day(static_cast<unsigned>(day))};
    if (!offset || day < 1 || !date.ok() || time.Hours < 0 || time.Hours > 23 || time.Minutes < 0 ||
        time.Minutes > 59 || time.Seconds < 0 || time.Seconds > 59)
        return std::nullopt;
    return sys_days(date) + hours(time.Hours) + minutes(time.Minutes) + seconds(time.Seconds) - *offset;
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
