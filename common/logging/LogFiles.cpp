#include "common/logging/LogFiles.h"

#include "common/logging/LogPaths.h"

#include <pthread.h>

#include <chrono>
#include <exception>

namespace {

// The table of the process, for the handlers of fork and of an uncaught exception.
TLogFiles* Current = nullptr;
std::terminate_handler FormerTerminate = nullptr;
// In a child made by fork: the parent's flusher, which must never be used or freed here.
TLogFlusher* ParentsFlusher = nullptr;

// A thread that died holding a writer does not keep the process from ending.
constexpr std::chrono::milliseconds TerminationWait{200};

void RegisterForkHandlersOnce(void (*prepare)(), void (*parent)(), void (*child)())
{
    static const bool registered = [&] { return ::pthread_atfork(prepare, parent, child) == 0; }();
    static_cast<void>(registered);
}

}  // namespace

TLogFiles::TLogFiles() : Flusher(NewFlusher())
{
    // The last writes at the end of the process may name the critical log file, which is
    // named after the executable: its path must outlive this table, so it is made first.
    ExecutablePath();
    Current = this;
    RegisterForkHandlersOnce(PrepareFork, AfterForkInParent, AfterForkInChild);
    FormerTerminate = std::set_terminate(Terminate);
}

TLogFiles::~TLogFiles()
{
    std::set_terminate(FormerTerminate);
    Current = nullptr;
    Flusher.reset();
    FlushAllInBackground();
}

std::unique_ptr<TLogFlusher> TLogFiles::NewFlusher()
{
    return std::make_unique<TLogFlusher>([this] { FlushAllInBackground(); }, [this] { return WriteAllHandedOver(); });
}

void TLogFiles::FlushSoon()
{
    if (Flusher)
        Flusher->Wake();
}

// Without a flusher (the table is going) a handed-over block waits for the final flush.
void TLogFiles::WriteSoon()
{
    if (Flusher)
        Flusher->WakeNow();
}

TLogFileWriter& TLogFiles::WriterFor(const std::string& fileName)
{
    std::lock_guard lock(TableLock);
    for (const auto& writer : Writers)
        if (writer->FileName() == fileName)
            return *writer;
    Writers.push_back(std::make_unique<TLogFileWriter>(*this, fileName));
    return *Writers.back();
}

// The table is not held while a writer is, since a writer that reports a failure asks the
// table for the critical log file's writer.
std::vector<TLogFileWriter*> TLogFiles::AllWriters()
{
    std::lock_guard lock(TableLock);
    std::vector<TLogFileWriter*> writers;
    for (const auto& writer : Writers)
        writers.push_back(writer.get());
    return writers;
}

void TLogFiles::FlushAll()
{
    std::exception_ptr first;
    for (TLogFileWriter* writer : AllWriters()) {
        try {
            std::lock_guard lock(writer->Lock());
            writer->Flush();
        } catch (...) {
            if (!first)
                first = std::current_exception();
        }
    }
    if (first)
        std::rethrow_exception(first);
}

void TLogFiles::FlushAllInBackground()
{
    for (TLogFileWriter* writer : AllWriters()) {
        std::lock_guard lock(writer->Lock());
        writer->FlushInBackground();
    }
}

bool TLogFiles::WriteAllHandedOver()
{
    bool unreported = false;
    for (TLogFileWriter* writer : AllWriters())
        unreported = writer->WriteHandedOver() || unreported;
    return unreported;
}

void TLogFiles::FlushAllBeforeTermination()
{
    for (TLogFileWriter* writer : AllWriters()) {
        std::unique_lock lock(writer->Lock(), TerminationWait);
        if (lock.owns_lock())
            writer->FlushInBackground();
    }
}

void TLogFiles::PrepareFork()
{
    if (!Current)
        return;
    Current->Flusher->PassLock().lock();
    Current->FlushAllInBackground();
    Current->Flusher->StateLock().lock();
}

void TLogFiles::AfterForkInParent()
{
    if (!Current)
        return;
    Current->Flusher->StateLock().unlock();
    Current->Flusher->PassLock().unlock();
}

// The parent's flusher thread does not exist here, while its condition still counts it as
// a waiter: signalling it would wait for that thread forever. This process gets a flusher
// of its own, and the parent's is left alone for good (so it is never freed either).
void TLogFiles::AfterForkInChild()
{
    if (!Current)
        return;
    ParentsFlusher = Current->Flusher.release();
    Current->Flusher = Current->NewFlusher();
}

void TLogFiles::Terminate()
{
    if (Current)
        Current->FlushAllBeforeTermination();
    if (FormerTerminate)
        FormerTerminate();
    std::abort();
}
