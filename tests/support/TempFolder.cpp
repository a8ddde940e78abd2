#include "tests/support/TempFolder.h"

#include <random>
#include <stdexcept>
#include <unistd.h>

TTempFolder::TTempFolder()
{
    std::random_device random;
    const std::string process = std::to_string(::getpid());
    // create_directory reports a folder that is already there, so a name another test took
    // is never shared; a few attempts are plenty.
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto candidate = std::filesystem::temp_directory_path() /
                               ("tessaroo-test-" + process + "-" + std::to_string(random() % 1000000000));
        if (std::filesystem::create_directory(candidate)) {
            Folder = candidate;
            return;
        }
    }
    throw std::runtime_error("cannot create a temporary folder");
}

TTempFolder::~TTempFolder()
{
    std::error_code ignored;
    // A test may have taken away the rights to the folder itself to make writing fail.
    std::filesystem::permissions(Folder, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ignored);
    std::filesystem::remove_all(Folder, ignored);
}
