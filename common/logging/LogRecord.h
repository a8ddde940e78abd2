#pragma once

#include "common/logging/Logger.h"

#include <exception>
#include <string>

// What a record shows of the error it reports, taken while the error is at hand.
struct TExceptionDetails {
    bool Present = false;
    std::string Text;        // " <class name> <message>", or empty
    std::string StackTrace;  // the calls active where the error was raised
};

TExceptionDetails DescribeException(const std::exception* e);

// "[<record time stamp>] : "
std::string RecordPrefix(const std::string& timeStamp);

// "<level> <prefix><message><exception text>" and, with an error, its stack trace lines.
std::string RecordText(TLogLevel level, const std::string& prefix, const std::string& message,
                       const TExceptionDetails& exception);

// The line that replaces a record which could not be written, plus the stack trace lines.
std::string FailureRecordText(const std::string& prefix, const std::string& failure, const std::string& message,
                              const std::string& fileName, TLogLevel level, const TExceptionDetails& exception);
