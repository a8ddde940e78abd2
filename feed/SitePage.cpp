#include "feed/SitePage.h"

TSitePage::TSitePage(std::string_view text)
    : PageText(text), Tree(TCategoryListing::Read(text)), PostAnswer(ReadFormAnswer(text))
{
}

bool TSitePage::IsFullFormPage() const
{
    return (Tree && Tree->Size() > 0) || PostAnswer.Saved || !PostAnswer.Refusals.empty();
}
