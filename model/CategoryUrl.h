#pragma once

#include <string>
#include <string_view>

// The Url of a top-level category is "Top/" and its name; below it, each level adds "/" and
// the name, with blanks written as "_".
inline constexpr std::u16string_view TopUrl = u"Top";

std::u16string UrlSegmentOf(std::u16string_view name);
// The name a segment stands for, "_" read as a blank.
std::u16string NameOfSegment(std::u16string_view segment);
std::u16string ChildUrl(std::u16string_view parentUrl, std::u16string_view name);
