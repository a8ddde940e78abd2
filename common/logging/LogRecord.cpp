#include "common/logging/LogRecord.h"

#include "common/core/Exception.h"

#include <cstring>

namespace {

constexpr std::string_view LineEnd = "\r\n";
constexpr std::string_view StackTraceHeading = "Stack trace follows:";

std::size_t StackTraceLinesSize(const TExceptionDetails& exception)
{
    if (!exception.Present)
        return 0;
    return StackTraceHeading.size() + LineEnd.size() + exception.StackTrace.size() + LineEnd.size();
}

std::string_view Slice(std::string_view text, std::size_t begin, std::size_t end)
{
    return text.substr(begin, end - begin);
}

}  // namespace

TExceptionDetails DescribeException(const std::exception* e)
{
    if (!e)
        return {};
    return {true, " " + ClassNameOf(*e) + " " + e->what(), StackTraceOf(*e)};
}

std::size_t RecordSize(const TLogRecord& record)
{
    return record.CycleLine.size() + std::strlen(LogLevelText(record.Level)) + 2 + record.TimeStamp.size() + 4 +
           record.Message.size() + record.Exception.Text.size() + LineEnd.size() + StackTraceLinesSize(record.Exception);
}

TRecordSpan AppendRecord(std::string& text, const TLogRecord& record)
{
    TRecordSpan span{};
    span.Level = record.Level;
    text += record.CycleLine;
    span.Begin = text.size();
    text += LogLevelText(record.Level);
    text += " [";
    text += record.TimeStamp;
    text += "] : ";
    span.MessageBegin = text.size();
    text += record.Message;
    span.MessageEnd = text.size();
    text += record.Exception.Text;
    span.ExceptionEnd = text.size();
    text += LineEnd;
    if (record.Exception.Present) {
        text += StackTraceHeading;
        text += LineEnd;
        text += record.Exception.StackTrace;
        text += LineEnd;
    }
    span.End = text.size();
    return span;
}

std::string FailureRecordText(std::string_view text, const TRecordSpan& record, std::string_view message,
                              std::string_view failure, std::string_view fileName)
{
    const std::string_view levelText = LogLevelText(record.Level);
    const std::string_view prefix = Slice(text, record.Begin + levelText.size() + 1, record.MessageBegin);
    std::string line;
    line += prefix;
    line += "critical error: <";
    line += failure;
    line += "> while logging message: <";
    line += message;
    line += "> in file: [";
    line += fileName;
    line += "] with log level: ";
    line += levelText;
    line += " (";
    line += Slice(text, record.MessageEnd, record.ExceptionEnd);
    line += ")";
    line += LineEnd;
    line += Slice(text, record.ExceptionEnd + LineEnd.size(), record.End);
    return line;
}
