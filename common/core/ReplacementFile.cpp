#include "common/core/ReplacementFile.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// As many as the system itself follows before it gives up with ELOOP.
constexpr int MaxLinkHops = 40;

[[noreturn]] void RaiseCannotCreate(const std::string& fileName, int error)
{
    throw EFileWriteError("Cannot create file \"" + fileName + "\". " + std::strerror(error));
}

[[noreturn]] void RaiseCannotWrite(const std::string& fileName, int error)
{
    throw EFileWriteError("Cannot write file \"" + fileName + "\". " + std::strerror(error));
}

std::string FolderPartOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// The file a name stands for; a dangling link gives the path it points to, where the new
// file is then created.
std::string FollowLinks(const std::string& fileName)
{
    std::string path = fileName;
    for (int hop = 0; hop < MaxLinkHops; ++hop) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode))
            return path;
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
        if (length < 0 || static_cast<std::size_t>(length) >= sizeof target)
            return path;
        const std::string linked(target, static_cast<std::size_t>(length));
        path = linked.front() == '/' ? linked : FolderPartOf(path) + linked;
    }
    RaiseCannotCreate(fileName, ELOOP);
}

// 0, or why the file must not be written. A file without any write permission bit counts
// as read-only also for a user whom the system would let write it (root).
int WriteRefusal(const std::string& path, const struct stat& status)
{
    if (::access(path.c_str(), W_OK) != 0)
        return errno;
    return (status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ? EACCES : 0;
}

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

// Owner and group are kept where the system allows it: only root may give a file away, and
// a user may give it only a group of their own. Otherwise the new file has the user's own,
// as any file the user creates.
void KeepOwnerOf(const struct stat& previous, int fd)
{
    if (::fchown(fd, previous.st_uid, previous.st_gid) == 0)
        return;
    static_cast<void>(::fchown(fd, static_cast<uid_t>(-1), previous.st_gid));
}

// 0 or the errno. The mode is set after the owner, whose change may clear set-id bits.
int KeepModeOf(const struct stat& previous, int fd)
{
    KeepOwnerOf(previous, fd);
    return ::fchmod(fd, previous.st_mode & 07777) == 0 ? 0 : errno;
}

// True when all bytes went out at the offset.
bool WriteAllAt(int fd, std::string_view text, off_t offset)
{
    while (!text.empty()) {
        const ssize_t written = ::pwrite(fd, text.data(), text.size(), offset);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        text.remove_prefix(static_cast<std::size_t>(written));
        offset += written;
    }
    return true;
}

// The content of an open file, or nullopt with errno set.
std::optional<std::string> ReadAll(int fd)
{
    std::string text;
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::pread(fd, buffer, sizeof buffer, static_cast<off_t>(text.size()));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            return text;
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

// Closes a file descriptor when it goes out of scope.
class TDescriptor {
public:
    explicit TDescriptor(int fd) : Fd(fd) {}
    ~TDescriptor()
    {
        if (Fd >= 0)
            ::close(Fd);
    }
    TDescriptor(const TDescriptor&) = delete;
    TDescriptor& operator=(const TDescriptor&) = delete;
    int Get() const { return Fd; }
    // 0 or the errno of the close.
    int Close()
    {
        const int fd = Fd;
        Fd = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int Fd;
};

}  // namespace

TReplacementFile::TReplacementFile(std::string fileName, TBackup backup)
    : FileName(std::move(fileName)), TargetName(FollowLinks(FileName)), Backup(backup)
{
    struct stat status {};
    if (::stat(TargetName.c_str(), &status) == 0 && S_ISREG(status.st_mode)) {
        Previous = status;
        if (const int refusal = WriteRefusal(TargetName, status))
            RaiseCannotCreate(FileName, refusal);
        if (status.st_nlink > 1) {
            InPlace = true;
            return;
        }
    }
    Descriptor = CreateTemporaryBeside(TargetName, TemporaryName);
    if (Descriptor >= 0)
        return;
    const int error = errno;
    TemporaryName.clear();
    if (!Previous || (error != EACCES && error != EPERM))
        RaiseCannotCreate(FileName, error);
    InPlace = true;
    FolderWritable = false;
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
    if (InPlace) {
        Pending.append(text);
        return;
    }
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
    if (InPlace)
        CommitInPlace();
    else
        CommitReplacement();
}

void TReplacementFile::CommitReplacement()
{
    if (Previous)
        if (const int error = KeepModeOf(*Previous, Descriptor))
            Fail(error);
    if (::fsync(Descriptor) != 0)
        Fail(errno);
    const int closing = Descriptor;
    Descriptor = -1;
    if (::close(closing) != 0)
        Fail(errno);
    if (Previous && Backup == TBackup::KeepPrevious)
        KeepBackupByLink();
    if (std::rename(TemporaryName.c_str(), TargetName.c_str()) != 0)
        Fail(errno);
    TemporaryName.clear();
}

// The previous version becomes the backup by a second name for it, which costs no copy; a
// file system without hard links gets a copy.
void TReplacementFile::KeepBackupByLink()
{
    const std::string backupName = TargetName + ".bak";
    if (::unlink(backupName.c_str()) != 0 && errno != ENOENT)
        RaiseCannotWrite(backupName, errno);
    if (::link(TargetName.c_str(), backupName.c_str()) == 0)
        return;
    TDescriptor previous(::open(TargetName.c_str(), O_RDONLY | O_CLOEXEC));
    std::optional<std::string> text = previous.Get() >= 0 ? ReadAll(previous.Get()) : std::nullopt;
    if (!text)
        Fail(errno);
    WriteBackupCopy(*text);
}

// The copy gets the rights of the file it copies, so that a backup never shows more of it
// than the file itself does.
void TReplacementFile::WriteBackupCopy(std::string_view previousText)
{
    const std::string backupName = TargetName + ".bak";
    if (::unlink(backupName.c_str()) != 0 && errno != ENOENT)
        RaiseCannotWrite(backupName, errno);
    TDescriptor backup(::open(backupName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, Previous->st_mode & 0600));
    if (backup.Get() < 0)
        RaiseCannotCreate(backupName, errno);
    if (const int error = KeepModeOf(*Previous, backup.Get()))
        RaiseCannotWrite(backupName, error);
    if (!WriteAllAt(backup.Get(), previousText, 0) || ::fsync(backup.Get()) != 0)
        RaiseCannotWrite(backupName, errno);
    if (const int error = backup.Close())
        RaiseCannotWrite(backupName, error);
}

// The new text is written over the old one from the start and the rest cut off; a failure
// on the way (a full disk) writes the previous text back, which fits where it was.
void TReplacementFile::CommitInPlace()
{
    TDescriptor file(::open(TargetName.c_str(), O_RDWR | O_CLOEXEC));
    if (file.Get() < 0)
        RaiseCannotCreate(FileName, errno);
    const std::optional<std::string> previousText = ReadAll(file.Get());
    if (!previousText)
        Fail(errno);
    if (Backup == TBackup::KeepPrevious && FolderWritable)
        WriteBackupCopy(*previousText);
    if (!WriteAllAt(file.Get(), Pending, 0) || ::ftruncate(file.Get(), static_cast<off_t>(Pending.size())) != 0 ||
        ::fsync(file.Get()) != 0) {
        const int error = errno;
        if (WriteAllAt(file.Get(), *previousText, 0))
            static_cast<void>(::ftruncate(file.Get(), static_cast<off_t>(previousText->size())));
        Fail(error);
    }
    if (const int error = file.Close())
        Fail(error);
}

void TReplacementFile::Fail(int error)
{
    RaiseCannotWrite(FileName, error);
}
