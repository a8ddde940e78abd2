#pragma once

#include "common/logging/LogFile.h"
#include "common/logging/LogRecord.h"
#include "common/logging/LogRetention.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <exception>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <vector>

class TLogFiles;

// The one writer of a log file in this process, shared by every logger of that file.
// Clients only put records into a block; full blocks wait in a queue, and whoever works
// through the queue does everything that touches the file, in order: the archives asked
// for between records, the writes, and deleting the archives beyond the retention limit.
// That is the background, soon after a block was handed over, so that formatting and
// writing run side by side; or a client that must see its records on disk (Flush) or
// finds the queue too long. A record larger than a block waits as a block of its own, its
// message shared with the caller instead of copied. The block being filled
// is handed over when a client asks and from the background soon after its first record.
// A record that cannot be written is reported in the critical log file.
// Every operation but WriteHandedOver needs Lock() held.
class TLogFileWriter {
public:
    // Records are written in blocks of this size; a larger record is written alone.
    static constexpr std::size_t BlockSize = 256 * 1024;
    // Blocks that may wait for the background; a client that hands over one more writes
    // them itself.
    static constexpr std::size_t MaxWaitingBlocks = 16;

    TLogFileWriter(TLogFiles& files, std::string fileName);
    TLogFileWriter(const TLogFileWriter&) = delete;
    TLogFileWriter& operator=(const TLogFileWriter&) = delete;

    std::recursive_timed_mutex& Lock() { return WriteLock; }
    const std::string& FileName() const { return FFileName; }

    // The size the file has once every record appended so far is written: 0 when there is
    // no file, -1 when it cannot be looked at. Counted from the records; the file itself is
    // looked at, with everything written, when the count is not known or the writing found
    // the file other than counted (someone else changed it, or an archive was not made).
    std::int64_t Size();

    // The file is archived before the next record is written, unless by then it is smaller
    // than limit (someone else archived it): renamed to ArchiveFileName(<file>, stamp), or,
    // when that name is taken, to the same name with " (2)", " (3)", ... after the stamp.
    // The record is preceded by the line that tells the outcome. When the archive fails,
    // every later record tries again, under its own second, until one succeeds. Archives
    // beyond the retention limit are then deleted, oldest first.
    void ArchiveBeforeNext(const std::string& stamp, std::int64_t limit);

    void Append(const TLogRecord& record);
    // Appends a record whose message is the pieces, shared until they are written; the
    // record's own message is not used.
    void AppendLarge(const TLogRecord& record, const TLogPieces& message);

    // Writes every record, in order. The error of a failure record that could not be
    // written reaches the caller; so does such an error of an earlier background write.
    void Flush();
    // As Flush, keeping the error for the next client call instead.
    void FlushInBackground();
    // Writes the blocks handed over, if any. Needs no Lock(). True when records could not
    // be written: the next Flush reports them.
    bool WriteHandedOver();
    // Raises the error that a background write kept, once.
    void RaiseKeptError();

private:
    struct TPendingArchive {
        std::string Stamp;
        std::int64_t Limit;
    };
    struct TBlock {
        std::unique_ptr<char[]> Text;
        std::size_t Length = 0;
        std::vector<TRecordSpan> Records;
        // Made before the block's first record is written.
        std::optional<TPendingArchive> ArchiveFirst;
        // The message of a record larger than a block, the block's only record: the text
        // holds the rest, and the message goes in at the record's MessageBegin.
        TLogPieces LargeMessage;

        std::string_view View() const { return {Text.get(), Length}; }
        void Clear();
    };
    // What could not be written and why, to be reported by a holder of Lock() once the file
    // lock is released.
    struct TUnwritten {
        std::string Reason;
        std::string Text;
        std::vector<TRecordSpan> Records;
        // The message of a large record, which its text lacks.
        std::optional<std::string> LargeMessage;
    };
    using TUnwrittenList = std::vector<TUnwritten>;

    TLogFiles& Files;
    std::string FFileName;
    std::recursive_timed_mutex WriteLock;
    TBlock Filling;
    std::optional<std::int64_t> CountedSize;

    // Guards the queue and the blocks kept for reuse; taken last.
    std::mutex QueueLock;
    std::deque<TBlock> Waiting;
    std::vector<TBlock> Spare;

    // Serialises everything done to the file, in the order the blocks were filled; taken
    // after WriteLock.
    std::mutex FileLock;
    TArchiveRetention Retention;
    std::string LastArchiveStamp;
    unsigned LastArchiveCounter = 0;
    // The file's size after the last write from here.
    std::int64_t WrittenBytes = -1;
    // Written from the background and not reported yet, oldest first.
    TUnwrittenList Unreported;
    // An archive failed: the limit for the next record's attempt.
    std::optional<std::int64_t> ArchiveOwed;
    std::exception_ptr KeptError;

    // The count is wrong: the file is not as the records written here left it.
    std::atomic<bool> FileChanged{false};
    std::atomic<bool> HasKeptError{false};

    std::int64_t WrittenSize();
    void HandOver();
    void QueueFilling();
    void Queue(TBlock block);
    void WriteSoon();
    void WriteWaitingNow();
    void WriteWaiting(TUnwrittenList& unwritten);
    void WriteBlock(const TBlock& block, TUnwrittenList& unwritten);
    void WriteRecords(const TBlock& block, std::size_t first, std::size_t end, std::string_view cycleLine,
                      TUnwrittenList& unwritten);
    void WriteLargeRecord(const TBlock& block, std::string_view cycleLine, TUnwrittenList& unwritten);
    TCycleOutcome ArchiveNow(const TPendingArchive& archive);
    TCycleOutcome RetryArchive(std::time_t second);
    bool RenameToArchive(const std::string& stamp);
    std::optional<std::string> WritePieces(std::span<const std::string_view> pieces);
    std::int64_t LookAtFile();
    void Keep(std::exception_ptr error);
    void Report(const TUnwrittenList& unwritten);
    void ReportUnwritten(std::string_view reason, std::string_view text, const TRecordSpan& record,
                         std::string_view message);
};
