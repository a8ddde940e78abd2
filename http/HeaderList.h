#pragma once

#include <string>
#include <string_view>
#include <vector>

// An ordered list of header lines "Name: value". Names compare without regard to case; a
// line that begins with a blank or a tab continues the value of the line before it.
class THeaderList {
public:
    // Lines longer than this are folded when a value is set.
    static constexpr size_t FoldLength = 1024;

    void Clear() { Lines.clear(); }
    void Add(std::string line) { Lines.push_back(std::move(line)); }
    size_t Count() const { return Lines.size(); }
    const std::string& operator[](size_t index) const { return Lines[index]; }
    const std::vector<std::string>& AllLines() const { return Lines; }

    // The value of the first line with this name, trimmed, continuation lines joined with
    // one blank; empty when there is none.
    std::string Values(std::string_view name) const;

    // Every value of this name, in order (e.g. all "Set-Cookie" values).
    std::vector<std::string> AllValues(std::string_view name) const;

    // Replaces the first line of this name (with its continuation lines) or appends one;
    // an empty value removes the line.
    void SetValue(std::string_view name, std::string_view value);
    // The same, on one line however long: for headers whose readers do not join
    // continuation lines ("Cookie").
    void SetUnfoldedValue(std::string_view name, std::string_view value);

    // The lines each followed by CR LF.
    std::string Text() const;

private:
    size_t FindName(std::string_view name, size_t from) const;
    std::string ValueAt(size_t index) const;
    size_t ContinuationEnd(size_t index) const;
    void ReplaceLines(std::string_view name, const std::vector<std::string>& lines);

    std::vector<std::string> Lines;
};

// Breaks a header line longer than THeaderList::FoldLength after a blank, tab or comma that
// lies outside double quotes; every continuation line begins with one blank.
std::vector<std::string> FoldHeaderLine(std::string_view line);
