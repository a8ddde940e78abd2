#include "common/logging/LogTime.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdint>
#include <cstdio>
#include <limits>

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

bool SameSecond(const std::tm& a, const std::tm& b)
{
    return a.tm_sec == b.tm_sec && a.tm_min == b.tm_min && a.tm_hour == b.tm_hour && a.tm_mday == b.tm_mday &&
           a.tm_mon == b.tm_mon && a.tm_year == b.tm_year;
}

// The record time stamp without its milliseconds.
std::string RecordStampOfSecond(const std::tm& calendar)
{
    std::string stamp = ShortDate(calendar);
    if (IsMidnight(calendar))
        return stamp;
    char clock[16];
    std::snprintf(clock, sizeof clock, " %02d:%02d:%02d", calendar.tm_hour, calendar.tm_min, calendar.tm_sec);
    return stamp + clock;
}

// A logger writes many records per second; the calendar and the text of the current
// second are worked out once per thread and second.
const std::tm& LocalCalendar(std::time_t seconds)
{
    thread_local std::time_t cachedSeconds = -1;
    thread_local std::tm calendar{};
    if (seconds != cachedSeconds) {
        localtime_r(&seconds, &calendar);
        cachedSeconds = seconds;
    }
    return calendar;
}

const std::string& CachedRecordStampOfSecond(const std::tm& calendar)
{
    thread_local std::tm cachedFor{};
    thread_local std::string stamp;
    if (stamp.empty() || !SameSecond(cachedFor, calendar)) {
        stamp = RecordStampOfSecond(calendar);
        cachedFor = calendar;
    }
    return stamp;
}

std::int64_t NowInMilliseconds()
{
    const auto now = InstalledClock() ? InstalledClock()() : std::chrono::system_clock::now();
    return std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
}

std::time_t SecondOf(std::int64_t millisecond)
{
    return static_cast<std::time_t>(millisecond / 1000);
}

TLocalTime LocalTimeAt(std::int64_t millisecond)
{
    TLocalTime time;
    time.Calendar = LocalCalendar(SecondOf(millisecond));
    time.Millisecond = static_cast<int>(millisecond % 1000);
    return time;
}

}  // namespace

void SetLogClock(TLogClock clock)
{
    InstalledClock() = std::move(clock);
}

TLocalTime CurrentLocalTime()
{
    return LocalTimeAt(NowInMilliseconds());
}

// Records come far faster than milliseconds pass: a record in the millisecond of the one
// before takes its stamp without formatting it again.
TRecordMoment CurrentRecordMoment()
{
    thread_local std::int64_t cachedMillisecond = std::numeric_limits<std::int64_t>::min();
    thread_local std::string stamp;
    thread_local std::time_t second = 0;
    const std::int64_t now = NowInMilliseconds();
    if (now != cachedMillisecond) {
        const TLocalTime time = LocalTimeAt(now);
        stamp.clear();
        AppendRecordTimeStamp(stamp, time);
        second = SecondOf(now);
        cachedMillisecond = now;
    }
    return {stamp, second, cachedMillisecond};
}

std::string RecordTimeStamp(const TLocalTime& time)
{
    std::string stamp;
    AppendRecordTimeStamp(stamp, time);
    return stamp;
}

void AppendRecordTimeStamp(std::string& text, const TLocalTime& time)
{
    text += CachedRecordStampOfSecond(time.Calendar);
    if (IsMidnight(time.Calendar))
        return;
    const int ms = time.Millisecond;
    const char milliseconds[] = {':', static_cast<char>('0' + ms / 100), static_cast<char>('0' + ms / 10 % 10),
                                 static_cast<char>('0' + ms % 10)};
    text.append(milliseconds, sizeof milliseconds);
}

std::string ArchiveTimeStamp(std::time_t second)
{
    TLocalTime time;
    localtime_r(&second, &time.Calendar);
    return ArchiveTimeStamp(time);
}

std::string ArchiveTimeStamp(const TLocalTime& time)
{
    const std::tm& c = time.Calendar;
    char stamp[64];
    if (IsMidnight(c))
        std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d", c.tm_year + 1900, c.tm_mon + 1, c.tm_mday);
    else
        std::snprintf(stamp, sizeof stamp, "%04d-%02d-%02d %02d-%02d-%02d", c.tm_year + 1900, c.tm_mon + 1, c.tm_mday,
                      c.tm_hour, c.tm_min, c.tm_sec);
    return stamp;
}
