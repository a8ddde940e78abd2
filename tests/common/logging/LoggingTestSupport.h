#pragma once

#include <chrono>
#include <string>
#include <vector>

// Every test of this program shares one process-wide folder that is also the temporary
// folder ("temp"), set before the first logger exists; each test writes below a folder of
// its own in it.
const std::string& ProcessFolder();

// An empty folder named after the running test, with a trailing '/'.
std::string TestFolder();

std::string CriticalLogFile();

// The lines of a log file, without their CR LF ends, after every logger wrote its buffer.
std::vector<std::string> LogLines(const std::string& path);

// Splits a record line "<level> [mm/dd/yy hh:mm:ss:zzz] : <message>"; false when the line
// has another shape.
struct TRecordLine {
    std::string Level;
    std::string Message;
};
bool ParseRecordLine(const std::string& line, TRecordLine& record);

// The names in a folder, in order, after every logger wrote its buffer.
std::vector<std::string> FilesIn(const std::string& folder);

// A local time as the clock seam wants it.
std::chrono::system_clock::time_point LocalTime(int year, int month, int day, int hour, int minute, int second,
                                                int millisecond = 0);

// Pins the logger's clock for the life of the object.
class TFixedClock {
public:
    explicit TFixedClock(std::chrono::system_clock::time_point now);
    ~TFixedClock();
    void Set(std::chrono::system_clock::time_point now);
};
