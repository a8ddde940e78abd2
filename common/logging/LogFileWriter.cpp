#include "common/logging/LogFileWriter.h"

#include "common/logging/LogFiles.h"
#include "common/logging/LogPaths.h"
#include "common/logging/LogTime.h"

#include <utility>

void TLogFileWriter::TBlock::Clear()
{
    Length = 0;
    Records.clear();
    ArchiveFirst.reset();
    LargeMessage.reset();
}

TLogFileWriter::TLogFileWriter(TLogFiles& files, std::string fileName)
    : Files(files), FFileName(std::move(fileName)), Retention(FFileName, MaxArchiveBytesPerLog)
{
}

std::int64_t TLogFileWriter::Size()
{
    if (CountedSize && !FileChanged.load(std::memory_order_relaxed))
        return *CountedSize;
    return WrittenSize();
}

// Everything written, the size of the file at the path as the system tells it. A client
// that looks decides from here on, so an archive still owed is its to retry.
std::int64_t TLogFileWriter::WrittenSize()
{
    Flush();
    std::int64_t size;
    {
        std::lock_guard file(FileLock);
        FileChanged = false;
        ArchiveOwed.reset();
        size = LookAtFile();
    }
    CountedSize = size >= 0 ? std::optional<std::int64_t>(size) : std::nullopt;
    return size;
}

// The archive is taken to be made, which it is unless someone else changed the file; the
// writing then finds out, and the next client call looks at the file again.
void TLogFileWriter::ArchiveBeforeNext(const std::string& stamp, std::int64_t limit)
{
    if (Filling.Length > 0)
        HandOver();
    Filling.ArchiveFirst = TPendingArchive{stamp, limit};
    CountedSize = static_cast<std::int64_t>(CycleLine(coArchived).size());
}

void TLogFileWriter::Append(const TLogRecord& record)
{
    const std::size_t size = RecordSize(record);
    if (size > BlockSize) {
        std::string message;
        for (std::string_view piece : record.Message)
            message += piece;
        const TLogRecord frame{record.CycleLine, record.Level, record.Prefix, record.Second, {}, record.Exception};
        AppendLarge(frame, std::make_shared<const std::vector<std::string>>(1, std::move(message)));
        return;
    }
    if (Filling.Length + size > BlockSize)
        HandOver();
    if (!Filling.Text)
        Filling.Text.reset(new char[BlockSize]);
    const bool first = Filling.Length == 0;
    TRecordSpan& span = Filling.Records.emplace_back();
    PutRecord(Filling.Text.get(), Filling.Length, record, span);
    Filling.Length = span.End;
    if (CountedSize)
        *CountedSize += static_cast<std::int64_t>(size);
    if (first)
        Files.FlushSoon();
}

void TLogFileWriter::Flush()
{
    if (Filling.Length > 0)
        QueueFilling();
    WriteWaitingNow();
    RaiseKeptError();
}

void TLogFileWriter::FlushInBackground()
{
    try {
        Flush();
    } catch (...) {
        Keep(std::current_exception());
    }
}

// What cannot be written here is reported by the next Flush, under this writer's lock: a
// client's Flush that found the queue empty because the background had taken its block
// must still see the failure record in the critical log file when it returns.
bool TLogFileWriter::WriteHandedOver()
{
    std::lock_guard file(FileLock);
    WriteWaiting(Unreported);
    return !Unreported.empty();
}

void TLogFileWriter::RaiseKeptError()
{
    if (!HasKeptError)
        return;
    std::exception_ptr error;
    {
        std::lock_guard file(FileLock);
        error = std::exchange(KeptError, nullptr);
        HasKeptError = false;
    }
    if (error)
        std::rethrow_exception(error);
}

void TLogFileWriter::AppendLarge(const TLogRecord& record, const TLogPieces& message)
{
    if (Filling.Length > 0)
        QueueFilling();
    TBlock large;
    const std::size_t frameSize = RecordSize(record);
    large.Text.reset(new char[frameSize]);
    PutRecord(large.Text.get(), 0, record, large.Records.emplace_back());
    large.Length = frameSize;
    large.LargeMessage = message;
    large.ArchiveFirst = std::exchange(Filling.ArchiveFirst, std::nullopt);
    Queue(std::move(large));
    if (CountedSize) {
        *CountedSize += static_cast<std::int64_t>(frameSize);
        for (const std::string& piece : *message)
            *CountedSize += static_cast<std::int64_t>(piece.size());
    }
    WriteSoon();
}

// A full block goes to the background, which writes it while the next one fills.
void TLogFileWriter::HandOver()
{
    QueueFilling();
    WriteSoon();
}

void TLogFileWriter::QueueFilling()
{
    TBlock next;
    {
        std::lock_guard queue(QueueLock);
        if (!Spare.empty()) {
            next = std::move(Spare.back());
            Spare.pop_back();
        }
    }
    Queue(std::exchange(Filling, std::move(next)));
}

void TLogFileWriter::Queue(TBlock block)
{
    std::lock_guard queue(QueueLock);
    Waiting.push_back(std::move(block));
}

// When the background falls behind, the client writes what waits itself, so that the
// blocks waiting never take more than a few megabytes.
void TLogFileWriter::WriteSoon()
{
    bool tooMany;
    {
        std::lock_guard queue(QueueLock);
        tooMany = Waiting.size() > MaxWaitingBlocks;
    }
    if (tooMany)
        WriteWaitingNow();
    else
        Files.WriteSoon();
}

void TLogFileWriter::WriteWaitingNow()
{
    TUnwrittenList unwritten;
    {
        std::lock_guard file(FileLock);
        unwritten = std::exchange(Unreported, {});
        WriteWaiting(unwritten);
    }
    Report(unwritten);
}

// Needs FileLock. Works through the queue, oldest block first; written blocks are kept for
// reuse.
void TLogFileWriter::WriteWaiting(TUnwrittenList& unwritten)
{
    for (;;) {
        TBlock block;
        {
            std::lock_guard queue(QueueLock);
            if (Waiting.empty())
                return;
            block = std::move(Waiting.front());
            Waiting.pop_front();
        }
        WriteBlock(block, unwritten);
        if (block.LargeMessage)
            continue;
        block.Clear();
        std::lock_guard queue(QueueLock);
        Spare.push_back(std::move(block));
    }
}

// Needs FileLock. While an archive is owed, every record tries it again and goes out on
// its own; otherwise the rest of the block goes out in one write.
void TLogFileWriter::WriteBlock(const TBlock& block, TUnwrittenList& unwritten)
{
    std::string_view cycleLine;
    if (block.ArchiveFirst)
        cycleLine = CycleLine(ArchiveNow(*block.ArchiveFirst));
    else if (ArchiveOwed)
        cycleLine = CycleLine(RetryArchive(block.Records.front().Second));
    if (block.LargeMessage) {
        WriteLargeRecord(block, cycleLine, unwritten);
        return;
    }
    for (std::size_t first = 0;;) {
        const std::size_t end = ArchiveOwed ? first + 1 : block.Records.size();
        WriteRecords(block, first, end, cycleLine, unwritten);
        first = end;
        if (first == block.Records.size())
            return;
        cycleLine = CycleLine(RetryArchive(block.Records[first].Second));
    }
}

// Needs FileLock. The records first to end of the block, behind the cycle line.
void TLogFileWriter::WriteRecords(const TBlock& block, std::size_t first, std::size_t end, std::string_view cycleLine,
                                  TUnwrittenList& unwritten)
{
    const std::size_t begin = first == 0 ? 0 : block.Records[first - 1].End;
    const std::string_view pieces[] = {cycleLine, block.View().substr(begin, block.Records[end - 1].End - begin)};
    if (std::optional<std::string> failure = WritePieces(pieces))
        unwritten.push_back({std::move(*failure),
                             std::string(block.View()),
                             {block.Records.begin() + static_cast<std::ptrdiff_t>(first),
                              block.Records.begin() + static_cast<std::ptrdiff_t>(end)},
                             std::nullopt});
}

// Needs FileLock. The message goes out straight from its pieces.
void TLogFileWriter::WriteLargeRecord(const TBlock& block, std::string_view cycleLine, TUnwrittenList& unwritten)
{
    const TRecordSpan& span = block.Records.front();
    const std::string_view frame = block.View();
    std::vector<std::string_view> pieces{cycleLine, frame.substr(0, span.MessageBegin)};
    std::size_t messageSize = 0;
    for (const std::string& piece : *block.LargeMessage) {
        pieces.push_back(piece);
        messageSize += piece.size();
    }
    pieces.push_back(frame.substr(span.MessageBegin));
    std::optional<std::string> failure = WritePieces(pieces);
    if (!failure)
        return;
    std::string message;
    message.reserve(messageSize);
    for (const std::string& piece : *block.LargeMessage)
        message += piece;
    unwritten.push_back({std::move(*failure), std::string(frame), block.Records, std::move(message)});
}

// Needs FileLock. Every record before the archive is written by now.
TCycleOutcome TLogFileWriter::ArchiveNow(const TPendingArchive& archive)
{
    const std::int64_t size = LookAtFile();
    if (size >= 0 && size < archive.Limit) {
        ArchiveOwed.reset();
        FileChanged = true;
        return coNothingDone;
    }
    if (size >= 0 && RenameToArchive(archive.Stamp)) {
        ArchiveOwed.reset();
        return coArchived;
    }
    ArchiveOwed = archive.Limit;
    FileChanged = true;
    return coFailed;
}

// Needs FileLock.
TCycleOutcome TLogFileWriter::RetryArchive(std::time_t second)
{
    return ArchiveNow({ArchiveTimeStamp(second), *ArchiveOwed});
}

// Needs FileLock. Counters go on from the last archive of the same second, so that many
// archives in one second cost one rename each.
bool TLogFileWriter::RenameToArchive(const std::string& stamp)
{
    unsigned counter = stamp == LastArchiveStamp ? LastArchiveCounter : 1;
    for (;;) {
        const std::string suffix = counter > 1 ? " (" + std::to_string(counter) + ")" : std::string();
        const std::string archive = ArchiveFileName(FFileName, stamp + suffix);
        switch (ArchiveLogFile(FFileName, archive)) {
        case TArchiveResult::arArchived:
            LastArchiveStamp = stamp;
            LastArchiveCounter = counter + 1;
            Retention.Archived(archive, std::max<std::int64_t>(WrittenBytes, 0));
            WrittenBytes = 0;
            return true;
        case TArchiveResult::arNameTaken: ++counter; break;
        case TArchiveResult::arFailed: return false;
        }
    }
}

// Needs FileLock. The reason when the pieces could not be written. Notes when the file is
// not as the last write left it, because someone else changed it.
std::optional<std::string> TLogFileWriter::WritePieces(std::span<const std::string_view> pieces)
{
    try {
        const std::int64_t before = LogFileSize(FFileName);
        AppendToFile(FFileName, pieces);
        std::int64_t written = 0;
        for (std::string_view piece : pieces)
            written += static_cast<std::int64_t>(piece.size());
        if (before != WrittenBytes || LookAtFile() != before + written)
            FileChanged = true;
        return std::nullopt;
    } catch (const std::exception& failure) {
        FileChanged = true;
        WrittenBytes = -1;
        return std::string(failure.what());
    }
}

// Needs FileLock.
std::int64_t TLogFileWriter::LookAtFile()
{
    WrittenBytes = LogFileSize(FFileName);
    return WrittenBytes;
}

void TLogFileWriter::Keep(std::exception_ptr error)
{
    std::lock_guard file(FileLock);
    if (!KeptError)
        KeptError = std::move(error);
    HasKeptError = true;
}

void TLogFileWriter::Report(const TUnwrittenList& unwritten)
{
    for (const TUnwritten& each : unwritten)
        for (const TRecordSpan& record : each.Records)
            ReportUnwritten(each.Reason, each.Text, record,
                            each.LargeMessage ? std::string_view(*each.LargeMessage)
                                              : std::string_view(each.Text).substr(
                                                    record.MessageBegin, record.MessageEnd - record.MessageBegin));
}

// The critical log file's own records go first, so that its records stay in order. An
// error here leaves for the caller.
void TLogFileWriter::ReportUnwritten(std::string_view reason, std::string_view text, const TRecordSpan& record,
                                     std::string_view message)
{
    const std::string criticalFile = CriticalLogFileName();
    TLogFileWriter& critical = Files.WriterFor(criticalFile);
    std::lock_guard lock(critical.Lock());
    if (&critical != this)
        critical.Flush();
    const std::string failureRecord = FailureRecordText(text, record, message, reason, FFileName);
    const std::string_view pieces[] = {failureRecord};
    AppendToFile(criticalFile, pieces);
}
