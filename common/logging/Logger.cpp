#include "common/logging/Logger.h"

#include "common/core/CoreErrors.h"
#include "common/core/Exception.h"
#include "common/core/Text.h"
#include "common/logging/LogFiles.h"
#include "common/logging/LogPaths.h"
#include "common/logging/LogRecord.h"
#include "common/logging/LogTime.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace {

constexpr std::int32_t DefaultMaxSize = 1048576;

using TLoggerList = std::vector<std::unique_ptr<TLogger>>;

const TExceptionDetails NoException;

// The unit's state. It is made on first use, so it outlives every client that asked for a
// logger during its own start-up, and it frees all loggers when the process ends, after
// which the writers write what is still buffered.
struct TLoggingUnit {
    std::string DefaultLogPath;
    TLogFiles Files;
    std::unique_ptr<TLoggerList> Registry;
};

TLoggingUnit& Unit()
{
    static TLoggingUnit unit;
    return unit;
}

struct TSetupFailure {
    std::string Message;
    TExceptionDetails Exception;
};

std::string ExcludeTrailingDelimiter(std::string path)
{
    if (!path.empty() && path.back() == '/')
        path.pop_back();
    return path;
}

std::optional<TSetupFailure> CreateLogFolder(const std::string& fileName)
{
    std::string dir = ExcludeTrailingDelimiter(DirectoryPart(fileName));
    try {
        if (!dir.empty())
            dir = std::filesystem::absolute(dir).string();
        if (dir.empty() || std::filesystem::is_directory(dir))
            return std::nullopt;
        std::error_code error;
        std::filesystem::create_directories(dir, error);
        if (error || !std::filesystem::is_directory(dir))
            return TSetupFailure{"Cannot create log path: " + dir, {}};
        return std::nullopt;
    } catch (const std::exception& e) {
        return TSetupFailure{"Cannot create log path: " + dir + " with message: " + e.what(), DescribeException(&e)};
    }
}

std::optional<TSetupFailure> InitializeLogFile(const std::string& fileName)
{
    try {
        TouchLogFile(fileName);
        return std::nullopt;
    } catch (const std::exception& e) {
        return TSetupFailure{"Error initializing log file: " + fileName + " (" + e.what() + ")", DescribeException(&e)};
    }
}

// A name with a directory part shorter than three characters ("x.log", "a/x.log") goes
// into the default log folder; anything longer is taken as given. Only the file's own name
// is lower-cased: the folders are used as they are on disk, where case tells them apart.
std::string LogFilePathFor(const std::string& fileName)
{
    const std::string folder = DirectoryPart(fileName);
    const std::string path = folder + AsciiLowerCase(FileNamePart(fileName));
    return folder.size() < 3 ? Unit().DefaultLogPath + path : path;
}

std::string StartUpMessage()
{
    return "This is not an error just an information message that the Logging system is up and running (module: " +
           ExecutablePath() + ").";
}

void InitializeLogging()
{
    if (Unit().Registry)
        throw EAssertionFailed("Assertion failure (common/logging/Logger.cpp)");
    TLogger::SetLogPath(DefaultLogFolder());
    // The registry appears only together with its entry 0: when the default logger cannot
    // even report its own set-up failure, the error reaches the caller and the next request
    // tries again instead of finding an empty registry.
    auto defaultLogger = std::make_unique<TLogger>(CriticalLogFileName(), DefaultMaxSize);
    Unit().Registry = std::make_unique<TLoggerList>();
    Unit().Registry->push_back(std::move(defaultLogger));
    // At once: when not even this record can be written, start-up learns it here.
    TLogger& logger = TLogger::GetLogger("", DefaultMaxSize);
    logger.Log(StartUpMessage(), llInfo);
    logger.Flush();
}

}  // namespace

TLogger& TLogger::GetLogger(const std::string& FileName, std::int32_t MaxSize)
{
    if (!Unit().Registry)
        InitializeLogging();
    TLoggerList& registry = *Unit().Registry;
    if (FileName.empty())
        return *registry.front();
    const std::string path = LogFilePathFor(FileName);
    const std::string key = AsciiLowerCase(path);
    for (size_t i = 1; i < registry.size(); ++i) {
        TLogger& logger = *registry[i];
        // Kept as described: every logger of this process belongs to this executable, so the
        // module check always passes.
        if (logger.FModuleName == ExecutablePath() && AsciiLowerCase(logger.FFileName) == key)
            return logger;
    }
    registry.push_back(std::make_unique<TLogger>(path, MaxSize));
    return *registry.back();
}

void TLogger::SetLogPath(const std::string& Path)
{
    Unit().DefaultLogPath = IncludeTrailingDelimiter(Path);
}

void TLogger::FlushAll()
{
    Unit().Files.FlushAll();
}

TLogger::TLogger(const std::string& FileName, std::int32_t MaxSize) : FModuleName(ExecutablePath()), FMaxSize(MaxSize)
{
    std::optional<TSetupFailure> folderFailure = CreateLogFolder(FileName);
    std::optional<TSetupFailure> fileFailure;
    {
        TLogFileWriter& writer = Unit().Files.WriterFor(FileName);
        std::lock_guard lock(writer.Lock());
        fileFailure = InitializeLogFile(FileName);
    }
    const bool setUp = !folderFailure && !fileFailure;
    FFileName = setUp ? FileName : SetupFallbackFileName(FileName);
    Writer = &Unit().Files.WriterFor(FFileName);
    if (setUp)
        return;
    for (const auto* failure : {&folderFailure, &fileFailure}) {
        if (!*failure)
            continue;
        const std::string_view message((*failure)->Message);
        LogDetails({&message, 1}, nullptr, llError, (*failure)->Exception);
    }
}

TLogger::~TLogger() = default;

const std::string& TLogger::FileName() const
{
    return FFileName;
}

std::int32_t TLogger::MaxSize() const
{
    return FMaxSize;
}

void TLogger::Log(const std::string& Msg, TLogLevel Level, const std::exception* E)
{
    if (!IsLogged(Level))
        return;
    const std::string_view message(Msg);
    if (E)
        LogDetails({&message, 1}, nullptr, Level, DescribeException(E));
    else
        LogDetails({&message, 1}, nullptr, Level, NoException);
}

void TLogger::Log(std::span<const std::string_view> Msg, TLogLevel Level)
{
    if (IsLogged(Level))
        LogDetails(Msg, nullptr, Level, NoException);
}

void TLogger::LogShared(const TLogPieces& Msg, TLogLevel Level)
{
    if (IsLogged(Level))
        LogDetails({}, &Msg, Level, NoException);
}

void TLogger::Flush()
{
    std::lock_guard lock(Writer->Lock());
    Writer->Flush();
}

void TLogger::LogDetails(std::span<const std::string_view> Msg, const TLogPieces* Shared, TLogLevel Level,
                         const TExceptionDetails& Details)
{
    if (!IsLogged(Level))
        return;
    std::lock_guard lock(Writer->Lock());
    const TRecordMoment now = CurrentRecordMoment();
    const std::string_view cycleLine = CycleFile(now.Second);
    const TLogRecord record{cycleLine,  Level, RecordPrefix(Level, now.RecordStamp, now.Millisecond),
                            now.Second, Msg,   Details};
    if (Shared)
        Writer->AppendLarge(record, *Shared);
    else
        Writer->Append(record);
    if (Level <= llError)
        Writer->Flush();
    else
        Writer->RaiseKeptError();
}

// The counted size decides. The writer makes an archive before the record is written and
// puts the line that tells its outcome before it; the line returned here is the one for a
// file that cannot even be looked at.
std::string_view TLogger::CycleFile(std::time_t second)
{
    const std::int64_t size = Writer->Size();
    if (size < 0)
        return CycleLine(coFailed);
    if (size >= FMaxSize)
        Writer->ArchiveBeforeNext(ArchiveTimeStamp(second), FMaxSize);
    return {};
}
