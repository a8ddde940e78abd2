#include "tests/support/WorkingDirectory.h"

TWorkingDirectory::TWorkingDirectory(const std::filesystem::path& folder) : Previous(std::filesystem::current_path())
{
    std::filesystem::current_path(folder);
}

TWorkingDirectory::~TWorkingDirectory()
{
    std::error_code ignored;
    std::filesystem::current_path(Previous, ignored);
}
