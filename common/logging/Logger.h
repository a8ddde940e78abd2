#pragma once

#include <cstdint>
#include <ctime>
#include <exception>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Levels of a log record, in order of growing detail. A record is written only when its
// level is at or below GlobalLogLevel.
enum TLogLevel : std::uint8_t {
    llNone,
    llError,
    llWarn,
    llInfo,
    llDebug,
    llFullDebug,
    llDisabled,
    llAll,
};

// The process-wide threshold; initially llAll, so every record is written.
extern TLogLevel GlobalLogLevel;

// True when a record of this level would be written; lets callers skip building the text.
inline bool IsLogged(TLogLevel level)
{
    return level <= GlobalLogLevel;
}

// "None", "Error", ..., "All": the level's name without its "ll".
const char* LogLevelText(TLogLevel level);

struct TExceptionDetails;
class TLogFileWriter;

// A message in pieces, which the logger shares until it is written instead of copying it:
// for messages of many megabytes.
using TLogPieces = std::shared_ptr<const std::vector<std::string>>;

// One append-only log file. Loggers live in a process-wide registry until the process
// ends; clients ask for one with GetLogger and keep the reference.
//
// Records are buffered and reach the file in large writes, in the order they were logged:
// within 100 ms, at once for a record of level llError or worse, before an archive is
// made, at the normal end of the process, before a fork and on the way out of an uncaught
// exception. A process killed outright loses at most the last 100 ms of records below
// llError.
class TLogger {
public:
    // The logger of a file, made and registered on first request. An empty name gives the
    // default logger, whose file is the critical log file in the temporary folder.
    static TLogger& GetLogger(const std::string& FileName, std::int32_t MaxSize);

    // Stores the folder that bare log file names go into (a delimiter is added when missing).
    static void SetLogPath(const std::string& Path);

    // Writes the buffered records of every logger now. The first error of a failure record
    // that could not be written reaches the caller, after every logger was tried.
    static void FlushAll();

    TLogger(const std::string& FileName, std::int32_t MaxSize);
    ~TLogger();
    TLogger(const TLogger&) = delete;
    TLogger& operator=(const TLogger&) = delete;

    // Writes one record; E, when given, is the error being handled. A record that cannot be
    // written goes to the critical log file instead; only when that fails too does the
    // error reach the caller (for a record written from the background, the caller of the
    // next Log or Flush of this file).
    void Log(const std::string& Msg, TLogLevel Level, const std::exception* E = nullptr);
    // Writes one record whose message is the pieces one after the other.
    void Log(std::span<const std::string_view> Msg, TLogLevel Level);
    // As Log, for a message of many megabytes: the logger keeps a share of the pieces until
    // they are written, instead of copying them.
    void LogShared(const TLogPieces& Msg, TLogLevel Level);

    // Writes this logger's buffered records now, with errors as for Log.
    void Flush();

    const std::string& FileName() const;
    std::int32_t MaxSize() const;

private:
    // Shared, when given, is the message instead of Msg.
    void LogDetails(std::span<const std::string_view> Msg, const TLogPieces* Shared, TLogLevel Level,
                    const TExceptionDetails& Details);
    std::string_view CycleFile(std::time_t second);

    std::string FFileName;
    std::string FModuleName;
    std::int32_t FMaxSize;
    // The writer of FFileName, shared with any other logger of that file. Its lock
    // serialises the cycling, the buffering and the writing of records and the file check
    // at set-up; failure records go through the critical log file's writer and its lock.
    TLogFileWriter* Writer = nullptr;
};
