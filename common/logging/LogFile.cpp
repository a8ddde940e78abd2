#include "common/logging/LogFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

namespace {

// No time stamps: querying them makes the file system give the next write a fine-grained
// time stamp, which costs more than the look itself.
constexpr unsigned SizeQuery = STATX_TYPE | STATX_SIZE;

[[noreturn]] void ThrowFileError(const char* action, const std::string& path, int error)
{
    throw EInOutError(std::string("Cannot ") + action + " file \"" + path + "\". " + std::strerror(error));
}

// Closes a descriptor that is given up after a failure; the failure is what gets reported.
[[noreturn]] void AbandonAndThrow(int descriptor, const char* action, const std::string& path)
{
    const int error = errno;
    ::close(descriptor);
    ThrowFileError(action, path, error);
}

int OpenForAppending(const std::string& path)
{
    // Never O_TRUNC: whatever made an earlier open fail, an existing log is not emptied.
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (descriptor < 0)
        ThrowFileError("open", path, errno);
    return descriptor;
}

// Sets errno and returns false when a write fails.
bool WriteAll(int descriptor, std::span<const std::string_view> pieces)
{
    std::vector<iovec> vectors;
    vectors.reserve(pieces.size());
    for (std::string_view piece : pieces)
        if (!piece.empty())
            vectors.push_back({const_cast<char*>(piece.data()), piece.size()});
    std::span<iovec> pending(vectors);
    while (!pending.empty()) {
        const int count = static_cast<int>(std::min<std::size_t>(pending.size(), IOV_MAX));
        const ssize_t written = ::writev(descriptor, pending.data(), count);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        // A short write ends within some piece: skip what went out and go on from there.
        auto left = static_cast<std::size_t>(written);
        while (!pending.empty() && left >= pending.front().iov_len) {
            left -= pending.front().iov_len;
            pending = pending.subspan(1);
        }
        if (left > 0) {
            pending.front().iov_base = static_cast<char*>(pending.front().iov_base) + left;
            pending.front().iov_len -= left;
        }
    }
    return true;
}

void CloseOrThrow(int descriptor, const std::string& path)
{
    if (::close(descriptor) != 0)
        ThrowFileError("close", path, errno);
}

TArchiveResult FailedRename()
{
    return errno == EEXIST ? TArchiveResult::arNameTaken : TArchiveResult::arFailed;
}

}  // namespace

TArchiveResult ArchiveLogFile(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return TArchiveResult::arArchived;
    if (errno != EINVAL && errno != ENOSYS)
        return FailedRename();
    // File systems without RENAME_NOREPLACE: link refuses an existing target just the same.
    if (::link(from.c_str(), to.c_str()) != 0)
        return FailedRename();
    if (::unlink(from.c_str()) == 0)
        return TArchiveResult::arArchived;
    ::unlink(to.c_str());
    return TArchiveResult::arFailed;
}

std::int64_t LogFileSize(const std::string& path)
{
    struct statx status {};
    if (::statx(AT_FDCWD, path.c_str(), 0, SizeQuery, &status) != 0)
        return errno == ENOENT || errno == ENOTDIR ? 0 : -1;
    return S_ISREG(status.stx_mode) ? static_cast<std::int64_t>(status.stx_size) : 0;
}

void TouchLogFile(const std::string& path)
{
    CloseOrThrow(OpenForAppending(path), path);
}

void AppendToFile(const std::string& path, std::span<const std::string_view> pieces)
{
    const int descriptor = OpenForAppending(path);
    if (!WriteAll(descriptor, pieces))
        AbandonAndThrow(descriptor, "write to", path);
    CloseOrThrow(descriptor, path);
}
