#pragma once

#include "common/core/Exception.h"
#include "common/logging/PathWatch.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

// A file operation of the logger failed; the message names the file and the reason.
class EInOutError : public Exception {
public:
    using Exception::Exception;
};

// Size of the regular file at path: 0 when there is none, -1 when it cannot be read.
std::int64_t LogFileSize(const std::string& path);

// Opens the file at path, creating it empty when missing, and closes it again.
void TouchLogFile(const std::string& path);

// Appends text to the file at path (creating it when missing) in one write, so that
// records of other writers never cut into it.
void AppendToFile(const std::string& path, std::string_view text);

enum class TArchiveResult { arArchived, arNameTaken, arFailed };

// A log file kept open for appending between writes. It is used only while it is still
// the file at the path: after the file was archived, renamed or deleted, by this process
// or another, the next write opens the path anew and so lands in a new file there.
// Where the path cannot be watched, the file is opened anew for every write.
class TAppendFile {
public:
    TAppendFile() = default;
    ~TAppendFile();
    TAppendFile(const TAppendFile&) = delete;
    TAppendFile& operator=(const TAppendFile&) = delete;

    // Size of the file at path, as LogFileSize. Gives up the kept file when it is no
    // longer the one at path.
    std::int64_t Size(const std::string& path);

    // Renames the file at path, failing instead of replacing a file at archive.
    TArchiveResult Archive(const std::string& path, const std::string& archive);

    // Appends the pieces, in order and in as few writes as the system allows, to the kept
    // file while it is still the one at path, else to the file at path.
    void Append(const std::string& path, std::span<const std::string_view> pieces);

private:
    bool StillAtPath();
    void Reopen(const std::string& path);
    void Close();

    int Descriptor = -1;
    std::unique_ptr<TPathWatch> Watch;
};
