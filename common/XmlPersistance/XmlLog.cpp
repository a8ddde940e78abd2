#include "common/XmlPersistance/XmlLog.h"

#include <exception>

namespace {

// The engine asks for its logger once. When logging cannot start (not even the critical
// log file can be written), the reason is kept for StartXmlLog, and the engine reads
// and writes without logs: a log must never stand between the user and the user's files.
struct TEngineLogger {
    TLogger* Logger = nullptr;
    std::exception_ptr StartError;
};

const TEngineLogger& EngineLogger()
{
    static const TEngineLogger engine = [] {
        TEngineLogger started;
        try {
            started.Logger = &TLogger::GetLogger("XmlPersistance.log", 1048576);
        } catch (const std::exception&) {
            started.StartError = std::current_exception();
        }
        return started;
    }();
    return engine;
}

}  // namespace

TLogger* XmlLogger()
{
    return EngineLogger().Logger;
}

void StartXmlLog()
{
    if (const std::exception_ptr& error = EngineLogger().StartError)
        std::rethrow_exception(error);
}
