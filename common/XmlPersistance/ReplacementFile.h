#pragma once

#include <string>
#include <string_view>

// The new content of a file, written without ever leaving the file half written: it goes
// into a new file in the same folder, which Commit flushes to disk, closes and renames over
// the target. Without Commit (an error on the way), the new file is removed and the earlier
// one stays untouched. Failures raise EFileWriteError naming the file and the reason.
class TReplacementFile {
public:
    explicit TReplacementFile(std::string fileName);
    ~TReplacementFile();
    TReplacementFile(const TReplacementFile&) = delete;
    TReplacementFile& operator=(const TReplacementFile&) = delete;

    void Write(std::string_view text);
    void Commit();

private:
    std::string FileName;
    std::string TemporaryName;
    int Descriptor = -1;

    [[noreturn]] void Fail(int error);
};
