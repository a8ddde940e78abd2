#include "fuzz/FuzzInput.h"

std::string_view InputText(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

std::vector<std::string_view> SplitAt(std::string_view text, std::string_view separator)
{
    std::vector<std::string_view> pieces;
    for (std::size_t found = text.find(separator); found != std::string_view::npos; found = text.find(separator)) {
        pieces.push_back(text.substr(0, found));
        text.remove_prefix(found + separator.size());
    }
    pieces.push_back(text);
    return pieces;
}

namespace {

std::pair<std::string_view, std::string_view> SplitOnce(std::string_view text, char separator)
{
    const std::size_t found = text.find(separator);
    if (found == std::string_view::npos)
        return {text, {}};
    return {text.substr(0, found), text.substr(found + 1)};
}

}  // namespace

std::pair<std::string_view, std::string_view> FirstLineAndRest(std::string_view text)
{
    return SplitOnce(text, '\n');
}

std::pair<std::string_view, std::string_view> FirstWordAndRest(std::string_view line)
{
    return SplitOnce(line, ' ');
}
