#pragma once

#include <string>
#include <vector>

// The ordered "name=value" lines of a form post, in the shape the HTTP client posts (and
// encodes in place). Setting a name replaces its line where it stands or appends a new one;
// setting it to an empty value removes the line, so empty fields are never sent.
class TFormFields {
public:
    void Clear() { FieldLines.clear(); }
    void SetValue(const std::string& name, const std::string& value);
    std::vector<std::string>& Lines() { return FieldLines; }
    const std::vector<std::string>& Lines() const { return FieldLines; }

private:
    std::vector<std::string>::iterator FindLine(const std::string& name);

    std::vector<std::string> FieldLines;
};
