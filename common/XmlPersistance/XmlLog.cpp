#include "common/XmlPersistance/XmlLog.h"

#include "common/XmlPersistance/XmlClassManager.h"
#include "common/XmlPersistance/XmlPersistance.h"

TLogger& XmlLogger()
{
    static TLogger& logger = TLogger::GetLogger("XmlPersistance.log", 1048576);
    return logger;
}

std::string& TraceLine()
{
    thread_local std::string line;
    return line;
}

void XmlLog(const std::string& message, TLogLevel level)
{
    XmlLogger().Log(message, level, nullptr);
}

void StartXmlPersistance()
{
    TLogger::GetLogger("", 1048576);
    XmlClassManager();
    XmlLogger();
}
