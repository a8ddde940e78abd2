#include "common/logging/LogFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

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
bool WriteAll(int descriptor, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t written = ::write(descriptor, text.data(), text.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = EIO;
            return false;
        }
        text.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

void CloseOrThrow(int descriptor, const std::string& path)
{
    if (::close(descriptor) != 0)
        ThrowFileError("close", path, errno);
}

}  // namespace

TFileObservation ObserveFile(const std::string& path)
{
    // Asking for no time stamps matters: a query of them makes the file system give the
    // next write a fine-grained time stamp, which costs more than the look itself.
    struct statx status {};
    if (::statx(AT_FDCWD, path.c_str(), 0, STATX_TYPE | STATX_INO | STATX_SIZE, &status) != 0)
        return {errno == ENOENT || errno == ENOTDIR ? 0 : -1, false, 0, 0};
    if (!S_ISREG(status.stx_mode))
        return {};
    return {static_cast<std::int64_t>(status.stx_size), true, makedev(status.stx_dev_major, status.stx_dev_minor),
            status.stx_ino};
}

void TouchLogFile(const std::string& path)
{
    CloseOrThrow(OpenForAppending(path), path);
}

void AppendToFile(const std::string& path, std::string_view text)
{
    const int descriptor = OpenForAppending(path);
    if (!WriteAll(descriptor, text))
        AbandonAndThrow(descriptor, "write to", path);
    CloseOrThrow(descriptor, path);
}

bool RenameWithoutReplacing(const std::string& from, const std::string& to)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    // File systems without RENAME_NOREPLACE: link refuses an existing target just the same.
    if (::link(from.c_str(), to.c_str()) != 0)
        return false;
    ::unlink(from.c_str());
    return true;
}

TAppendFile::~TAppendFile()
{
    Close();
}

void TAppendFile::Append(const std::string& path, std::string_view text, const TFileObservation* observed)
{
    if (!StillAtPath(observed))
        Reopen(path);
    if (!WriteAll(Descriptor, text)) {
        const int descriptor = Descriptor;
        Descriptor = -1;
        AbandonAndThrow(descriptor, "write to", path);
    }
}

bool TAppendFile::StillAtPath(const TFileObservation* observed) const
{
    return Descriptor >= 0 && observed && observed->Exists && observed->Device == Device &&
           observed->Inode == Inode;
}

void TAppendFile::Reopen(const std::string& path)
{
    Close();
    const int descriptor = OpenForAppending(path);
    struct stat status {};
    if (::fstat(descriptor, &status) != 0)
        AbandonAndThrow(descriptor, "open", path);
    Descriptor = descriptor;
    Device = status.st_dev;
    Inode = status.st_ino;
}

void TAppendFile::Close()
{
    // Every record went out with its write; closing a file kept open between records
    // has nothing left to lose, so its result does not matter.
    if (Descriptor >= 0)
        ::close(Descriptor);
    Descriptor = -1;
}
