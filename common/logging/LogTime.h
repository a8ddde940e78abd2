#pragma once

#include <chrono>
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>

// A moment in local time, to the millisecond.
struct TLocalTime {
    std::tm Calendar{};
    int Millisecond = 0;
};

// Where log records get "now" from. Tests install a fixed clock; an empty function
// restores the system clock. Set it only while no other thread logs.
using TLogClock = std::function<std::chrono::system_clock::time_point()>;
void SetLogClock(TLogClock clock);

TLocalTime CurrentLocalTime();

// Now, as a record shows it: the record time stamp, and the second it falls in (which names
// an archive made for the record). Worked out once per thread and millisecond; the text
// stays valid until the thread asks again.
struct TRecordMoment {
    std::string_view RecordStamp;
    std::time_t Second;
    std::int64_t Millisecond;  // since the epoch
};
TRecordMoment CurrentRecordMoment();

// The date in the default locale's short date format; then, unless hour, minute and second
// are all zero, a blank and "hh:mm:ss:zzz".
std::string RecordTimeStamp(const TLocalTime& time);
void AppendRecordTimeStamp(std::string& text, const TLocalTime& time);

// "yyyy-mm-dd"; then, unless hour, minute and second are all zero, a blank and "hh-mm-ss".
std::string ArchiveTimeStamp(const TLocalTime& time);
std::string ArchiveTimeStamp(std::time_t second);
