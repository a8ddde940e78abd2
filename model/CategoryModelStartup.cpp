#include "model/CategoryModelStartup.h"

#include "common/XmlPersistance/XmlPersistance.h"
#include "model/CategoryClasses.h"

#include <exception>

namespace {

// Logging fails to start only when not even its critical log file can be written (an
// unusable temporary folder).
std::optional<std::string> StartEngine()
{
    try {
        StartXmlPersistance();
        return std::nullopt;
    } catch (const std::exception& error) {
        return std::string(error.what());
    }
}

}  // namespace

std::optional<std::string> StartCategoryModel()
{
    std::optional<std::string> startError = StartEngine();
    RegisterCategoryClasses();
    return startError;
}
