#pragma once

#include "common/core/ExecutablePath.h"

#include <string>

// Where log files live and how their names are formed. Paths use '/' only; there are no
// drive letters here, so a directory part ends at the last '/'.

// The folder that bare log file names go into: "logs/" in the program's folder (given with a
// trailing '/') when the program may write there, else "logs/" in the state folder
// (StateFolder(), "~/.local/state/tessaroo/logs/" by default). An installed program, in the
// folder the build installs into, always writes to the state folder. Without a state folder
// (no HOME) the logs stay beside the program.
std::string LogFolderFor(const std::string& programFolder);
// LogFolderFor the folder of the running executable.
std::string DefaultLogFolder();

// The folder for files that must be writable whatever else fails: the environment variable
// "temp" when set and not empty, else TMPDIR, else /tmp; always with a trailing '/'.
std::string TemporaryFolder();

// The file of the default logger and of every failure record:
// <temp>Brevin_Logger_Critical_<executable file name>.log
std::string CriticalLogFileName();

// Where a logger writes when its own folder or file cannot be set up:
// <temp>Critical<file name part>
std::string SetupFallbackFileName(const std::string& fileName);

// The file's path with its extension replaced by " Archived <stamp>.log".
std::string ArchiveFileName(const std::string& fileName, const std::string& stamp);

// Everything up to and including the last '/'; empty when there is none.
std::string DirectoryPart(const std::string& path);
std::string FileNamePart(const std::string& path);
std::string IncludeTrailingDelimiter(const std::string& path);
