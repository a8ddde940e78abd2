#include "feed/CategorySubmission.h"

#include "common/core/Text.h"
#include "feed/FeedErrors.h"
#include "feed/PageScraping.h"

#include <thread>
#include <utility>

void SleepFor(std::chrono::milliseconds duration)
{
    std::this_thread::sleep_for(duration);
}

TCategorySubmitter::TCategorySubmitter(TAdminSession& session, TFeedView& view, TPause pause)
    : Session(session), View(view), Pause(std::move(pause))
{
}

void TCategorySubmitter::FillCategoryForm(const std::string& name, const std::string& parentName)
{
    TFormFields& fields = Session.FormFields();
    fields.Clear();
    fields.SetValue("TITLE", name);
    fields.SetValue("TITLE_URL", Utf16ToUtf8(TitleToUrl(Utf8ToUtf16(name))));
    fields.SetValue("PARENT_ID", FindCategoryID(parentName, Session.CurrentPage()));
    fields.SetValue("STATUS", "2");
    fields.SetValue("submit", "Save");
}

void TCategorySubmitter::ReportMissingCategory(const std::string& name, int examination)
{
    View.AppendMessageLine("category " + name + " seem like it was not added. regetting page " +
                           std::to_string(examination) + " of " + std::to_string(MaxExaminations) +
                           " before abort...");
}

void TCategorySubmitter::AddCategory(const std::string& name, const std::string& parentName)
{
    FillCategoryForm(name, parentName);
    Session.SendRequest(Session.Addresses().NewCategory, Session.FormFields());

    // The site may list a new category only a little later; the fifth re-fetched page is not
    // examined, as the form is never posted twice.
    for (int examination = 1; examination <= MaxExaminations; ++examination) {
        if (CategoryExists(name, Session.CurrentPage()))
            return;
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
    TFormFields& fields = Session.FormFields();
    fields.Clear();
    fields.SetValue("TITLE", name);
    fields.SetValue("PARENT_ID", FindCategoryID(parentName, Session.CurrentPage()));
    fields.SetValue("SYMBOLIC_ID", FindCategoryID(targetName, Session.CurrentPage()));
    fields.SetValue("STATUS", "2");
    fields.SetValue("submit", "Save");
    Session.SendRequest(Session.Addresses().NewSymbolicCategory, fields);
}
