#include "common/logging/LogRecord.h"

#include "common/core/Exception.h"

namespace {

const std::string LineEnd = "\r\n";

std::string StackTraceLines(const TExceptionDetails& exception)
{
    if (!exception.Present)
        return {};
    return "Stack trace follows:" + LineEnd + exception.StackTrace + LineEnd;
}

}  // namespace

TExceptionDetails DescribeException(const std::exception* e)
{
    if (!e)
        return {};
    return {true, " " + ClassNameOf(*e) + " " + e->what(), StackTraceOf(*e)};
}

std::string RecordPrefix(const std::string& timeStamp)
{
    return "[" + timeStamp + "] : ";
}

std::string RecordText(TLogLevel level, const std::string& prefix, const std::string& message,
                       const TExceptionDetails& exception)
{
    std::string text;
    text.reserve(prefix.size() + message.size() + exception.Text.size() + 16);
    text += LogLevelText(level);
    text += ' ';
    text += prefix;
    text += message;
    text += exception.Text;
    text += LineEnd;
    return text + StackTraceLines(exception);
}

std::string FailureRecordText(const std::string& prefix, const std::string& failure, const std::string& message,
                              const std::string& fileName, TLogLevel level, const TExceptionDetails& exception)
{
    return prefix + "critical error: <" + failure + "> while logging message: <" + message + "> in file: [" +
           fileName + "] with log level: " + LogLevelText(level) + " (" + exception.Text + ")" + LineEnd +
           StackTraceLines(exception);
}
