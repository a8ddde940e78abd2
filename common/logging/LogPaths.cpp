#include "common/logging/LogPaths.h"

#include "common/core/Environment.h"
#include "common/core/StateFolder.h"

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>

namespace {

constexpr char Delimiter = '/';

// The folder the build installs the programs into, where a package manager owns every file:
// nothing is written there, not even by root, who could.
bool IsInstalledProgramFolder(const std::string& programFolder)
{
    return programFolder == IncludeTrailingDelimiter(TESSAROO_INSTALLED_PROGRAM_FOLDER);
}

// Asks the kernel, with the rights the log files will be created with (the effective user,
// read-only mounts and access lists included), instead of trying: a probe would itself be a
// file written beside the program. A missing log folder is made, so its parent must then
// take a new entry.
bool CanWriteLogsIn(const std::string& programFolder, const std::string& logFolder)
{
    std::error_code error;
    const bool exists = std::filesystem::is_directory(logFolder, error);
    const std::string folder = exists ? logFolder : programFolder.empty() ? "." : programFolder;
    return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
}

}  // namespace

std::string LogFolderFor(const std::string& programFolder)
{
    const std::string beside = programFolder + "logs/";
    if (!IsInstalledProgramFolder(programFolder) && CanWriteLogsIn(programFolder, beside))
        return beside;
    const std::optional<std::filesystem::path> state = StateFolder();
    return state ? IncludeTrailingDelimiter((*state / "logs").string()) : beside;
}

std::string DefaultLogFolder()
{
    return LogFolderFor(DirectoryPart(ExecutablePath()));
}

std::string TemporaryFolder()
{
    for (const char* name : {"temp", "TMPDIR"}) {
        const std::string value = EnvironmentValue(name);
        if (!value.empty())
            return IncludeTrailingDelimiter(value);
    }
    return "/tmp/";
}

std::string CriticalLogFileName()
{
    return TemporaryFolder() + "Brevin_Logger_Critical_" + FileNamePart(ExecutablePath()) + ".log";
}

std::string SetupFallbackFileName(const std::string& fileName)
{
    return TemporaryFolder() + "Critical" + FileNamePart(fileName);
}

std::string ArchiveFileName(const std::string& fileName, const std::string& stamp)
{
    const size_t nameStart = DirectoryPart(fileName).size();
    const size_t dot = fileName.rfind('.');
    const size_t stemEnd = dot != std::string::npos && dot >= nameStart ? dot : fileName.size();
    return fileName.substr(0, stemEnd) + " Archived " + stamp + ".log";
}

std::string DirectoryPart(const std::string& path)
{
    const size_t last = path.rfind(Delimiter);
    return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string FileNamePart(const std::string& path)
{
    return path.substr(DirectoryPart(path).size());
}

std::string IncludeTrailingDelimiter(const std::string& path)
{
    return !path.empty() && path.back() == Delimiter ? path : path + Delimiter;
}
