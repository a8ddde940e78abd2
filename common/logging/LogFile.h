#pragma once

#include "common/core/Exception.h"

#include <cstdint>
#include <string>
#include <string_view>

// A file operation of the logger failed; the message names the file and the reason.
class EInOutError : public Exception {
public:
    using Exception::Exception;
};

// Size of the regular file at path: 0 when there is none, -1 when it cannot be read.
std::int64_t LogFileSize(const std::string& path);

// Opens the file at path, creating it empty when missing, and closes it again.
void TouchLogFile(const std::string& path);

// Appends text to the file at path (creating it when missing) in one write, so that
// records of other writers never cut into it.
void AppendToFile(const std::string& path, std::string_view text);

// Renames from to to, failing instead of replacing a file that exists at to.
bool RenameWithoutReplacing(const std::string& from, const std::string& to);
