#include "feed/CategorySubmission.h"

#include "common/core/Text.h"
#include "feed/FeedErrors.h"
#include "feed/PageDump.h"
#include "feed/PageScraping.h"

#include <utility>

TCategorySubmitter::TCategorySubmitter(TAdminSession& session, TFeedView& view, TPause pause)
    : Session(session), View(view), Pause(std::move(pause))
{
}

void TCategorySubmitter::FillCategoryForm(const std::string& name, const std::string& parentID)
{
    TFormFields& fields = Session.FormFields();
    fields.Clear();
    fields.SetValue("TITLE", name);
    fields.SetValue("TITLE_URL", Utf16ToUtf8(TitleToUrl(Utf8ToUtf16(name))));
    fields.SetValue("PARENT_ID", parentID);
    fields.SetValue("STATUS", "2");
    fields.SetValue("submit", "Save");
}

// Worded ("seem like", "regetting") as users and their scripts know the line; leave it so.
void TCategorySubmitter::ReportMissingCategory(const std::string& name, int examination)
{
    View.AppendMessageLine("category " + name + " seem like it was not added. regetting page " +
                           std::to_string(examination) + " of " + std::to_string(MaxExaminations) + " before abort...");
}

std::string TCategorySubmitter::IDOnCurrentPage(const std::string& name) const
{
    const std::string& page = Session.CurrentPage();
    DumpPageOfLookup(name, page);
    return FindCategoryID(name, page);
}

void TCategorySubmitter::AddCategory(const std::string& name, const std::string& parentName)
{
    PostCategory(name, IDOnCurrentPage(parentName), FirstListingCheck(name));
}

std::string TCategorySubmitter::PostCategory(const std::string& name, const std::string& parentID,
                                             const TListingCheck& isListed)
{
    FillCategoryForm(name, parentID);
    Session.SendRequest(Session.Addresses().NewCategory, Session.FormFields());

    // The site may list a new category only a little later; the fifth re-fetched page is not
    // examined, as the form is never posted twice.
    for (int examination = 1; examination <= MaxExaminations; ++examination) {
        if (std::optional<std::string> id = isListed(Session.CurrentPage()))
            return std::move(*id);
        ReportMissingCategory(name, examination);
        View.ProcessMessagesNow();
        Pause(RefetchPause);
        Session.SendRequest(Session.Addresses().NewCategory);
    }
    throw ECategoryNotAdded("problems with category: " + name);
}

void TCategorySubmitter::AddSymbolicCategory(const std::string& name, const std::string& parentName,
                                             const std::string& targetName)
{
    const std::string parentID = IDOnCurrentPage(parentName);
    PostSymbolicCategory(name, parentID, IDOnCurrentPage(targetName));
}

void TCategorySubmitter::PostSymbolicCategory(const std::string& name, const std::string& parentID,
                                              const std::string& targetID)
{
    TFormFields& fields = Session.FormFields();
    fields.Clear();
    fields.SetValue("TITLE", name);
    fields.SetValue("PARENT_ID", parentID);
    fields.SetValue("SYMBOLIC_ID", targetID);
    fields.SetValue("STATUS", "2");
    fields.SetValue("submit", "Save");
    Session.SendRequest(Session.Addresses().NewSymbolicCategory, fields);
}

TListingCheck FirstListingCheck(const std::string& name)
{
    return [name](const std::string& page) { return FirstListedID(name, page); };
}

TListingCheck NewListingCheck(const std::string& name, std::vector<std::string> listedBefore)
{
    return [name, before = std::move(listedBefore)](const std::string& page) -> std::optional<std::string> {
        const std::vector<std::string> listed = ListedCategoryIDs(name, page);
        if (listed.size() <= before.size())
            return std::nullopt;
        const std::vector<std::string> added = IDsNotIn(listed, before);
        return added.size() == 1 ? added.front() : std::string();
    };
}
