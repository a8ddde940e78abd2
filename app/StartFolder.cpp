#include "app/StartFolder.h"

#include <cstdlib>
#include <system_error>

std::optional<std::filesystem::path> FolderToWorkIn(const std::filesystem::path& workingFolder, const char* home,
                                                    const std::filesystem::path& treeFile, bool fileNamed)
{
    if (workingFolder != "/" || !home || (fileNamed && treeFile.is_relative()))
        return std::nullopt;
    const std::filesystem::path homeFolder(home);
    std::error_code error;
    if (!homeFolder.is_absolute() || !std::filesystem::is_directory(homeFolder, error) ||
        std::filesystem::equivalent(homeFolder, workingFolder, error))
        return std::nullopt;
    return homeFolder;
}

void MoveToHomeWhenStartedInRoot(const std::filesystem::path& treeFile, bool fileNamed)
{
    std::error_code error;
    const std::filesystem::path workingFolder = std::filesystem::current_path(error);
    if (error)
        return;
    if (const auto folder = FolderToWorkIn(workingFolder, std::getenv("HOME"), treeFile, fileNamed))
        std::filesystem::current_path(*folder, error);
}
