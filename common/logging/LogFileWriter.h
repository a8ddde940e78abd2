#pragma once

#include "common/logging/LogFile.h"
#include "common/logging/LogRecord.h"
#include "common/logging/LogRetention.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

class TLogFiles;

// The one writer of a log file in this process, shared by every logger of that file.
// Records are put into a block that goes to the file whole: a full block is handed over to
// the background, which writes it while the next one fills; the block being filled is
// written before an archive is made, when a client asks (Flush) and from the background
// soon after its first record. A record that cannot be written is reported in the critical
// log file. Every operation but WriteHandedOver needs Lock() held.
class TLogFileWriter {
public:
    // Records are written in blocks of this size; a larger record is written alone.
    static constexpr std::size_t BlockSize = 256 * 1024;

    TLogFileWriter(TLogFiles& files, std::string fileName);
    TLogFileWriter(const TLogFileWriter&) = delete;
    TLogFileWriter& operator=(const TLogFileWriter&) = delete;

    std::recursive_timed_mutex& Lock() { return WriteLock; }
    const std::string& FileName() const { return FFileName; }

    // The size the file has with every record written: 0 when there is no file, -1 when it
    // cannot be looked at. Counted from what is written here; the file itself is looked at
    // when the count is not known or a write found that someone else changed the file.
    std::int64_t Size();
    // Everything written, the size of the file at the path as the system tells it.
    std::int64_t WrittenSize();

    // Writes everything, then renames the file to ArchiveFileName(<file>, stamp), or, when
    // that name is taken, to the same name with " (2)", " (3)", ... after the stamp. Archives
    // beyond the retention limit are then deleted, oldest first. False when it fails.
    bool Archive(const std::string& stamp);

    void Append(const TLogRecord& record);

    // Writes every record, in order. The error of a failure record that could not be
    // written reaches the caller; so does such an error of an earlier background write.
    void Flush();
    // As Flush, keeping the error for the next client call instead.
    void FlushInBackground();
    // Writes the block handed over, if any; errors are kept. Needs no Lock().
    void WriteHandedOver();
    // Raises the error that a background write kept, once.
    void RaiseKeptError();

private:
    struct TBlock {
        std::unique_ptr<char[]> Text;
        std::size_t Length = 0;
        std::vector<TRecordSpan> Records;

        std::string_view View() const { return {Text.get(), Length}; }
        void Clear();
    };
    // What could not be written and why, to be reported once the file lock is released.
    struct TUnwritten {
        std::string Reason;
        TBlock Block;
    };

    TLogFiles& Files;
    std::string FFileName;
    std::recursive_timed_mutex WriteLock;
    TBlock Filling;
    std::optional<std::int64_t> CountedSize;
    TArchiveRetention Retention;
    std::string LastArchiveStamp;
    unsigned LastArchiveCounter = 0;

    // Serialises the writes, in the order the blocks were filled; taken after WriteLock.
    std::mutex FileLock;
    TAppendFile File;
    TBlock HandedOver;
    // The file's size after the last write from here.
    std::int64_t WrittenBytes = -1;
    // A write found the file changed by someone else: the count must be taken again.
    std::atomic<bool> FileChanged{false};
    std::exception_ptr KeptError;
    std::atomic<bool> HasKeptError{false};

    void HandOver();
    void WriteAlone(const TLogRecord& record);
    std::optional<TUnwritten> WriteBlock(TBlock& block);
    std::optional<std::string> WritePieces(std::span<const std::string_view> pieces);
    std::int64_t LookAtFile();
    void Keep(std::exception_ptr error);
    void ReportUnwritten(const TUnwritten& unwritten);
    void ReportUnwritten(std::string_view reason, std::string_view text, const TRecordSpan& record,
                         std::string_view message);
};
