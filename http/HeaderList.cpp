#include "http/HeaderList.h"

#include "common/core/Text.h"
#include "common/core/TextTrim.h"

namespace {

bool IsContinuation(const std::string& line)
{
    return !line.empty() && (line[0] == ' ' || line[0] == '\t');
}

std::string_view NameOf(std::string_view line)
{
    const auto colon = line.find(':');
    return Trim(line.substr(0, colon));
}

bool IsFoldPoint(char c)
{
    return c == ' ' || c == '\t' || c == ',';
}

// The position just after the last fold point before the limit, or after the first one
// beyond it; npos when the line has no fold point outside quotes.
size_t FoldPosition(std::string_view line, size_t limit)
{
    bool quoted = false;
    size_t lastWithin = std::string_view::npos;
    for (size_t i = 0; i + 1 < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (!quoted && IsFoldPoint(line[i])) {
            if (i + 1 > limit)
                return lastWithin != std::string_view::npos ? lastWithin : i + 1;
            lastWithin = i + 1;
        }
    }
    return lastWithin;
}

}  // namespace

std::vector<std::string> FoldHeaderLine(std::string_view line)
{
    std::vector<std::string> lines;
    std::string_view rest = line;
    while (rest.size() > THeaderList::FoldLength) {
        const size_t position = FoldPosition(rest, THeaderList::FoldLength);
        if (position == std::string_view::npos)
            break;
        const std::string_view head = TrimRight(rest.substr(0, position));
        lines.emplace_back(lines.empty() ? std::string(head) : " " + std::string(head));
        rest = TrimLeft(rest.substr(position));
    }
    lines.emplace_back(lines.empty() ? std::string(rest) : " " + std::string(rest));
    return lines;
}

size_t THeaderList::FindName(std::string_view name, size_t from) const
{
    for (size_t i = from; i < Lines.size(); ++i)
        if (!IsContinuation(Lines[i]) && Lines[i].find(':') != std::string::npos &&
            SameTextAscii(NameOf(Lines[i]), name))
            return i;
    return std::string::npos;
}

size_t THeaderList::ContinuationEnd(size_t index) const
{
    size_t end = index + 1;
    while (end < Lines.size() && IsContinuation(Lines[end]))
        ++end;
    return end;
}

std::string THeaderList::ValueAt(size_t index) const
{
    const std::string& line = Lines[index];
    std::string value(Trim(std::string_view(line).substr(line.find(':') + 1)));
    for (size_t i = index + 1; i < ContinuationEnd(index); ++i) {
        value += ' ';
        value += Trim(Lines[i]);
    }
    return value;
}

std::string THeaderList::Values(std::string_view name) const
{
    const size_t index = FindName(name, 0);
    return index == std::string::npos ? std::string() : ValueAt(index);
}

std::vector<std::string> THeaderList::AllValues(std::string_view name) const
{
    std::vector<std::string> values;
    for (size_t i = FindName(name, 0); i != std::string::npos; i = FindName(name, i + 1))
        values.push_back(ValueAt(i));
    return values;
}

void THeaderList::SetValue(std::string_view name, std::string_view value)
{
    ReplaceLines(name, value.empty() ? std::vector<std::string>()
                                     : FoldHeaderLine(std::string(name) + ": " + std::string(value)));
}

void THeaderList::SetUnfoldedValue(std::string_view name, std::string_view value)
{
    ReplaceLines(name, value.empty() ? std::vector<std::string>()
                                     : std::vector<std::string>{std::string(name) + ": " + std::string(value)});
}

void THeaderList::ReplaceLines(std::string_view name, const std::vector<std::string>& lines)
{
    size_t index = FindName(name, 0);
    if (index != std::string::npos)
        Lines.erase(Lines.begin() + index, Lines.begin() + ContinuationEnd(index));
    else
        index = Lines.size();
    Lines.insert(Lines.begin() + index, lines.begin(), lines.end());
}

std::string THeaderList::Text() const
{
    std::string text;
    for (const auto& line : Lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}
