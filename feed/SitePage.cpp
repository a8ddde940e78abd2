#include "feed/SitePage.h"

TSitePage::TSitePage(std::string_view text)
{
    Read(text);
}

void TSitePage::Read(std::string_view text)
{
    PageText = text;
    HasTree = Tree.ReadAgain(text);
    PostAnswer = ReadFormAnswer(text);
}

bool TSitePage::IsFullFormPage() const
{
    return (HasTree && Tree.Size() > 0) || PostAnswer.Saved || !PostAnswer.Refusals.empty();
}
