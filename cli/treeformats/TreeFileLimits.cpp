#include "cli/treeformats/TreeFileLimits.h"

#include "cli/treeformats/TreeFormatErrors.h"
#include "common/core/Text.h"

void RefuseTooDeep(const std::string& fileName, std::size_t line, std::size_t level)
{
    if (level > DeepestTreeLevel)
        throw ETreeInputError(fileName, line,
                              "an entry " + std::to_string(level) + " levels deep; a tree file can hold " +
                                  std::to_string(DeepestTreeLevel) + " levels, deeper ones cannot be read back");
}

// A UTF-16 unit takes at most three bytes as UTF-8, so only a long value needs counting.
void RefuseTooLong(const std::string& fileName, std::size_t line, std::u16string_view value)
{
    if (value.size() * 3 <= LongestTreeValue)
        return;
    const std::size_t bytes = Utf16ToUtf8(value).size();
    if (bytes > LongestTreeValue)
        throw ETreeInputError(fileName, line,
                              "a name or Url of " + std::to_string(bytes) + " bytes; a tree file can hold " +
                                  std::to_string(LongestTreeValue) + " bytes, longer ones cannot be read back");
}
