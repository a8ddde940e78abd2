#pragma once

#include "common/core/Exception.h"

#include <sys/stat.h>

#include <optional>
#include <string>
#include <string_view>

// A file that cannot be written or replaced; the message names it and the reason.
class EFileWriteError : public Exception {
public:
    using Exception::Exception;
};

// Whether a replaced file's previous version stays beside it, as <file>.bak (one
// generation: an earlier .bak goes).
enum class TBackup { None, KeepPrevious };

// The new content of a file, written without ever leaving the file half written: it goes
// into a new file in the same folder, which Commit flushes to disk, closes and renames over
// the target. Without Commit (an error on the way), the new file is removed and the earlier
// one stays untouched. Failures raise EFileWriteError naming the file and the reason.
//
// The replacement keeps what the file was: a symbolic link is followed, so the file it
// points to is replaced and the link stays; the permission bits and, where the system
// allows it, owner and group stay. A file without write permission is refused as a failed
// write would be. Two cases rewrite the file itself instead, after the whole new text has
// been handed over (so that a failure while producing it changes nothing): a file with
// other hard links, which a replacement would part from it, and a writable file in a folder
// that may not be written (no .bak can be made there). Should that rewrite fail, the
// previous content is written back.
class TReplacementFile {
public:
    explicit TReplacementFile(std::string fileName, TBackup backup = TBackup::None);
    ~TReplacementFile();
    TReplacementFile(const TReplacementFile&) = delete;
    TReplacementFile& operator=(const TReplacementFile&) = delete;

    void Write(std::string_view text);
    void Commit();

private:
    // As the caller named it, for messages.
    std::string FileName;
    // The file that is replaced: FileName with symbolic links followed.
    std::string TargetName;
    std::optional<struct stat> Previous;
    TBackup Backup;
    bool InPlace = false;
    bool FolderWritable = true;
    // The whole new text of an in-place rewrite.
    std::string Pending;
    std::string TemporaryName;
    int Descriptor = -1;

    void CommitReplacement();
    void CommitInPlace();
    void KeepBackupByLink();
    void WriteBackupCopy(std::string_view previousText);
    [[noreturn]] void Fail(int error);
};
