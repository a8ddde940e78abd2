#include "common/XmlPersistance/ReplacementFile.h"

#include "common/XmlPersistance/XmlPersistanceErrors.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A fresh name beside the target; the name holds the process id and a counter, and O_EXCL
// makes sure that nothing existing is reused.
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

// The replacement keeps the access rights of the file it replaces; 0 or the errno.
int KeepModeOf(const std::string& fileName, int fd)
{
    struct stat existing {};
    if (::stat(fileName.c_str(), &existing) == 0 && S_ISREG(existing.st_mode) &&
        ::fchmod(fd, existing.st_mode & 07777) != 0)
        return errno;
    return 0;
}

}  // namespace

TReplacementFile::TReplacementFile(std::string fileName) : FileName(std::move(fileName))
{
    Descriptor = CreateTemporaryBeside(FileName, TemporaryName);
    if (Descriptor < 0)
        throw EFileWriteError("Cannot create file \"" + FileName + "\". " + std::strerror(errno));
}

TReplacementFile::~TReplacementFile()
{
    if (TemporaryName.empty())
        return;
    if (Descriptor >= 0)
        ::close(Descriptor);
    ::unlink(TemporaryName.c_str());
}

void TReplacementFile::Write(std::string_view text)
{
    while (!text.empty()) {
        const ssize_t written = ::write(Descriptor, text.data(), text.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            Fail(errno);
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
}

void TReplacementFile::Commit()
{
    if (const int error = KeepModeOf(FileName, Descriptor))
        Fail(error);
    if (::fsync(Descriptor) != 0)
        Fail(errno);
    const int closing = Descriptor;
    Descriptor = -1;
    if (::close(closing) != 0)
        Fail(errno);
    if (std::rename(TemporaryName.c_str(), FileName.c_str()) != 0)
        Fail(errno);
    TemporaryName.clear();
}

void TReplacementFile::Fail(int error)
{
    throw EFileWriteError("Cannot write file \"" + FileName + "\". " + std::strerror(error));
}
