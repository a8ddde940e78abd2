#pragma once

#include "common/core/StopRequest.h"

#include <cstddef>
#include <string>

// An input file read in large pieces, plain or gzip-compressed; compression is told by the
// file's first bytes, whatever its name. Before every piece a stop request, when given, is
// checked, so that reading a large dump ends soon after the user asks.
class TInputFile {
public:
    // Raises ETreeInputError when the file cannot be opened.
    explicit TInputFile(std::string fileName, const TStopRequest* stop = nullptr);
    ~TInputFile();
    TInputFile(const TInputFile&) = delete;
    TInputFile& operator=(const TInputFile&) = delete;

    // Up to size bytes; 0 at the end of the file. A read error or a compressed stream that
    // is cut short raises ETreeInputError: a truncated dump must not pass for a whole one.
    std::size_t Read(char* buffer, std::size_t size);

    const std::string& FileName() const { return Name; }

private:
    std::string Name;
    const TStopRequest* Stop;
    void* File;
};
