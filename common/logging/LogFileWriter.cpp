#include "common/logging/LogFileWriter.h"

#include "common/logging/LogFiles.h"
#include "common/logging/LogPaths.h"

#include <utility>

void TLogFileWriter::TBlock::Clear()
{
    Length = 0;
    Records.clear();
}

TLogFileWriter::TLogFileWriter(TLogFiles& files, std::string fileName)
    : Files(files), FFileName(std::move(fileName)), Retention(FFileName, MaxArchiveBytesPerLog)
{
}

std::int64_t TLogFileWriter::Size()
{
    if (FileChanged.exchange(false) || !CountedSize)
        return WrittenSize();
    return *CountedSize;
}

std::int64_t TLogFileWriter::WrittenSize()
{
    Flush();
    std::int64_t size;
    {
        std::lock_guard file(FileLock);
        size = LookAtFile();
    }
    CountedSize = size >= 0 ? std::optional<std::int64_t>(size) : std::nullopt;
    return size;
}

bool TLogFileWriter::Archive(const std::string& stamp)
{
    Flush();
    std::lock_guard file(FileLock);
    // Counters go on from the last archive of the same second, so that many archives in
    // one second cost one rename each.
    unsigned counter = stamp == LastArchiveStamp ? LastArchiveCounter : 1;
    for (;;) {
        const std::string suffix = counter > 1 ? " (" + std::to_string(counter) + ")" : std::string();
        const std::string archive = ArchiveFileName(FFileName, stamp + suffix);
        switch (File.Archive(FFileName, archive)) {
        case TArchiveResult::arArchived:
            LastArchiveStamp = stamp;
            LastArchiveCounter = counter + 1;
            Retention.Archived(archive, std::max<std::int64_t>(WrittenBytes, 0));
            WrittenBytes = 0;
            CountedSize = 0;
            return true;
        case TArchiveResult::arNameTaken:
            ++counter;
            break;
        case TArchiveResult::arFailed:
            CountedSize.reset();
            return false;
        }
    }
}

void TLogFileWriter::Append(const TLogRecord& record)
{
    const std::size_t size = RecordSize(record);
    if (Filling.Length + size > BlockSize)
        HandOver();
    if (size > BlockSize) {
        WriteAlone(record);
        return;
    }
    if (!Filling.Text)
        Filling.Text.reset(new char[BlockSize]);
    const bool first = Filling.Length == 0;
    const TRecordSpan span = PutRecord(Filling.Text.get(), Filling.Length, record);
    Filling.Records.push_back(span);
    Filling.Length = span.End;
    if (CountedSize)
        *CountedSize += static_cast<std::int64_t>(size);
    if (first)
        Files.FlushSoon();
}

void TLogFileWriter::Flush()
{
    std::optional<TUnwritten> handedOver;
    std::optional<TUnwritten> filling;
    {
        std::lock_guard file(FileLock);
        if (HandedOver.Length > 0)
            handedOver = WriteBlock(HandedOver);
        if (Filling.Length > 0)
            filling = WriteBlock(Filling);
    }
    for (const auto* unwritten : {&handedOver, &filling})
        if (*unwritten)
            ReportUnwritten(**unwritten);
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

void TLogFileWriter::WriteHandedOver()
{
    std::optional<TUnwritten> unwritten;
    {
        std::lock_guard file(FileLock);
        if (HandedOver.Length > 0)
            unwritten = WriteBlock(HandedOver);
    }
    try {
        if (unwritten)
            ReportUnwritten(*unwritten);
    } catch (...) {
        Keep(std::current_exception());
    }
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

// A full block goes to the background. A block handed over before that the background has
// not written yet is written here first, so that no more than two blocks ever wait.
void TLogFileWriter::HandOver()
{
    std::optional<TUnwritten> unwritten;
    {
        std::lock_guard file(FileLock);
        if (HandedOver.Length > 0)
            unwritten = WriteBlock(HandedOver);
        std::swap(HandedOver, Filling);
    }
    if (unwritten)
        ReportUnwritten(*unwritten);
    Files.WriteSoon();
}

// A record larger than a block goes to the file straight from the caller's message, after
// every record before it.
void TLogFileWriter::WriteAlone(const TLogRecord& record)
{
    const TLogRecord frameRecord{record.CycleLine, record.Level, record.TimeStamp, {}, record.Exception};
    std::string frame(RecordSize(frameRecord), '\0');
    const TRecordSpan span = PutRecord(frame.data(), 0, frameRecord);
    const std::string_view view(frame);
    const std::string_view pieces[] = {view.substr(0, span.MessageBegin), record.Message, view.substr(span.MessageBegin)};
    std::optional<TUnwritten> handedOver;
    std::optional<std::string> failure;
    {
        std::lock_guard file(FileLock);
        if (HandedOver.Length > 0)
            handedOver = WriteBlock(HandedOver);
        failure = WritePieces(pieces);
    }
    if (handedOver)
        ReportUnwritten(*handedOver);
    if (failure)
        ReportUnwritten(*failure, frame, span, record.Message);
    else if (CountedSize)
        *CountedSize += static_cast<std::int64_t>(frame.size() + record.Message.size());
}

// Needs FileLock. A block that cannot be written is taken out, with the reason.
std::optional<TLogFileWriter::TUnwritten> TLogFileWriter::WriteBlock(TBlock& block)
{
    const std::string_view pieces[] = {block.View()};
    std::optional<std::string> failure = WritePieces(pieces);
    if (!failure) {
        block.Clear();
        return std::nullopt;
    }
    TUnwritten unwritten{std::move(*failure), std::move(block)};
    block = TBlock{};
    return unwritten;
}

// Needs FileLock. The reason when the pieces could not be written. Notes when the file is
// not as the last write left it, because someone else changed it.
std::optional<std::string> TLogFileWriter::WritePieces(std::span<const std::string_view> pieces)
{
    try {
        const std::int64_t before = File.Size(FFileName);
        File.Append(FFileName, pieces);
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
    WrittenBytes = File.Size(FFileName);
    return WrittenBytes;
}

void TLogFileWriter::Keep(std::exception_ptr error)
{
    std::lock_guard file(FileLock);
    if (!KeptError)
        KeptError = std::move(error);
    HasKeptError = true;
}

void TLogFileWriter::ReportUnwritten(const TUnwritten& unwritten)
{
    const std::string_view text = unwritten.Block.View();
    for (const TRecordSpan& record : unwritten.Block.Records)
        ReportUnwritten(unwritten.Reason, text, record,
                        text.substr(record.MessageBegin, record.MessageEnd - record.MessageBegin));
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
    AppendToFile(criticalFile, FailureRecordText(text, record, message, reason, FFileName));
}
