#pragma once

#include "cli/treeformats/HandOver.h"
#include "cli/treeformats/InputFile.h"

#include <cstddef>
#include <thread>
#include <vector>

// Reads an input file on a thread of its own, a few pieces ahead of its reader, so that
// inflating a compressed file runs beside the work on what it gives. Errors of the file
// reach the reader in their place, after the bytes read before them.
class TReadAhead {
public:
    // The file must outlive this. Its stop request must be requested for the destructor to
    // end a read that waits for data (a stalled pipe).
    explicit TReadAhead(TInputFile& file);
    ~TReadAhead();
    TReadAhead(const TReadAhead&) = delete;
    TReadAhead& operator=(const TReadAhead&) = delete;

    // As TInputFile::Read.
    std::size_t Read(char* buffer, std::size_t size);

private:
    struct TPiece {
        std::vector<char> Bytes;
        std::size_t Size = 0;
    };

    TInputFile& File;
    THandOver<TPiece> Pieces;
    TPiece* Current = nullptr;
    std::size_t Taken = 0;
    bool AtEnd = false;
    std::thread Reader;

    void ReadAll();
};
