#include "common/logging/Logger.h"

TLogLevel GlobalLogLevel = llAll;

const char* LogLevelText(TLogLevel level)
{
    switch (level) {
    case llNone: return "None";
    case llError: return "Error";
    case llWarn: return "Warn";
    case llInfo: return "Info";
    case llDebug: return "Debug";
    case llFullDebug: return "FullDebug";
    case llDisabled: return "Disabled";
    case llAll: return "All";
    }
    return "";
}
