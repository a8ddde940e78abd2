#pragma once

#include <filesystem>

// Makes a folder the working directory for the life of the object, for code that writes
// to fixed relative names; the previous working directory comes back afterwards.
class TWorkingDirectory {
public:
    explicit TWorkingDirectory(const std::filesystem::path& folder);
    ~TWorkingDirectory();
    TWorkingDirectory(const TWorkingDirectory&) = delete;
    TWorkingDirectory& operator=(const TWorkingDirectory&) = delete;

private:
    std::filesystem::path Previous;
};
