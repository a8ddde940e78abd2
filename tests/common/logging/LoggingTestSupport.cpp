#include "tests/common/logging/LoggingTestSupport.h"

#include "common/logging/LogTime.h"
#include "common/logging/Logger.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <ctime>
#include <filesystem>

namespace {

std::chrono::system_clock::time_point PinnedTime;

class TLoggingTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ProcessFolder(); }
};

[[maybe_unused]] auto* const Environment = ::testing::AddGlobalTestEnvironment(new TLoggingTestEnvironment);

std::string Lowered(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

}  // namespace

const std::string& ProcessFolder()
{
    // Removed at the end of the process, after the loggers made later have gone.
    static const TTempFolder temporary;
    static const std::string folder = [] {
        const std::string path = temporary.Path().string() + "/";
        ::setenv("temp", path.c_str(), 1);
        ::setenv("LC_ALL", "C", 1);
        return path;
    }();
    return folder;
}

std::string TestFolder()
{
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string folder =
        ProcessFolder() + Lowered(std::string(info->test_suite_name()) + "_" + info->name()) + "/";
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder;
}

std::string CriticalLogFile()
{
    return ProcessFolder() + "Brevin_Logger_Critical_logging_tests.log";
}

std::vector<std::string> LogLines(const std::string& path)
{
    TLogger::FlushAll();
    const std::string content = ReadFile(path);
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = content.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(content.substr(start, end - start));
    EXPECT_EQ(start, content.size()) << "the last line of " << path << " does not end in CR LF";
    return lines;
}

bool ParseRecordLine(const std::string& line, TRecordLine& record)
{
    static const std::string stampShape = "[dd/dd/dd dd:dd:dd:ddd] : ";
    const size_t blank = line.find(' ');
    if (blank == std::string::npos || line.size() < blank + 1 + stampShape.size())
        return false;
    for (size_t i = 0; i < stampShape.size(); ++i) {
        const char c = line[blank + 1 + i];
        if (stampShape[i] == 'd' ? !std::isdigit(static_cast<unsigned char>(c)) : c != stampShape[i])
            return false;
    }
    record.Level = line.substr(0, blank);
    record.Message = line.substr(blank + 1 + stampShape.size());
    return true;
}

std::vector<std::string> FilesIn(const std::string& folder)
{
    TLogger::FlushAll();
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::chrono::system_clock::time_point LocalTime(int year, int month, int day, int hour, int minute, int second,
                                                int millisecond)
{
    std::tm calendar{};
    calendar.tm_year = year - 1900;
    calendar.tm_mon = month - 1;
    calendar.tm_mday = day;
    calendar.tm_hour = hour;
    calendar.tm_min = minute;
    calendar.tm_sec = second;
    calendar.tm_isdst = -1;
    return std::chrono::system_clock::from_time_t(std::mktime(&calendar)) + std::chrono::milliseconds(millisecond);
}

TFixedClock::TFixedClock(std::chrono::system_clock::time_point now)
{
    Set(now);
    SetLogClock([] { return PinnedTime; });
}

TFixedClock::~TFixedClock()
{
    SetLogClock(nullptr);
}

void TFixedClock::Set(std::chrono::system_clock::time_point now)
{
    PinnedTime = now;
}
