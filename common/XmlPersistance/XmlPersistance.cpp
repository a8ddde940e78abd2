#include "common/XmlPersistance/XmlPersistance.h"

#include "common/XmlPersistance/XmlClassManager.h"
#include "common/XmlPersistance/XmlLog.h"
#include "common/XmlPersistance/XmlReader.h"
#include "common/XmlPersistance/XmlWriter.h"

TXmlPersistance::TReadResult TXmlPersistance::FileToObject(const std::string& fileName, const TReadCheck& check)
{
    return ReadXmlFile(fileName, check);
}

void TXmlPersistance::ObjectToNode(const TXMLPersistentObject& object, pugi::xml_node parent)
{
    WriteXmlElement(object, parent);
}

std::string TXmlPersistance::ObjectToXml(const TXMLPersistentObject& object, bool indented)
{
    return XmlTextOf(object, indented);
}

void TXmlPersistance::ObjectToFile(const TXMLPersistentObject& object, const std::string& fileName, TBackup backup)
{
    WriteXmlFile(object, fileName, backup);
}

void StartXmlPersistance()
{
    XmlClassManager();
    StartXmlLog();
}
