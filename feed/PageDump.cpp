#include "feed/PageDump.h"

#include "feed/FeedErrors.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

namespace {

constexpr const char* DumpFileName = "html";

std::string DescribeFailure(const char* what)
{
    const int error = errno;
    std::error_code ignored;
    const std::string path = std::filesystem::absolute(DumpFileName, ignored).string();
    return std::string(what) + " \"" + path + "\". " + std::strerror(error);
}

}  // namespace

void WritePageDump(std::string_view page)
{
    std::unique_ptr<std::FILE, decltype(&std::fclose)> file(std::fopen(DumpFileName, "wb"), &std::fclose);
    if (!file)
        throw EPageDump(DescribeFailure("Cannot create file"));
    const bool written = std::fwrite(page.data(), 1, page.size(), file.get()) == page.size();
    if (!written || std::fclose(file.release()) != 0)
        throw EPageDump(DescribeFailure("Cannot write file"));
}
