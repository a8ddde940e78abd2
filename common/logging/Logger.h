#pragma once

#include "common/logging/LogFile.h"

#include <cstdint>
#include <exception>
#include <mutex>
#include <string>

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
inline bool IsLogged(TLogLevel level) { return level <= GlobalLogLevel; }

// "None", "Error", ..., "All": the level's name without its "ll".
const char* LogLevelText(TLogLevel level);

struct TExceptionDetails;

// One append-only log file. Loggers live in a process-wide registry until the process
// ends; clients ask for one with GetLogger and keep the reference.
class TLogger {
public:
    // The logger of a file, made and registered on first request. An empty name gives the
    // default logger, whose file is the critical log file in the temporary folder.
    static TLogger& GetLogger(const std::string& FileName, std::int32_t MaxSize);

    // Stores the folder that bare log file names go into (a delimiter is added when missing).
    static void SetLogPath(const std::string& Path);

    TLogger(const std::string& FileName, std::int32_t MaxSize);
    ~TLogger();
    TLogger(const TLogger&) = delete;
    TLogger& operator=(const TLogger&) = delete;

    // Writes one record; E, when given, is the error being handled. A record that cannot be
    // written goes to the critical log file instead; only when that fails too does the
    // error reach the caller.
    void Log(const std::string& Msg, TLogLevel Level, const std::exception* E = nullptr);

    const std::string& FileName() const;
    std::int32_t MaxSize() const;

private:
    enum TCycleOutcome { coNothingDone, coArchived, coFailed };

    void LogDetails(const std::string& Msg, TLogLevel Level, const TExceptionDetails& Details);
    TCycleOutcome CycleFile();
    void WriteFailureRecord(const std::exception& Failure, const std::string& Prefix, const std::string& Msg,
                            TLogLevel Level, const TExceptionDetails& Details);

    std::string FFileName;
    std::string FModuleName;
    std::int32_t FMaxSize;
    // Serialises the archive rename, the writing of a record and the file check at set-up.
    std::recursive_mutex WriteLock;
    // Taken only while WriteLock is held, to write a failure record into the critical log file.
    std::recursive_mutex FallbackLock;
    // Kept open between records; used under WriteLock only.
    TAppendFile FFile;
};
