#pragma once

#include <filesystem>
#include <cstdint>
#include <string>
#include <vector>

// A folder of its own for one test, removed afterwards, so that tests running in parallel
// never meet in the file system.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    std::string PathOf(const std::string& name) const { return (Path / name).string(); }
    const std::filesystem::path& Folder() const { return Path; }

private:
    std::filesystem::path Path;
};

std::string ReadFileBytes(const std::string& fileName);
void WriteFileBytes(const std::string& fileName, const std::string& bytes);

// Messages of the engine's trace records that were written after the given position of
// its log file; see EngineLogSize.
std::string EngineLogFileName();
std::uintmax_t EngineLogSize();
std::vector<std::string> EngineLogMessagesSince(std::uintmax_t position);
