#pragma once

#include <filesystem>
#include <string>

// The bytes of a whole file, unchanged; empty when it cannot be opened.
std::string ReadFile(const std::filesystem::path& path);

// Replaces a file's content with the given bytes, unchanged.
void WriteFile(const std::filesystem::path& path, const std::string& bytes);
