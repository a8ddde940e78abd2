// The lookups the feed makes in the admin pages: whether a category is listed and its
// identifier by the marker rule, the option list read as the site's tree, the answer to a
// post, and the URL title a category is posted with. Input: the category name on the first
// line, the page after it.
//
// Besides crashes, findings are an identifier for a name the page does not list, an
// identifier that is not text of the page, a decoded text longer than its source, a URL
// title the site would refuse, and a listing read again after another page that answers
// otherwise than one read afresh.

#include "common/core/Text.h"
#include "feed/CategoryListing.h"
#include "feed/FormAnswer.h"
#include "feed/HtmlText.h"
#include "feed/PageScraping.h"
#include "fuzz/FuzzFinding.h"
#include "fuzz/FuzzInput.h"
#include "model/tree/EntryPaths.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

namespace {

void CheckIdentifier(const std::string& name, const std::string& page)
{
    const std::string id = FindCategoryID(name, page);
    if (!CategoryExists(name, page))
        ExpectThat(id == "0", "identifier of a name the page does not list", name);
    else
        ExpectThat(id == "0" || page.find(id) != std::string::npos, "identifier that is not on the page", id);
}

void CheckUrlTitle(const std::string& name)
{
    const std::string url = Utf16ToUtf8(TitleToUrl(Utf8ToUtf16(name)));
    ExpectThat(std::all_of(url.begin(), url.end(),
                           [](char c) {
                               return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                                      c == '_' || c == '-';
                           }),
               "URL title with a character the site refuses", url);
}

void ReadAsTheSitesPage(const std::string& name, const std::string& page)
{
    ExpectThat(DecodeHtmlText(page).size() <= page.size(), "decoded text longer than its source", name);
    for (const std::string& reason : ReadFormAnswer(page).Refusals)
        ExpectThat(!reason.empty(), "empty reason of a refusal", page);
}

// The page read after one that differs from it behind its middle, as a feed reads a page
// after the last one.
void CheckReadingAgain(const std::string& name, const std::string& page)
{
    std::string before = page;
    if (!before.empty())
        before[before.size() / 2] ^= 0x20;
    TCategoryListing again;
    again.ReadAgain(before);
    const bool listed = again.ReadAgain(page);
    const std::optional<TCategoryListing> fresh = TCategoryListing::Read(page);
    ExpectThat(listed == fresh.has_value(), "a page read again taken otherwise", page);
    if (!fresh)
        return;
    const std::string path = EscapePathName(StoredTitle(name));
    ExpectThat(again.Size() == fresh->Size() && again.IDAt(path) == fresh->IDAt(path),
               "a page read again answering otherwise", page);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto [name, page] = FirstLineAndRest(InputText(data, size));
    CheckIdentifier(std::string(name), std::string(page));
    CheckUrlTitle(std::string(name));
    ReadAsTheSitesPage(std::string(name), std::string(page));
    CheckReadingAgain(std::string(name), std::string(page));
    return 0;
}
