#include "common/logging/LogFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

[[noreturn]] void ThrowFileError(const char* action, const std::string& path)
{
    throw EInOutError(std::string("Cannot ") + action + " file \"" + path + "\". " + std::strerror(errno));
}

int OpenForAppending(const std::string& path)
{
    // Never O_TRUNC: whatever made an earlier open fail, an existing log is not emptied.
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0666);
    if (descriptor < 0)
        ThrowFileError("open", path);
    return descriptor;
}

void WriteAll(int descriptor, std::string_view text, const std::string& path)
{
    while (!text.empty()) {
        const ssize_t written = ::write(descriptor, text.data(), text.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            const int error = written < 0 ? errno : EIO;
            ::close(descriptor);
            errno = error;
            ThrowFileError("write to", path);
        }
        text.remove_prefix(static_cast<size_t>(written));
    }
}

void Close(int descriptor, const std::string& path)
{
    if (::close(descriptor) != 0)
        ThrowFileError("close", path);
}

}  // namespace

std::int64_t LogFileSize(const std::string& path)
{
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0)
        return errno == ENOENT || errno == ENOTDIR ? 0 : -1;
    return S_ISREG(status.st_mode) ? static_cast<std::int64_t>(status.st_size) : 0;
}

void TouchLogFile(const std::string& path)
{
    Close(OpenForAppending(path), path);
}

void AppendToFile(const std::string& path, std::string_view text)
{
    const int descriptor = OpenForAppending(path);
    WriteAll(descriptor, text, path);
    Close(descriptor, path);
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
