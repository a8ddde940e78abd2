#pragma once

#include <initializer_list>
#include <string>

// Lines joined as the writer ends them: CR LF after each, the last one included.
inline std::string CrLfLines(std::initializer_list<std::string> lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}
