#include "common/logging/LogTime.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdio>

namespace {

TLogClock& InstalledClock()
{
    static TLogClock clock;
    return clock;
}

// The user's default locale, read once without changing the process locale (setlocale
// would also change how numbers are parsed and printed everywhere else).
locale_t DefaultLocale()
{
    static const locale_t locale = [] {
        locale_t user = newlocale(LC_ALL_MASK, "", static_cast<locale_t>(nullptr));
        return user ? user : newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    }();
    return locale;
}

const std::string& ShortDateFormat()
{
    static const std::string format = nl_langinfo_l(D_FMT, DefaultLocale());
    return format;
}

bool IsMidnight(const std::tm& calendar)
{
    return calendar.tm_hour == 0 && calendar.tm_min == 0 && calendar.tm_sec == 0;
}

std::string ShortDate(const std::tm& calendar)
{
    char text[128];
    const size_t length = strftime_l(text, sizeof text, ShortDateFormat().c_str(), &calendar, DefaultLocale());
    return std::string(text, length);
}

}  // namespace

void SetLogClock(TLogClock clock)
{
    InstalledClock() = std::move(clock);
}

TLocalTime CurrentLocalTime()
{
    const auto now = InstalledClock() ? InstalledClock()() : std::chrono::system_clock::now();
    const auto sinceEpoch = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch());
    const std::time_t seconds = std::chrono::system_clock::to_time_t(
        std::chrono::system_clock::time_point(std::chrono::duration_cast<std::chrono::seconds>(sinceEpoch)));
    TLocalTime time;
    localtime_r(&seconds, &time.Calendar);
    time.Millisecond = static_cast<int>(sinceEpoch.count() % 1000);
    return time;
}

std::string RecordTimeStamp(const TLocalTime& time)
{
    std::string stamp = ShortDate(time.Calendar);
    if (IsMidnight(time.Calendar))
        return stamp;
    char clock[32];
    std::snprintf(clock, sizeof clock, " %02d:%02d:%02d:%03d", time.Calendar.tm_hour, time.Calendar.tm_min,
                  time.Calendar.tm_sec, time.Millisecond);
    return stamp + clock;
}

std::string ArchiveTimeStamp(const TLocalTime& time)
{
    const std::tm& c = time.Calendar;
    char stamp[64];
    if (IsMidnight(c))
        std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d", c.tm_year + 1900, c.tm_mon + 1, c.tm_mday);
    else
        std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d-%02d-%02d", c.tm_year + 1900, c.tm_mon + 1,
                      c.tm_mday, c.tm_hour, c.tm_min, c.tm_sec);
    return stamp;
}
