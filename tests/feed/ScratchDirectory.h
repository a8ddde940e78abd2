#pragma once

#include <filesystem>
#include <string>

// A fresh directory made the working directory for one test, so the page dump "html" of
// parallel tests never collide; removed afterwards.
class TScratchDirectory {
public:
    TScratchDirectory();
    ~TScratchDirectory();
    TScratchDirectory(const TScratchDirectory&) = delete;
    TScratchDirectory& operator=(const TScratchDirectory&) = delete;

    const std::filesystem::path& Path() const { return Directory; }

private:
    std::filesystem::path Previous;
    std::filesystem::path Directory;
};

// Reads a whole file; false when it cannot be opened.
bool ReadWholeFile(const std::filesystem::path& path, std::string& content);
