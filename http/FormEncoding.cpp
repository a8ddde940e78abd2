#include "http/FormEncoding.h"

#include "common/core/TextTrim.h"

namespace {
bool StaysAsItIs(unsigned char c)
{
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
}  // namespace

std::string EncodeFormValue(std::string_view value)
{
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(value.size());
    for (const char c : value) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == ' ') {
            encoded += '+';
        } else if (StaysAsItIs(byte)) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += Hex[byte >> 4];
            encoded += Hex[byte & 0x0F];
        }
    }
    return encoded;
}

// Each line's own value is encoded once, also when a name occurs on several lines.
void EncodeFormValues(std::vector<std::string>& fields)
{
    for (auto& line : fields) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos || equals + 1 == line.size())
            continue;
        line = line.substr(0, equals + 1) + EncodeFormValue(std::string_view(line).substr(equals + 1));
    }
}

std::string FormBody(const std::vector<std::string>& fields)
{
    std::string text;
    for (const auto& line : fields) {
        text += line;
        text += fields.size() < 2 ? "\r\n" : "&";
    }
    return std::string(Trim(text));
}
