#include "common/logging/PathWatch.h"

#include "common/logging/LogPaths.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <cerrno>

namespace {

// Creating a file at the path is not watched: while the logger holds its file, a new one
// can only appear after a deletion or rename, which is reported by itself.
constexpr std::uint32_t WatchedEvents =
    IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF | IN_ONLYDIR;
constexpr std::uint32_t LostTrack = IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_Q_OVERFLOW | IN_UNMOUNT;

}  // namespace

std::unique_ptr<TPathWatch> TPathWatch::Start(const std::string& path)
{
    const int descriptor = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (descriptor < 0)
        return nullptr;
    const std::string folder = DirectoryPart(path).empty() ? std::string(".") : DirectoryPart(path);
    if (::inotify_add_watch(descriptor, folder.c_str(), WatchedEvents) < 0) {
        ::close(descriptor);
        return nullptr;
    }
    return std::unique_ptr<TPathWatch>(new TPathWatch(descriptor, FileNamePart(path)));
}

TPathWatch::TPathWatch(int descriptor, std::string fileName) : Descriptor(descriptor), FileName(std::move(fileName))
{
}

TPathWatch::~TPathWatch()
{
    ::close(Descriptor);
}

bool TPathWatch::PathChanged()
{
    alignas(inotify_event) char buffer[4096];
    while (!Changed) {
        const ssize_t length = ::read(Descriptor, buffer, sizeof buffer);
        if (length < 0 && errno == EINTR)
            continue;
        if (length < 0 && errno == EAGAIN)
            break;
        if (length <= 0) {
            Changed = true;
            break;
        }
        for (ssize_t offset = 0; offset < length;) {
            const auto& event = *reinterpret_cast<const inotify_event*>(buffer + offset);
            Changed = Changed || Concerns(event);
            offset += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
        }
    }
    return Changed;
}

bool TPathWatch::Concerns(const inotify_event& event) const
{
    return (event.mask & LostTrack) != 0 || (event.len > 0 && FileName == event.name);
}
