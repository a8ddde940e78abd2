#pragma once

#include <string>
#include <string_view>

// The site lists every category on its form page as "___<name>\"" followed somewhere later by
// value="<ID>". These helpers read that listing as plain text; no HTML is parsed.

// The title a category is posted with as its URL part: every blank becomes "-".
std::u16string TitleToUrl(std::u16string_view title);

// True when the page lists a category of exactly this name (case-sensitive).
bool CategoryExists(std::string_view name, std::string_view page);

// The site's identifier of the first category listed under this name: the text between the
// delimiter following the first "value=" after the listing and the next same delimiter.
// "0" when the name is empty, not listed, or the value has no end within the page. Every
// lookup with a name first dumps the page to the file "html" in the working directory.
std::string FindCategoryID(const std::string& name, const std::string& page);
