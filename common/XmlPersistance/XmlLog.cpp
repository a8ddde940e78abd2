#include "common/XmlPersistance/XmlLog.h"

#include "common/XmlPersistance/XmlPersistance.h"

TLogger& XmlLogger()
{
    static TLogger& logger = TLogger::GetLogger("XmlPersistance.log", 1048576);
    return logger;
}

void XmlLog(const std::string& message, TLogLevel level)
{
    XmlLogger().Log(message, level, nullptr);
}
