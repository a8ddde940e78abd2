#pragma once

#include "cli/treeformats/InputFile.h"

#include <cstddef>
#include <string>
#include <string_view>

// The lines of a text input file, numbered from 1, without their line ends (LF or CR LF)
// and without a UTF-8 byte-order mark at the start. A line that is not UTF-8 text raises
// ETreeInputError with its number: a file saved in another character set must not turn
// into names with replacement characters.
class TInputLines {
public:
    explicit TInputLines(const std::string& fileName, const TStopRequest* stop = nullptr);

    // False at the end of the file. The line stays valid until the next call.
    bool Next(std::string_view& line);

    std::size_t LineNumber() const { return Number; }
    const std::string& FileName() const { return File.FileName(); }

private:
    TInputFile File;
    std::string Buffer;
    std::size_t Start = 0;
    std::size_t Number = 0;
    bool AtEnd = false;

    bool Fill();
};
