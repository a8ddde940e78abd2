#pragma once

#include "common/logging/Logger.h"

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <exception>
#include <span>
#include <string>
#include <string_view>

// What a record shows of the error it reports, taken while the error is at hand.
struct TExceptionDetails {
    bool Present = false;
    std::string Text;        // " <class name> <message>", or empty
    std::string StackTrace;  // the calls active where the error was raised
};

TExceptionDetails DescribeException(const std::exception* e);

// What the cycling before a record did.
enum TCycleOutcome { coNothingDone, coArchived, coFailed };

// The line written before the record: none, or what the cycling did.
std::string_view CycleLine(TCycleOutcome outcome);

// One record as a logger hands it to its file.
struct TLogRecord {
    std::string_view CycleLine;  // the line that reports the cycling before the record, or empty
    TLogLevel Level;
    std::string_view Prefix;  // "<level> [<stamp>] : ", see RecordPrefix
    std::time_t Second;       // the second of the time stamp, which names an archive made for the record
    std::span<const std::string_view> Message;  // one piece after the other
    const TExceptionDetails& Exception;
};

// "<level> [<stamp>] : ", the head of a record line; worked out once per thread, level and
// millisecond (the stamp's), and valid until the thread asks again.
std::string_view RecordPrefix(TLogLevel level, std::string_view stamp, std::int64_t millisecond);

// Where the parts of a record lie in the text it was appended to, so that a record which
// cannot be written can still be reported in full. Records are put into blocks far below
// 4 GiB, and a record larger than a block is put there without its message.
struct TRecordSpan {
    std::uint32_t Begin;  // the level text; any cycle line lies before it
    std::uint32_t MessageBegin;
    std::uint32_t MessageEnd;
    std::uint32_t ExceptionEnd;
    std::uint32_t End;
    TLogLevel Level;
    std::time_t Second;
};

// The bytes PutRecord puts.
std::size_t RecordSize(const TLogRecord& record);

// Puts the cycle line and "<prefix><message><exception text>", CR LF, and with an error
// "Stack trace follows:" and its trace, at the given place of a text that has room for
// RecordSize bytes there, and tells where the parts went. The span is filled in place:
// records are many, and a span copied right after its fields were stored costs more than
// the record's text.
void PutRecord(char* text, std::size_t at, const TLogRecord& record, TRecordSpan& span);

// "[<stamp>] : critical error: <failure> while logging message: <message> in file: [<file>]
// with log level: <level> (<exception text>)" and the record's stack trace lines: the line
// that replaces a record of text which could not be written. The message is passed apart,
// as a record may have been appended without it.
std::string FailureRecordText(std::string_view text, const TRecordSpan& record, std::string_view message,
                              std::string_view failure, std::string_view fileName);
