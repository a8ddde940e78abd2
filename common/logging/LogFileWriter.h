#pragma once

#include "common/logging/LogFile.h"
#include "common/logging/LogRecord.h"
#include "common/logging/LogRetention.h"

#include <cstddef>
#include <cstdint>
#include <exception>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

class TLogFiles;

// The one writer of a log file in this process, shared by every logger of that file.
// Records are appended to a buffer that goes to the file in large writes: when it is full,
// before an archive is made, when a client asks (Flush), and from the background soon after
// its first record. A record that cannot be written is reported in the critical log file.
// Every operation needs Lock() held.
class TLogFileWriter {
public:
    // Records are written in blocks of about this size; a larger record is written alone.
    static constexpr std::size_t BufferCapacity = 256 * 1024;

    TLogFileWriter(TLogFiles& files, std::string fileName);
    TLogFileWriter(const TLogFileWriter&) = delete;
    TLogFileWriter& operator=(const TLogFileWriter&) = delete;

    std::recursive_timed_mutex& Lock() { return WriteLock; }
    const std::string& FileName() const { return FFileName; }

    // The size the file has with the buffered records written: 0 when there is no file,
    // -1 when it cannot be looked at. The file is looked at only after a write or when the
    // size is not known, so a change by someone else shows after the next write.
    std::int64_t Size();
    // The buffered records written, the size of the file at the path as the system tells it.
    std::int64_t WrittenSize();

    // Writes the buffer, then renames the file to ArchiveFileName(<file>, stamp), or, when
    // that name is taken, to the same name with " (2)", " (3)", ... after the stamp. Archives
    // beyond the retention limit are then deleted, oldest first. False when it fails.
    bool Archive(const std::string& stamp);

    void Append(const TLogRecord& record);

    // Writes the buffered records. The error of a failure record that could not be written
    // reaches the caller; so does such an error of an earlier write from the background.
    void Flush();
    // As Flush, keeping the error for the next client call instead.
    void FlushInBackground();
    // Raises the error that a write from the background kept, once.
    void RaiseKeptError();

private:
    TLogFiles& Files;
    std::string FFileName;
    std::recursive_timed_mutex WriteLock;
    TAppendFile File;
    std::string Pending;
    std::vector<TRecordSpan> PendingRecords;
    // The file's size after the last write; none when it has to be looked at again.
    std::optional<std::int64_t> WrittenBytes;
    std::exception_ptr KeptError;
    TArchiveRetention Retention;
    std::string LastArchiveStamp;
    unsigned LastArchiveCounter = 0;

    void WriteAlone(const TLogRecord& record);
    void LookAtFile();
    void ReportUnwritten(const std::exception& failure, std::string_view text, const TRecordSpan& record,
                         std::string_view message);
};
