#include "tests/support/ScopedEnvironment.h"

#include <cstdlib>

namespace {

void Set(const std::string& name, const std::optional<std::string>& value)
{
    if (value)
        setenv(name.c_str(), value->c_str(), 1);
    else
        unsetenv(name.c_str());
}

}  // namespace

TScopedEnvironment::TScopedEnvironment(std::string name, const std::optional<std::string>& value)
    : Name(std::move(name))
{
    if (const char* earlier = std::getenv(Name.c_str()))
        Earlier = earlier;
    Set(Name, value);
}

TScopedEnvironment::~TScopedEnvironment()
{
    Set(Name, Earlier);
}
