#pragma once

#include "common/logging/LogFileWriter.h"
#include "common/logging/LogFlusher.h"

#include <memory>
#include <mutex>
#include <string>
#include <vector>

// Every log file writer of the process, and the writing of their buffers: from the
// background within 100 ms, before a fork (so that a child does not write them again), on
// the way out of an uncaught exception, and at the end, when this table goes.
class TLogFiles {
public:
    TLogFiles();
    ~TLogFiles();
    TLogFiles(const TLogFiles&) = delete;
    TLogFiles& operator=(const TLogFiles&) = delete;

    // The writer of a path, made on first request; writers stay until the table goes.
    TLogFileWriter& WriterFor(const std::string& fileName);

    // Writes every buffer; after trying them all, raises the first error.
    void FlushAll();

    // A writer's buffer has its first record.
    void FlushSoon();
    // A writer handed a full block over.
    void WriteSoon();

private:
    std::mutex TableLock;
    std::vector<std::unique_ptr<TLogFileWriter>> Writers;
    // None once the table is going: from then on the thread that ends it writes what is left.
    std::unique_ptr<TLogFlusher> Flusher;

    std::vector<TLogFileWriter*> AllWriters();
    void FlushAllInBackground();
    bool WriteAllHandedOver();
    std::unique_ptr<TLogFlusher> NewFlusher();
    void FlushAllBeforeTermination();

    static void PrepareFork();
    static void AfterForkInParent();
    static void AfterForkInChild();
    [[noreturn]] static void Terminate();
};
