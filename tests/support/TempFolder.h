#pragma once

#include <filesystem>
#include <string>

// A fresh folder of its own under the temporary folder, removed with everything in it at
// the end of the test, so that tests running in parallel never meet in the file system.
// Its name has no capitals, because loggers lower-case the paths they are given.
class TTempFolder {
public:
    TTempFolder();
    ~TTempFolder();
    TTempFolder(const TTempFolder&) = delete;
    TTempFolder& operator=(const TTempFolder&) = delete;

    const std::filesystem::path& Path() const { return Folder; }
    std::string PathOf(const std::string& name) const { return (Folder / name).string(); }

private:
    std::filesystem::path Folder;
};
