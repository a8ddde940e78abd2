#include "cli/treeformats/TreeFormatErrors.h"

ETreeInputError::ETreeInputError(const std::string& fileName, std::size_t line, const std::string& reason)
    : Exception(SourcePlace(fileName, line, reason))
{
}

ETreeInputError::ETreeInputError(const std::string& fileName, const std::string& reason)
    : Exception(fileName + ": " + reason)
{
}

std::string SourcePlace(const std::string& fileName, std::size_t line, const std::string& text)
{
    return fileName + ":" + std::to_string(line) + ": " + text;
}
