// The category forms of TSiteServer: their pages and the answers to their posts, in the
// real-site and the legacy manner.
#include "tools/site/SiteServer.h"

#include "common/core/TextTrim.h"
#include "tools/site/CategoryChecks.h"
#include "tools/site/CategoryFormPage.h"
#include "tools/site/HtmlPages.h"
#include "tools/site/UrlTitle.h"

#include <httplib.h>

#include <charconv>
#include <optional>

namespace {

std::optional<TCategoryId> ParseId(const std::string& text)
{
    TCategoryId id = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, id);
    if (text.empty() || error != std::errc() || stop != end || id < 0)
        return std::nullopt;
    return id;
}

std::optional<int> ParseStatus(const std::string& text)
{
    if (text == "1")
        return InactiveStatus;
    if (text == "2")
        return ActiveStatus;
    return std::nullopt;
}

TCategoryPost ReadCategoryPost(const httplib::Request& request, TCategoryForm form)
{
    TCategoryPost post;
    post.Form = form;
    post.Title = Trim(request.get_param_value(TitleField));
    const std::string titleUrl(Trim(request.get_param_value(TitleUrlField)));
    post.TitleUrl = titleUrl.empty() ? MadeUrlTitle(post.Title) : titleUrl;
    post.ParentId = ParseId(request.get_param_value(ParentField));
    if (form == TCategoryForm::Symbolic)
        post.TargetId = ParseId(request.get_param_value(TargetField));
    post.Status = ParseStatus(request.get_param_value(StatusField));
    return post;
}

}  // namespace

void TSiteServer::CategoryForm(const httplib::Request& request, httplib::Response& response)
{
    std::lock_guard guard(StateLock);
    const std::string session = SessionIdFromCookies(request.get_header_value("Cookie"));
    if (!Sessions.IsLoggedIn(session)) {
        Redirect(response, "index.php");
        return;
    }
    if (request.get_param_value("action") != "N") {
        Answer(response, 404, StatusPage(404, "Unknown action"));
        return;
    }
    const TCategoryForm form = request.get_param_value("s") == "1" ? TCategoryForm::Symbolic : TCategoryForm::Regular;
    if (request.method == "POST") {
        Answer(response, 200, Options.LegacyPages ? LegacyPost(request, form) : RealSitePost(request, session, form));
        return;
    }
    CountFormFetch();
    Sessions.SetUpChecks(session, form);
    Answer(response, 200,
           Options.LegacyPages ? LegacyFormPage(FormListing(), form, {}) : CategoryFormPage(FormListing(), form, {}));
}

std::string TSiteServer::RealSitePost(const httplib::Request& request, const std::string& session, TCategoryForm form)
{
    const TCategoryPost post = ReadCategoryPost(request, form);
    TFormAnswer answer;
    if (Sessions.HasChecks(session, form)) {
        answer.Refusals = FormRefusals(post, Directory, Options.UrlRewriting);
        answer.Saved = answer.Refusals.empty();
    } else {
        // The session never opened this form's page, so the form has no checks: the post is
        // stored whatever they would have said. What the database itself will not hold (a
        // second symbolic category for one target under one parent, say) is not stored, and
        // the answer then says nothing of it: neither "Category saved." nor a reason.
        answer.Saved = StoreRefusals(post, Directory).empty();
    }
    // The directory script reads its category list before it saves, so the answer lists
    // the categories as they were before this post.
    std::string page = CategoryFormPage(FormListing(), form, answer);
    if (answer.Saved)
        Insert(CategoryOfPost(post));
    return page;
}

std::string TSiteServer::LegacyPost(const httplib::Request& request, TCategoryForm form)
{
    const TFormOutcome outcome = LegacyCreate(request, form);
    return LegacyFormPage(FormListing(), form, outcome);
}

TFormOutcome TSiteServer::LegacyCreate(const httplib::Request& request, TCategoryForm form)
{
    const bool symbolic = form == TCategoryForm::Symbolic;
    TSiteCategory category;
    category.Title = request.get_param_value(TitleField);
    category.TitleUrl = request.get_param_value(TitleUrlField);
    category.Symbolic = symbolic;
    if (category.Title.empty())
        return {"", "The category title is missing."};

    const std::string parentText = request.get_param_value(ParentField);
    const auto parent = ParseId(parentText);
    if (!parent || (*parent != TopCategoryId && !Directory.IsRegularCategory(*parent)))
        return {"", "There is no parent category with ID " + EscapeHtml(parentText) + "."};
    category.ParentId = *parent;

    if (symbolic) {
        const std::string targetText = request.get_param_value(TargetField);
        const auto target = ParseId(targetText);
        if (!target || (*target != TopCategoryId && !Directory.IsRegularCategory(*target)))
            return {"", "There is no category with ID " + EscapeHtml(targetText) + " to stand for."};
        category.SymbolicId = *target;
    }

    const auto status = ParseStatus(request.get_param_value(StatusField));
    if (!status)
        return {"", "The status must be 1 (inactive) or 2 (active)."};
    category.Status = *status;

    const TCategoryId id = Insert(category);
    return {std::string(symbolic ? "Symbolic category <b>" : "Category <b>") + EscapeHtml(category.Title) +
                "</b> saved with ID " + std::to_string(id) + ".",
            ""};
}

TCategoryId TSiteServer::Insert(TSiteCategory category)
{
    category.Id = Store.Add(category);
    if (!category.Symbolic && Options.HideNewForGets > 0)
        HiddenForGets[category.Id] = Options.HideNewForGets;
    const TCategoryId id = category.Id;
    Directory.Add(std::move(category));
    return id;
}

void TSiteServer::CountFormFetch()
{
    for (auto hidden = HiddenForGets.begin(); hidden != HiddenForGets.end();) {
        if (--hidden->second == 0)
            hidden = HiddenForGets.erase(hidden);
        else
            ++hidden;
    }
}

std::vector<TListedCategory> TSiteServer::FormListing() const
{
    return Directory.InTreeOrder([this](const TSiteCategory& category) {
        return !category.Symbolic && HiddenForGets.count(category.Id) == 0 &&
               (Options.LegacyPages || category.Status == ActiveStatus);
    });
}
