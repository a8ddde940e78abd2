#include "common/logging/LogRecord.h"

#include "common/core/Exception.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <string>

namespace {

constexpr std::string_view LineEnd = "\r\n";
constexpr std::string_view StackTraceHeading = "Stack trace follows:";

std::size_t StackTraceLinesSize(const TExceptionDetails& exception)
{
    if (!exception.Present)
        return 0;
    return StackTraceHeading.size() + LineEnd.size() + exception.StackTrace.size() + LineEnd.size();
}

// The level texts with their lengths, worked out once rather than for every record.
std::string_view LevelText(TLogLevel level)
{
    static const auto texts = [] {
        std::array<std::string_view, llAll + 1> all;
        for (int each = llNone; each <= llAll; ++each)
            all[each] = LogLevelText(static_cast<TLogLevel>(each));
        return all;
    }();
    return level <= llAll ? texts[level] : std::string_view(LogLevelText(level));
}

// The first and the last Width bytes of a piece of Width to 2 * Width bytes, which covers it.
template <std::size_t Width>
void CopyEnds(char* out, const char* in, std::size_t size)
{
    char head[Width];
    char tail[Width];
    std::memcpy(head, in, Width);
    std::memcpy(tail, in + size - Width, Width);
    std::memcpy(out, head, Width);
    std::memcpy(out + size - Width, tail, Width);
}

// Most pieces of a record are a few bytes long, where calling the library's copy costs
// more than the copy itself: those take two moves of a fixed width.
char* PutPiece(char* out, std::string_view piece)
{
    const std::size_t size = piece.size();
    if (size > 32)
        std::memcpy(out, piece.data(), size);
    else if (size >= 16)
        CopyEnds<16>(out, piece.data(), size);
    else if (size >= 8)
        CopyEnds<8>(out, piece.data(), size);
    else if (size >= 4)
        CopyEnds<4>(out, piece.data(), size);
    else
        for (std::size_t i = 0; i < size; ++i)
            out[i] = piece[i];
    return out + size;
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
    // Appended piece by piece: GCC 12 at -O3 takes a chain of + for overlapping copies.
    TExceptionDetails details{true, " ", StackTraceOf(*e)};
    details.Text += ClassNameOf(*e);
    details.Text += ' ';
    details.Text += e->what();
    return details;
}

std::string_view RecordPrefix(TLogLevel level, std::string_view stamp, std::int64_t millisecond)
{
    thread_local TLogLevel cachedLevel = llNone;
    thread_local std::int64_t cachedMillisecond = std::numeric_limits<std::int64_t>::min();
    thread_local std::string prefix;
    if (level != cachedLevel || millisecond != cachedMillisecond) {
        prefix.clear();
        prefix += LevelText(level);
        prefix += " [";
        prefix += stamp;
        prefix += "] : ";
        cachedLevel = level;
        cachedMillisecond = millisecond;
    }
    return prefix;
}

std::size_t RecordSize(const TLogRecord& record)
{
    std::size_t size = record.CycleLine.size() + record.Prefix.size() + record.Exception.Text.size() + LineEnd.size() +
                       StackTraceLinesSize(record.Exception);
    for (std::string_view piece : record.Message)
        size += piece.size();
    return size;
}

std::string_view CycleLine(TCycleOutcome outcome)
{
    switch (outcome) {
    case coArchived: return "log file was cycled due to reaching maximum limit.\r\n";
    case coFailed: return "ERROR - error cycling file.\r\n";
    case coNothingDone: break;
    }
    return {};
}

void PutRecord(char* text, std::size_t at, const TLogRecord& record, TRecordSpan& span)
{
    char* out = text + at;
    const auto put = [&out](std::string_view piece) { out = PutPiece(out, piece); };
    const auto place = [&] { return static_cast<std::uint32_t>(out - text); };
    span.Level = record.Level;
    span.Second = record.Second;
    put(record.CycleLine);
    span.Begin = place();
    put(record.Prefix);
    span.MessageBegin = place();
    for (std::string_view piece : record.Message)
        put(piece);
    span.MessageEnd = place();
    put(record.Exception.Text);
    span.ExceptionEnd = place();
    put(LineEnd);
    if (record.Exception.Present) {
        put(StackTraceHeading);
        put(LineEnd);
        put(record.Exception.StackTrace);
        put(LineEnd);
    }
    span.End = place();
}

std::string FailureRecordText(std::string_view text, const TRecordSpan& record, std::string_view message,
                              std::string_view failure, std::string_view fileName)
{
    const std::string_view levelText = LevelText(record.Level);
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
