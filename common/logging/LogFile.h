#pragma once

#include "common/core/Exception.h"

#include <cstdint>
#include <span>
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

// Appends the pieces, in order and in as few writes as the system allows, to the file at
// path (creating it when missing). The path is opened for every append, so that after the
// file was archived, renamed, deleted or replaced, by this process or another, the text
// lands in the file that is at the path now; with O_APPEND, text of other writers never
// cuts into it.
void AppendToFile(const std::string& path, std::span<const std::string_view> pieces);

enum class TArchiveResult { arArchived, arNameTaken, arFailed };

// Renames the file at path, failing instead of replacing a file at archive.
TArchiveResult ArchiveLogFile(const std::string& path, const std::string& archive);
