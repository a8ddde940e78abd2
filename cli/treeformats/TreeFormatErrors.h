#pragma once

#include "common/core/Exception.h"

#include <cstddef>
#include <string>

// An input file (outline, path list, directory dump) that cannot be made into a tree. The
// message names the file, the line when there is one, and the reason: "outline.txt:12: depth
// jumps from 1 to 3".
class ETreeInputError : public Exception {
public:
    ETreeInputError(const std::string& fileName, std::size_t line, const std::string& reason);
    ETreeInputError(const std::string& fileName, const std::string& reason);
};

// A tree file that cannot be read as a category tree.
class ETreeFileUnreadable : public Exception {
public:
    using Exception::Exception;
};

// "file:line: text", the form of every message about a place in an input file.
std::string SourcePlace(const std::string& fileName, std::size_t line, const std::string& text);
