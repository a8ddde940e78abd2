#include "common/core/ExecutablePath.h"

#include <filesystem>
#include <system_error>

namespace {

std::string ReadExecutablePath()
{
    std::error_code error;
    const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

}  // namespace

const std::string& ExecutablePath()
{
    static const std::string path = ReadExecutablePath();
    return path;
}
