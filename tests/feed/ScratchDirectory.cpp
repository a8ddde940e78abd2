#include "ScratchDirectory.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <stdlib.h>

TScratchDirectory::TScratchDirectory() : Previous(std::filesystem::current_path())
{
    std::string pattern = (std::filesystem::temp_directory_path() / "tessaroo-feed-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a scratch directory");
    Directory = pattern;
    std::filesystem::current_path(Directory);
}

TScratchDirectory::~TScratchDirectory()
{
    std::error_code ignored;
    std::filesystem::current_path(Previous, ignored);
    std::filesystem::permissions(Directory, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(Directory, ignored);
}

bool ReadWholeFile(const std::filesystem::path& path, std::string& content)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    std::ostringstream text;
    text << file.rdbuf();
    content = text.str();
    return true;
}
