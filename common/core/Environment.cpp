#include "common/core/Environment.h"

#include <cstdlib>

std::string EnvironmentValue(const char* name)
{
    const char* value = std::getenv(name);
    return value ? std::string(value) : std::string();
}
