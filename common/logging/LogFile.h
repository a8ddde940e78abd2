#pragma once

#include "common/core/Exception.h"

#include <cstdint>
#include <string>
#include <string_view>

// A file operation of the logger failed; the message names the file and the reason.
class EInOutError : public Exception {
public:
    using Exception::Exception;
};

// What one look at a path found: the size of the regular file there (0 when there is
// none, -1 when it cannot be read) and which file it is.
struct TFileObservation {
    std::int64_t Size = 0;
    bool Exists = false;
    std::uint64_t Device = 0;
    std::uint64_t Inode = 0;
};

TFileObservation ObserveFile(const std::string& path);

// Opens the file at path, creating it empty when missing, and closes it again.
void TouchLogFile(const std::string& path);

// Appends text to the file at path (creating it when missing) in one write, so that
// records of other writers never cut into it.
void AppendToFile(const std::string& path, std::string_view text);

// A log file kept open for appending between records. It is written only while it is
// still the file at the path: a record after the file was archived, renamed or deleted
// opens the path anew, and so lands in a new file there.
class TAppendFile {
public:
    TAppendFile() = default;
    ~TAppendFile();
    TAppendFile(const TAppendFile&) = delete;
    TAppendFile& operator=(const TAppendFile&) = delete;

    // Appends text in one write. Observed is a look at the path taken after the last change
    // this process made to it, or null when there is none; the path is then opened anew.
    void Append(const std::string& path, std::string_view text, const TFileObservation* observed);

private:
    bool StillAtPath(const TFileObservation* observed) const;
    void Reopen(const std::string& path);
    void Close();

    int Descriptor = -1;
    std::uint64_t Device = 0;
    std::uint64_t Inode = 0;
};

// Renames from to to, failing instead of replacing a file that exists at to.
bool RenameWithoutReplacing(const std::string& from, const std::string& to);
