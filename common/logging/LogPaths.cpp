#include "common/logging/LogPaths.h"

#include <cstdlib>

namespace {

constexpr char Delimiter = '/';

std::string EnvironmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}

}  // namespace

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
