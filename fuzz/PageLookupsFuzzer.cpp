// The lookups the feed makes in the admin pages: whether a category is listed, its
// identifier, and the URL title it is posted with. Input: the category name on the first
// line, the page after it.
//
// Besides crashes, findings are an identifier for a name the page does not list and an
// identifier that is not text of the page.

#include "common/core/Text.h"
#include "feed/PageScraping.h"
#include "fuzz/FuzzFinding.h"
#include "fuzz/FuzzInput.h"

#include <cstdint>
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto [name, page] = FirstLineAndRest(InputText(data, size));
    CheckIdentifier(std::string(name), std::string(page));
    TitleToUrl(Utf8ToUtf16(name));
    return 0;
}
