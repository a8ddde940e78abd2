#include "feed/PageDump.h"

#include "feed/FeedErrors.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace {

constexpr const char* DumpFileName = "html";

std::string DescribeFailure(const char* what)
{
    const int error = errno;
    std::error_code ignored;
    const std::string path = std::filesystem::absolute(DumpFileName, ignored).string();
    return std::string(what) + " \"" + path + "\". " + std::strerror(error);
}

bool WriteAll(int file, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(file, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

}  // namespace

// The file is written over in place and then cut to the page's length: a feed dumps a page
// after nearly every request, and the pages grow, so truncating first would free and again
// allocate the file's blocks every time.
void WritePageDump(std::string_view page)
{
    const int file = ::open(DumpFileName, O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
    if (file < 0)
        throw EPageDump(DescribeFailure("Cannot create file"));
    const bool written = WriteAll(file, page) && ::ftruncate(file, static_cast<off_t>(page.size())) == 0;
    const int writeError = errno;
    if (::close(file) != 0 || !written) {
        if (!written)
            errno = writeError;
        throw EPageDump(DescribeFailure("Cannot write file"));
    }
}
