#include "common/XmlPersistance/XmlClassManager.h"

void TXMLClassManager::AddClass(const TXMLPersistentClass& xmlClass)
{
    std::lock_guard guard(Lock);
    if (!ClassByName(xmlClass.ClassName()))
        Classes.push_back(&xmlClass);
}

const TXMLPersistentClass* TXMLClassManager::ClassByName(std::string_view name) const
{
    std::lock_guard guard(Lock);
    if (name.empty())
        return nullptr;
    for (const TXMLPersistentClass* xmlClass : Classes) {
        if (SameFoldedName(xmlClass->ClassName(), name))
            return xmlClass;
    }
    return nullptr;
}

TXMLClassManager& XmlClassManager()
{
    static TXMLClassManager manager;
    return manager;
}

void RegisterXmlClass(const TXMLPersistentClass& xmlClass)
{
    XmlClassManager().AddClass(xmlClass);
}

const TXMLPersistentClass* GetXmlClass(std::string_view name)
{
    return XmlClassManager().ClassByName(name);
}
