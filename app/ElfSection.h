#pragma once

#include <optional>
#include <string>

// The contents of the named section of an ELF file, or nothing when the file cannot be read,
// is not an ELF file of this machine's byte order, or has no such section. A damaged file
// gives nothing, never a read outside the file.
std::optional<std::string> ReadElfSection(const std::string& fileName, const std::string& sectionName);
