#pragma once

#include "common/core/StopRequest.h"

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// An input file read in large pieces, plain or gzip-compressed; compression is told by the
// file's first bytes, whatever its name. Every wait for data is cut into 50 ms slices with a
// check of the stop request between them, so that Ctrl+C also ends a read from a pipe that
// has stalled.
class TInputFile {
public:
    // Raises ETreeInputError when the file cannot be opened.
    explicit TInputFile(std::string fileName, const TStopRequest* stop = nullptr);
    ~TInputFile();
    TInputFile(const TInputFile&) = delete;
    TInputFile& operator=(const TInputFile&) = delete;

    // Up to size bytes; 0 at the end of the file. A read error, broken compressed data or a
    // compressed stream that is cut short raise ETreeInputError: a truncated dump must not
    // pass for a whole one.
    std::size_t Read(char* buffer, std::size_t size);

    // Whether the file is gzip-compressed, told by its first bytes, which it reads when no
    // read came before.
    bool IsCompressed();

    const std::string& FileName() const { return Name; }

private:
    struct TInflater;

    std::string Name;
    const TStopRequest* Stop;
    int Descriptor = -1;
    // The file's bytes read ahead: the first ones, to tell compression, and compressed input.
    std::vector<unsigned char> Raw;
    std::size_t RawStart = 0;
    bool FormatKnown = false;
    std::unique_ptr<TInflater> Inflater;

    [[noreturn]] void Fail(const std::string& reason) const;
    std::size_t ReadSome(void* buffer, std::size_t size);
    void LearnFormat();
    std::size_t TakeRaw(char* buffer, std::size_t size);
    std::size_t Inflate(char* buffer, std::size_t size);
};
