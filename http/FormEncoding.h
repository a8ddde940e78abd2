#pragma once

#include <string>
#include <string_view>
#include <vector>

// A form value for the body of a post: a blank becomes "+", digits and ASCII letters stay,
// every other byte becomes "%" and two upper-case hexadecimal digits.
std::string EncodeFormValue(std::string_view value);

// Replaces the value of every "name=value" line by its encoding (names stay as they are).
void EncodeFormValues(std::vector<std::string>& fields);

// The body of a post: one line as it is, more lines joined by "&" with a trailing "&"
// (each line is followed by CR LF, which becomes "&"), trimmed of blanks and control characters.
std::string FormBody(const std::vector<std::string>& fields);
