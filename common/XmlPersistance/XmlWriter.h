#pragma once

#include "common/XmlPersistance/PersistentObject.h"
#include "common/core/ReplacementFile.h"

#include <pugixml.hpp>

#include <string>

// The writer behind TXmlPersistance::ObjectToNode, ObjectToXml and ObjectToFile.
void WriteXmlElement(const TXMLPersistentObject& object, pugi::xml_node parent);
std::string XmlTextOf(const TXMLPersistentObject& object, bool indented);
void WriteXmlFile(const TXMLPersistentObject& object, const std::string& fileName, TBackup backup);
