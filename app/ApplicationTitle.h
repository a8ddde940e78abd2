#pragma once

#include <string>

// The title of the program's message boxes: the executable's file name without its
// extension, every letter after the first in lower case.
std::string ApplicationTitleOf(const std::string& executablePath);
