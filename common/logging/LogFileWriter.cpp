#include "common/logging/LogFileWriter.h"

#include "common/logging/LogFiles.h"
#include "common/logging/LogPaths.h"

#include <utility>

TLogFileWriter::TLogFileWriter(TLogFiles& files, std::string fileName)
    : Files(files), FFileName(std::move(fileName)), Retention(FFileName, MaxArchiveBytesPerLog)
{
}

std::int64_t TLogFileWriter::Size()
{
    if (!WrittenBytes)
        LookAtFile();
    return WrittenBytes ? *WrittenBytes + static_cast<std::int64_t>(Pending.size()) : -1;
}

std::int64_t TLogFileWriter::WrittenSize()
{
    Flush();
    LookAtFile();
    return WrittenBytes.value_or(-1);
}

bool TLogFileWriter::Archive(const std::string& stamp)
{
    Flush();
    // Counters go on from the last archive of the same second, so that many archives in
    // one second cost one rename each.
    unsigned counter = stamp == LastArchiveStamp ? LastArchiveCounter : 1;
    for (;;) {
        const std::string suffix = counter > 1 ? " (" + std::to_string(counter) + ")" : std::string();
        const std::string archive = ArchiveFileName(FFileName, stamp + suffix);
        const std::int64_t size = WrittenBytes.value_or(0);
        switch (File.Archive(FFileName, archive)) {
        case TArchiveResult::arArchived:
            LastArchiveStamp = stamp;
            LastArchiveCounter = counter + 1;
            WrittenBytes = 0;
            Retention.Archived(archive, size);
            return true;
        case TArchiveResult::arNameTaken:
            ++counter;
            break;
        case TArchiveResult::arFailed:
            WrittenBytes.reset();
            return false;
        }
    }
}

void TLogFileWriter::Append(const TLogRecord& record)
{
    const std::size_t size = RecordSize(record);
    if (Pending.size() + size > BufferCapacity)
        Flush();
    if (size > BufferCapacity) {
        WriteAlone(record);
        return;
    }
    const bool first = Pending.empty();
    if (Pending.capacity() < BufferCapacity)
        Pending.reserve(BufferCapacity);
    PendingRecords.push_back(AppendRecord(Pending, record));
    if (first)
        Files.FlushSoon();
}

void TLogFileWriter::Flush()
{
    if (!Pending.empty()) {
        try {
            const std::string_view pieces[] = {Pending};
            File.Append(FFileName, pieces);
            LookAtFile();
            // The buffers keep their memory for the next records.
            Pending.clear();
            PendingRecords.clear();
        } catch (const std::exception& failure) {
            WrittenBytes.reset();
            const std::string text = std::exchange(Pending, {});
            const std::vector<TRecordSpan> records = std::exchange(PendingRecords, {});
            for (const TRecordSpan& record : records)
                ReportUnwritten(failure, text, record,
                                std::string_view(text).substr(record.MessageBegin, record.MessageEnd - record.MessageBegin));
        }
    }
    RaiseKeptError();
}

void TLogFileWriter::FlushInBackground()
{
    try {
        Flush();
    } catch (...) {
        if (!KeptError)
            KeptError = std::current_exception();
    }
}

void TLogFileWriter::RaiseKeptError()
{
    if (KeptError)
        std::rethrow_exception(std::exchange(KeptError, nullptr));
}

// A record larger than the buffer goes to the file straight from the caller's message.
void TLogFileWriter::WriteAlone(const TLogRecord& record)
{
    std::string frame;
    const TRecordSpan span = AppendRecord(frame, {record.CycleLine, record.Level, record.TimeStamp, {}, record.Exception});
    const std::string_view view(frame);
    const std::string_view pieces[] = {view.substr(0, span.MessageBegin), record.Message, view.substr(span.MessageBegin)};
    try {
        File.Append(FFileName, pieces);
        LookAtFile();
    } catch (const std::exception& failure) {
        WrittenBytes.reset();
        ReportUnwritten(failure, frame, span, record.Message);
    }
}

void TLogFileWriter::LookAtFile()
{
    const std::int64_t size = File.Size(FFileName);
    WrittenBytes = size >= 0 ? std::optional<std::int64_t>(size) : std::nullopt;
}

// The critical log file's own buffer goes first, so that its records stay in order. An
// error here leaves for the caller.
void TLogFileWriter::ReportUnwritten(const std::exception& failure, std::string_view text, const TRecordSpan& record,
                                     std::string_view message)
{
    const std::string criticalFile = CriticalLogFileName();
    TLogFileWriter& critical = Files.WriterFor(criticalFile);
    std::lock_guard lock(critical.Lock());
    if (&critical != this)
        critical.Flush();
    AppendToFile(criticalFile, FailureRecordText(text, record, message, failure.what(), FFileName));
}
