#include "feed/CategorySubmission.h"

#include "common/core/Text.h"
#include "feed/FeedErrors.h"
#include "feed/PageScraping.h"

#include <algorithm>
#include <utility>

namespace {

// The site's word for a symbolic category it has already; it refuses the post, but the
// category is there.
constexpr std::string_view SymbolicExists = "A symbolic category already exists for this category and parent category.";

bool SaysOnlyThatItExists(const std::vector<std::string>& reasons)
{
    return std::all_of(reasons.begin(), reasons.end(),
                       [](const std::string& reason) { return reason == SymbolicExists; });
}

}  // namespace

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

// Kept as described: worded ("seem like", "regetting") as users and their scripts know the line.
void TCategorySubmitter::ReportMissingCategory(const std::string& name, int examination)
{
    View.AppendMessageLine("category " + name + " seem like it was not added. regetting page " +
                           std::to_string(examination) + " of " + std::to_string(MaxExaminations) + " before abort...");
}

std::string TCategorySubmitter::IDOnCurrentPage(const std::string& name)
{
    Session.DumpPageOfLookup(name);
    return FindCategoryID(name, Session.CurrentPage());
}

void TCategorySubmitter::AddCategory(const std::string& name, const std::string& parentName)
{
    std::vector<TSettledPost> settled =
        PostCategory({nullptr, name, IDOnCurrentPage(parentName), FirstListingCheck(name)});
    if (Unconfirmed()) {
        std::vector<TSettledPost> confirmed = Confirm(Session.Addresses().NewCategory);
        settled.insert(settled.end(), confirmed.begin(), confirmed.end());
    }
    if (settled.empty() || settled.back().Verdict != TPostVerdict::Listed)
        throw ECategoryNotAdded("problems with category: " + name);
}

std::vector<TSettledPost> TCategorySubmitter::PostCategory(TCategoryPost post)
{
    FillCategoryForm(post.Name, post.ParentID);
    SymbolicFormOpen = false;
    Session.SendRequest(Session.Addresses().NewCategory, Session.FormFields());

    std::vector<TSettledPost> settled;
    ExamineAwaited(settled);
    const TSitePage& page = Session.ReadPage();
    const TFormAnswer& answer = page.Answer();
    if (!answer.Refusals.empty()) {
        settled.push_back({std::move(post), TPostVerdict::Refused, "", JoinedReasons(answer.Refusals)});
    } else if (std::optional<std::string> id = post.IsListed(page)) {
        settled.push_back({std::move(post), TPostVerdict::Listed, std::move(*id), ""});
    } else {
        // A saved post is not on the list its answer shows; any other answer should list it.
        Awaited.push_back({std::move(post), answer.Saved, answer.Saved ? 0 : 1});
    }
    RefetchWhileMissing(settled);
    return settled;
}

const TCategoryPost* TCategorySubmitter::Unconfirmed() const
{
    return Awaited.empty() || !Awaited.back().Saved ? nullptr : &Awaited.back().Post;
}

std::vector<TSettledPost> TCategorySubmitter::Confirm(const std::string& url)
{
    std::vector<TSettledPost> settled;
    if (Awaited.empty())
        return settled;
    Fetch(url);
    ExamineAwaited(settled);
    RefetchWhileMissing(settled);
    return settled;
}

void TCategorySubmitter::Fetch(const std::string& url)
{
    Session.SendRequest(url);
    SymbolicFormOpen = url == Session.Addresses().NewSymbolicCategory;
}

void TCategorySubmitter::ExamineAwaited(std::vector<TSettledPost>& settled)
{
    if (Awaited.empty())
        return;
    const TSitePage& page = Session.ReadPage();
    std::erase_if(Awaited, [&](TAwaited& awaited) {
        std::optional<std::string> id = awaited.Post.IsListed(page);
        if (!id) {
            ++awaited.FailedExaminations;
            return false;
        }
        settled.push_back({std::move(awaited.Post), TPostVerdict::Listed, std::move(*id), ""});
        return true;
    });
}

// The site may list a new category only a little later; the page re-fetched after the fifth
// failed examination is not examined, as the form is never posted twice.
void TCategorySubmitter::RefetchWhileMissing(std::vector<TSettledPost>& settled)
{
    const auto missing = [](const TAwaited& awaited) { return awaited.FailedExaminations > 0; };
    while (std::any_of(Awaited.begin(), Awaited.end(), missing)) {
        bool pause = false;
        for (const TAwaited& awaited : Awaited) {
            if (missing(awaited))
                ReportMissingCategory(awaited.Post.Name, awaited.FailedExaminations);
            pause = pause || awaited.FailedExaminations > 1;
        }
        View.ProcessMessages();
        if (pause)
            Pause(RefetchPause);
        Fetch(Session.Addresses().NewCategory);
        std::erase_if(Awaited, [&](TAwaited& awaited) {
            if (awaited.FailedExaminations < MaxExaminations)
                return false;
            settled.push_back({std::move(awaited.Post), TPostVerdict::NotListed, "",
                               "the site does not list it, also after " + std::to_string(MaxExaminations) +
                                   " re-fetches of the form page."});
            return true;
        });
        ExamineAwaited(settled);
    }
}

void TCategorySubmitter::AddSymbolicCategory(const std::string& name, const std::string& parentName,
                                             const std::string& targetName)
{
    const std::string parentID = IDOnCurrentPage(parentName);
    PostSymbolicCategory(name, parentID, IDOnCurrentPage(targetName));
}

void TCategorySubmitter::OpenSymbolicForm()
{
    if (Session.MetFullFormPages() && !SymbolicFormOpen)
        Fetch(Session.Addresses().NewSymbolicCategory);
}

TSymbolicAnswer TCategorySubmitter::PostSymbolicCategory(const std::string& name, const std::string& parentID,
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
    SymbolicFormOpen = true;

    const std::vector<std::string>& reasons = Session.ReadPage().Answer().Refusals;
    if (reasons.empty())
        return {TSymbolicVerdict::Posted, ""};
    if (SaysOnlyThatItExists(reasons))
        return {TSymbolicVerdict::AlreadyThere, ""};
    return {TSymbolicVerdict::Refused, JoinedReasons(reasons)};
}

TListingCheck FirstListingCheck(const std::string& name)
{
    return [name](const TSitePage& page) { return FirstListedID(name, page.Text()); };
}

TListingCheck NewListingCheck(const std::string& name, std::vector<std::string> listedBefore)
{
    return [name, before = std::move(listedBefore)](const TSitePage& page) -> std::optional<std::string> {
        const std::vector<std::string> listed = ListedCategoryIDs(name, page.Text());
        if (listed.size() <= before.size())
            return std::nullopt;
        const std::vector<std::string> added = IDsNotIn(listed, before);
        return added.size() == 1 ? added.front() : std::string();
    };
}

TListingCheck PathListingCheck(const std::string& path, TListingCheck onOtherPages)
{
    return [path, onOtherPages = std::move(onOtherPages)](const TSitePage& page) -> std::optional<std::string> {
        if (const TCategoryListing* listing = page.Listing()) {
            if (const std::optional<std::string_view> id = listing->IDAt(path))
                return std::string(*id);
            return std::nullopt;
        }
        return onOtherPages(page);
    };
}
