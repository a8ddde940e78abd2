#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The marker rule: the site lists every category on its form page as "___<name>\"" followed
// somewhere later by value="<ID>". These helpers read that listing as plain text, for pages
// that carry no option list of the site's tree (CategoryListing.h reads those). A name is
// listed when the marker holds it as given or as the site stores it (StoredTitle: without the
// blanks around it), as it is or HTML-escaped: the text between the underscores and the
// double quote reads as the name once its character references are decoded. No file is
// written (the feed dumps the pages it looks in, see PageDump.h).

// The title a category is posted with as its URL part, made as the site makes one: every
// blank becomes "-", every other byte of the UTF-8 text outside A-Z, a-z, 0-9, "_" and "-"
// becomes "_" ("Caf\u00e9" gives "Caf__").
std::u16string TitleToUrl(std::u16string_view title);

// True when the page lists a category of exactly this name (case-sensitive).
bool CategoryExists(std::string_view name, std::string_view page);

// The identifier of the first category listed under this name ("0" when its value has no end
// within the page); nothing when the page does not list the name.
std::optional<std::string> FirstListedID(std::string_view name, std::string_view page);

// The identifiers of every category listed under this name, in page order, read in one pass
// over the page. A name the tree uses under several parents may be listed more than once,
// and then only these identifiers together tell the categories apart.
std::vector<std::string> ListedCategoryIDs(std::string_view name, std::string_view page);

// The identifiers of `ids` that `known` does not hold; each identifier of `known` accounts for
// one occurrence in `ids`, so a name listed twice with the same identifier leaves one.
std::vector<std::string> IDsNotIn(const std::vector<std::string>& ids, const std::vector<std::string>& known);

// The site's identifier of the first category listed under this name: the text between the
// delimiter following the first "value=" after the listing and the next same delimiter.
// "0" when the name is empty, not listed, or the value has no end within the page.
std::string FindCategoryID(const std::string& name, const std::string& page);
