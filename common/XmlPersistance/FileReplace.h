#pragma once

#include <string>
#include <string_view>

// Replaces the file's content with text without ever leaving it half written: the text
// goes into a new file in the same folder, which is flushed to disk, closed and renamed
// over the target. On any failure the earlier file is untouched, the new one is removed
// and EFileWriteError names the file and the reason.
void ReplaceFileContent(const std::string& fileName, std::string_view text);
