#pragma once

#include "common/XmlPersistance/XmlPersistance.h"

#include <string>

// Builds the object a file holds (TXmlPersistance::FileToObject).
TXmlPersistance::TReadResult ReadXmlFile(const std::string& fileName, const TXmlPersistance::TReadCheck& check);
