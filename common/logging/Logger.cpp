#include "common/logging/Logger.h"

#include "common/core/Exception.h"
#include "common/core/Text.h"
#include "common/logging/LogFile.h"
#include "common/logging/LogPaths.h"
#include "common/logging/LogRecord.h"
#include "common/logging/LogTime.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

namespace {

constexpr std::int32_t DefaultMaxSize = 1048576;

class EAssertionFailed : public Exception {
public:
    using Exception::Exception;
};

using TLoggerList = std::vector<std::unique_ptr<TLogger>>;

// The unit's state. It is made on first use, so it outlives every client that asked for a
// logger during its own start-up, and it frees all loggers when the process ends.
struct TLoggingUnit {
    std::string DefaultLogPath;
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
        return TSetupFailure{"Error initializing log file: " + fileName + " (" + e.what() + ")",
                             DescribeException(&e)};
    }
}

// A name with a directory part shorter than three characters ("x.log", "a/x.log") goes
// into the default log folder; anything longer is taken as given.
std::string RegistryKeyFor(const std::string& fileName)
{
    const std::string name = AsciiLowerCase(fileName);
    if (DirectoryPart(name).size() < 3)
        return AsciiLowerCase(Unit().DefaultLogPath) + name;
    return name;
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
    TLogger::SetLogPath(DirectoryPart(ExecutablePath()) + "logs/");
    // The registry appears only together with its entry 0: when the default logger cannot
    // even report its own set-up failure, the error reaches the caller and the next request
    // tries again instead of finding an empty registry.
    auto defaultLogger = std::make_unique<TLogger>(CriticalLogFileName(), DefaultMaxSize);
    Unit().Registry = std::make_unique<TLoggerList>();
    Unit().Registry->push_back(std::move(defaultLogger));
    TLogger::GetLogger("", DefaultMaxSize).Log(StartUpMessage(), llInfo);
}

}  // namespace

TLogger& TLogger::GetLogger(const std::string& FileName, std::int32_t MaxSize)
{
    if (!Unit().Registry)
        InitializeLogging();
    TLoggerList& registry = *Unit().Registry;
    if (FileName.empty())
        return *registry.front();
    const std::string key = RegistryKeyFor(FileName);
    for (size_t i = 1; i < registry.size(); ++i) {
        TLogger& logger = *registry[i];
        if (logger.FModuleName == ExecutablePath() && AsciiLowerCase(logger.FFileName) == key)
            return logger;
    }
    registry.push_back(std::make_unique<TLogger>(key, MaxSize));
    return *registry.back();
}

void TLogger::SetLogPath(const std::string& Path)
{
    Unit().DefaultLogPath = IncludeTrailingDelimiter(Path);
}

TLogger::TLogger(const std::string& FileName, std::int32_t MaxSize)
    : FModuleName(ExecutablePath()), FMaxSize(MaxSize)
{
    std::optional<TSetupFailure> folderFailure = CreateLogFolder(FileName);
    std::optional<TSetupFailure> fileFailure;
    {
        std::lock_guard lock(WriteLock);
        fileFailure = InitializeLogFile(FileName);
    }
    if (!folderFailure && !fileFailure) {
        FFileName = FileName;
        return;
    }
    FFileName = SetupFallbackFileName(FileName);
    for (const auto* failure : {&folderFailure, &fileFailure})
        if (*failure)
            LogDetails((*failure)->Message, llError, (*failure)->Exception);
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
    LogDetails(Msg, Level, DescribeException(E));
}

void TLogger::LogDetails(const std::string& Msg, TLogLevel Level, const TExceptionDetails& Details)
{
    if (!IsLogged(Level))
        return;
    const TCycleOutcome outcome = CycleFile();
    const std::string prefix = RecordPrefix(RecordTimeStamp(CurrentLocalTime()));
    std::string text;
    if (outcome == coArchived)
        text = "log file was cycled due to reaching maximum limit.\r\n";
    else if (outcome == coFailed)
        text = "ERROR - error cycling file.\r\n";
    text += RecordText(Level, prefix, Msg, Details);

    std::lock_guard lock(WriteLock);
    try {
        FFile.Append(FFileName, text);
    } catch (const std::exception& failure) {
        WriteFailureRecord(failure, prefix, Msg, Level, Details);
    }
}

TLogger::TCycleOutcome TLogger::CycleFile()
{
    // The size is read and the file renamed under two separate holds of WriteLock (the
    // first only because the look uses the kept file), so two threads that find the file
    // full at once both try to archive it; the second rename then fails or archives the
    // fresh file.
    std::int64_t size;
    {
        std::lock_guard lock(WriteLock);
        size = FFile.Size(FFileName);
    }
    TCycleOutcome outcome = coNothingDone;
    if (size >= FMaxSize) {
        std::lock_guard lock(WriteLock);
        const std::string archive = ArchiveFileName(FFileName, ArchiveTimeStamp(CurrentLocalTime()));
        outcome = FFile.Archive(FFileName, archive) ? coArchived : coFailed;
    }
    return size < 0 ? coFailed : outcome;
}

void TLogger::WriteFailureRecord(const std::exception& Failure, const std::string& Prefix, const std::string& Msg,
                                 TLogLevel Level, const TExceptionDetails& Details)
{
    const std::string criticalFile = CriticalLogFileName();
    std::lock_guard lock(FallbackLock);
    AppendToFile(criticalFile, FailureRecordText(Prefix, Failure.what(), Msg, FFileName, Level, Details));
}
