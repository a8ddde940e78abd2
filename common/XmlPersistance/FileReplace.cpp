#include "common/XmlPersistance/FileReplace.h"

#include "common/XmlPersistance/XmlPersistanceErrors.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

[[noreturn]] void Raise(const char* what, const std::string& fileName, int error)
{
    throw EFileWriteError(std::string(what) + " \"" + fileName + "\". " + std::strerror(error));
}

// Opens a file of a fresh name beside the target; the name holds the process id and a
// counter, and O_EXCL makes sure that nothing existing is reused.
int CreateTemporaryBeside(const std::string& fileName, std::string& temporaryName)
{
    static std::atomic<unsigned> counter{0};
    for (;;) {
        temporaryName = fileName + ".~" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + ".tmp";
        const int fd = ::open(temporaryName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
}

// Each step gives 0 or the errno of its failure.
int WriteAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return 0;
}

// The replacement keeps the access rights of the file it replaces.
int KeepModeOf(const std::string& fileName, int fd)
{
    struct stat existing {};
    if (::stat(fileName.c_str(), &existing) == 0 && S_ISREG(existing.st_mode) &&
        ::fchmod(fd, existing.st_mode & 07777) != 0)
        return errno;
    return 0;
}

// Closes the descriptor in every case.
int WriteFlushClose(int fd, const std::string& fileName, std::string_view text)
{
    int error = WriteAll(fd, text);
    if (!error)
        error = KeepModeOf(fileName, fd);
    if (!error && ::fsync(fd) != 0)
        error = errno;
    if (::close(fd) != 0 && !error)
        error = errno;
    return error;
}

}  // namespace

void ReplaceFileContent(const std::string& fileName, std::string_view text)
{
    std::string temporaryName;
    const int fd = CreateTemporaryBeside(fileName, temporaryName);
    if (fd < 0)
        Raise("Cannot create file", fileName, errno);
    int error = WriteFlushClose(fd, fileName, text);
    if (!error && std::rename(temporaryName.c_str(), fileName.c_str()) != 0)
        error = errno;
    if (error) {
        ::unlink(temporaryName.c_str());
        Raise("Cannot write file", fileName, error);
    }
}
