#pragma once

#include <cstdint>
#include <deque>
#include <string>

// The most that the archives of one log file may take together; when an archive would
// exceed it, the oldest archives of that log are deleted until they fit.
constexpr std::int64_t MaxArchiveBytesPerLog = std::int64_t{256} * 1024 * 1024;

// The archives of one log file, oldest first: the files named as ArchiveFileName names
// them, "<stem> Archived yyyy-mm-dd[ hh-mm-ss][ (n)].log", where the stem is the log's file
// name without its extension. The folder is read once, when the first
// archive is made; later archives are added as they are made.
class TArchiveRetention {
public:
    TArchiveRetention(std::string logFileName, std::int64_t limit);

    // Counts a new archive and deletes the oldest archives, the new one last, while
    // together they take more than the limit. The live file and the files of other logs
    // are never touched.
    void Archived(const std::string& archiveFileName, std::int64_t size);

private:
    struct TArchive {
        std::string Key;  // orders archives by time and counter
        std::string FileName;
        std::int64_t Size;
    };

    std::string LogFileName;
    std::int64_t Limit;
    bool FolderRead = false;
    std::deque<TArchive> Archives;
    std::int64_t Total = 0;

    void ReadFolder();
    void Add(TArchive archive);
    void DeleteOldest();
};
