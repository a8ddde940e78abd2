#include "cli/treeformats/TreeDepth.h"

#include "cli/treeformats/TreeFormatErrors.h"

void RefuseTooDeep(const std::string& fileName, std::size_t line, std::size_t level)
{
    if (level > DeepestTreeLevel)
        throw ETreeInputError(fileName, line,
                              "an entry " + std::to_string(level) + " levels deep; a tree file can hold " +
                                  std::to_string(DeepestTreeLevel) + " levels, deeper ones cannot be read back");
}
