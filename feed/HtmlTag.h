#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

// A start tag of a page read as a browser reads it, attribute by attribute: a value may be
// double-quoted, single-quoted or bare, and a ">" inside a quoted value does not end the tag.
class THtmlTag {
public:
    struct TAttribute {
        std::string_view Name;
        std::string_view Value;  // as written, references not decoded
    };

    // The tag whose "<" is at `at`.
    THtmlTag(std::string_view page, std::size_t at);

    // The next attribute; nothing at the tag's end.
    std::optional<TAttribute> NextAttribute();
    // Behind the tag's ">" (or the page's end), once every attribute is read.
    std::size_t End() const { return Pos < Page.size() ? Pos + 1 : Pos; }

private:
    std::string_view ReadValue();

    std::string_view Page;
    std::size_t Pos;
};

// True when a tag of that name ("<option", "</select") starts at `at`: the name is followed
// by a blank, ">", "/" or the page's end, so "<optgroup" is no "<option".
bool StartsTag(std::string_view page, std::size_t at, std::string_view name);

// True when the blank-separated list of classes holds that class.
bool HasClass(std::string_view classes, std::string_view name);
