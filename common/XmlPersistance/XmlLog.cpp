#include "common/XmlPersistance/XmlLog.h"

#include "common/XmlPersistance/XmlClassManager.h"
#include "common/XmlPersistance/XmlPersistance.h"

#include <exception>

namespace {

// The engine asks for its logger once. When logging cannot start (not even the critical
// log file can be written), the reason is kept for StartXmlPersistance, and the engine reads
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

// Asking for the engine's logger starts the logging unit first, which writes its start-up
// record.
void StartXmlPersistance()
{
    XmlClassManager();
    if (const std::exception_ptr& error = EngineLogger().StartError)
        std::rethrow_exception(error);
}
