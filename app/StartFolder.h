#pragma once

#include <filesystem>
#include <optional>

// A program started from the desktop's menu may find itself in "/", where a user can write
// nothing: its tree.xml, the backup beside it and the page dump belong in the home folder,
// as for a program started in a terminal there.

// The folder to work in instead of the working folder: the home folder when the working
// folder is "/", unless the tree file was named on the command line with a relative path,
// which means a file under "/". None when the program stays where it is (started in a
// folder of its own, or no home folder to go to: home unset, relative, not a folder, or "/").
std::optional<std::filesystem::path> FolderToWorkIn(const std::filesystem::path& workingFolder, const char* home,
                                                    const std::filesystem::path& treeFile, bool fileNamed);

// Moves the process to FolderToWorkIn its own working folder and HOME. When the move fails
// the program stays where it started, as it would without this rule: every file it then
// cannot write is reported by the command that writes it.
void MoveToHomeWhenStartedInRoot(const std::filesystem::path& treeFile, bool fileNamed);
