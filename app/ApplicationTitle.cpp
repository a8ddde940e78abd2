#include "app/ApplicationTitle.h"

#include "common/core/Text.h"

std::string ApplicationTitleOf(const std::string& executablePath)
{
    std::string name = executablePath.substr(executablePath.find_last_of('/') + 1);
    const auto dot = name.find_last_of('.');
    if (dot != std::string::npos)
        name.erase(dot);
    if (name.empty())
        return name;
    return name.substr(0, 1) + AsciiLowerCase(name.substr(1));
}
