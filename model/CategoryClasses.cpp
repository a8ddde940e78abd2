#include "model/CategoryClasses.h"

#include "common/XmlPersistance/XmlClassManager.h"
#include "model/Category.h"
#include "model/Dmoz.h"
#include "model/XMLTreeNode.h"

void RegisterCategoryClasses()
{
    RegisterXmlClass(TCategory::ClassInfo());
    RegisterXmlClass(TSymbolicCategory::ClassInfo());
    RegisterXmlClass(TDmoz::ClassInfo());
    RegisterXmlClass(TXMLTreeNode::ClassInfo());
}
