#include "cli/treeformats/TreeFile.h"

#include "cli/treeformats/ImportedTree.h"
#include "cli/treeformats/TreeFormatErrors.h"
#include "common/XmlPersistance/XmlPersistance.h"
#include "model/tree/TreeBinding.h"

#include <exception>

void LoadTreeFile(const std::string& fileName, TCategoryTree& tree)
{
    try {
        LoadTree(tree, fileName);
    } catch (const std::exception& error) {
        throw ETreeFileUnreadable(fileName + " cannot be read: " + error.what());
    }
}

void WriteTreeFile(const TImportedTree& tree, const std::string& fileName)
{
    TXmlPersistance::ObjectToFile(*tree.Root, fileName);
}
