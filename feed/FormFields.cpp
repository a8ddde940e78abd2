#include "feed/FormFields.h"

#include <algorithm>

std::vector<std::string>::iterator TFormFields::FindLine(const std::string& name)
{
    return std::find_if(FieldLines.begin(), FieldLines.end(), [&](const std::string& line) {
        return line.size() > name.size() && line[name.size()] == '=' && line.compare(0, name.size(), name) == 0;
    });
}

void TFormFields::SetValue(const std::string& name, const std::string& value)
{
    const auto line = FindLine(name);
    if (value.empty()) {
        if (line != FieldLines.end())
            FieldLines.erase(line);
    } else if (line != FieldLines.end()) {
        *line = name + "=" + value;
    } else {
        FieldLines.push_back(name + "=" + value);
    }
}
