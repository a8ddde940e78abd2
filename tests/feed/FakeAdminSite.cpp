#include "FakeAdminSite.h"

#include "tools/site/HtmlEscape.h"

#include <algorithm>
#include <cctype>
#include <functional>

namespace {

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

std::string Trimmed(const std::string& text)
{
    const char* const blanks = " \t\r\n\v";
    const std::size_t first = text.find_first_not_of(blanks);
    return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The site's own URL title for a title posted without one.
std::string SiteUrlTitle(const std::string& title)
{
    std::string url;
    for (const char c : title)
        url += std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-' ? c : '_';
    return url;
}

bool IsValidUrlTitle(const std::string& url)
{
    return !url.empty() && std::all_of(url.begin(), url.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-';
    });
}

}  // namespace

void TFakeAdminSite::FailOn(const std::string& method, const std::string& pathEnd, std::function<void()> fail)
{
    Failures[method + " " + pathEnd] = std::move(fail);
}

std::string TFakeAdminSite::Field(const TSentRequest& request, const std::string& name)
{
    for (const std::string& line : request.Fields)
        if (line.compare(0, name.size() + 1, name + "=") == 0)
            return line.substr(name.size() + 1);
    return "";
}

std::string TFakeAdminSite::FormPage() const
{
    if (RealSitePages)
        return RealFormPage(false, "", {});
    std::string page = "<form><select name=\"PARENT_ID\"><option value=\"0\">[Top]</option>\n";
    for (size_t i = 0; i < Categories.size(); ++i)
        page += "<option title=\"___" + Categories[i].Title + "\" value=\"" + std::to_string(i + 1) + "\">\n";
    return page + "</select></form>";
}

std::string TFakeAdminSite::RealFormPage(bool symbolic, const std::string& notice,
                                         const std::vector<std::string>& errors) const
{
    std::map<std::string, std::vector<std::size_t>> children;
    for (std::size_t i = 0; i < Categories.size(); ++i)
        children[Categories[i].ParentID].push_back(i);
    for (auto& [parent, ids] : children)
        std::sort(ids.begin(), ids.end(),
                  [this](std::size_t a, std::size_t b) { return Categories[a].Title < Categories[b].Title; });
    std::string options = "<option label=\"[Top]\" value=\"0\">[Top]</option>\n";
    const std::function<void(const std::string&, std::size_t)> list = [&](const std::string& parent,
                                                                          std::size_t level) {
        for (const std::size_t i : children[parent]) {
            std::string text;
            for (std::size_t l = 0; l < level; ++l)
                text += "|&nbsp;&nbsp;&nbsp;";
            text += "|___" + EscapeHtml(Categories[i].Title);
            options += "<option label=\"" + text + "\" value=\"" + std::to_string(i + 1) + "\">" + text + "</option>\n";
            list(std::to_string(i + 1), level + 1);
        }
    };
    list("0", 0);

    std::string page = "<html><body>\n";
    if (!notice.empty())
        page += "<div class=\"alert\">" + notice + "</div>\n";
    page += "<form method=\"post\"><input name=\"TITLE\">";
    for (const std::string& error : errors)
        page += "<span class=\"error\">" + error + "</span>";
    page += "\n<select name=\"PARENT_ID\">\n" + options + "</select>\n";
    if (symbolic)
        page += "<select name=\"SYMBOLIC_ID\">\n" + options + "</select>\n";
    return page + "<a href=\"logout.php\">Logout</a></form></body></html>\n";
}

std::vector<std::string> TFakeAdminSite::CategoryRefusals(const std::string& title, const std::string& urlTitle,
                                                          const std::string& parentID) const
{
    std::vector<std::string> errors;
    if (title.empty())
        errors.push_back("This field is required.");
    for (const TCreated& category : Categories)
        if (category.ParentID == parentID && category.Title == title)
            errors.push_back("Title is not unique in the parent category.");
    if (!UrlRewriting)
        return errors;
    if (!IsValidUrlTitle(urlTitle))
        errors.push_back("Invalid URL path. Allowed symbols are: a-z, A-Z, 0-9, _, -");
    for (const TCreated& category : Categories)
        if (category.ParentID == parentID && category.UrlTitle == urlTitle)
            errors.push_back("URL title is not unique in the parent category.");
    return errors;
}

std::vector<std::string> TFakeAdminSite::SymbolicRefusals(const std::string& title, const std::string& parentID,
                                                          const std::string& targetID) const
{
    std::vector<std::string> errors;
    if (title.empty())
        errors.push_back("This field is required.");
    if (targetID.empty() || targetID == "0")
        return {"Please select a category."};
    for (const TCreated& symbolic : SymbolicCategories)
        if (symbolic.ParentID == parentID && symbolic.SymbolicID == targetID)
            errors.push_back("A symbolic category already exists for this category and parent category.");
    const std::size_t target = std::stoul(targetID);
    if (target <= Categories.size() && Categories[target - 1].ParentID == parentID)
        errors.push_back("Symbolic category cannot have the same parent as the reference category.");
    return errors;
}

std::string TFakeAdminSite::AnswerRealPost(const TSentRequest& request, bool symbolic)
{
    const std::string title = Trimmed(Field(request, "TITLE"));
    const std::string parentID = Field(request, "PARENT_ID").empty() ? "0" : Field(request, "PARENT_ID");
    if (symbolic) {
        const std::string targetID = Field(request, "SYMBOLIC_ID");
        if (ChecksSetUpFor == TForm::Symbolic) {
            const std::vector<std::string> errors = SymbolicRefusals(title, parentID, targetID);
            if (!errors.empty())
                return RealFormPage(true, "", errors);
        }
        const std::string page = RealFormPage(true, "Category saved.", {});
        SymbolicCategories.push_back({title, parentID, targetID});
        ChecksSetUpFor = TForm::Symbolic;
        return page;
    }
    const std::string posted = Field(request, "TITLE_URL");
    const std::string urlTitle = posted.empty() ? SiteUrlTitle(title) : posted;
    const std::vector<std::string> errors = CategoryRefusals(title, urlTitle, parentID);
    if (!errors.empty())
        return RealFormPage(false, "", errors);
    const std::string page = RealFormPage(false, "Category saved.", {});
    Categories.push_back({title, parentID, "", urlTitle});
    ChecksSetUpFor = TForm::Category;
    return page;
}

std::string TFakeAdminSite::Answer(const TSentRequest& request)
{
    for (const auto& [key, fail] : Failures)
        if (key.compare(0, request.Method.size() + 1, request.Method + " ") == 0 &&
            EndsWith(request.Url, key.substr(request.Method.size() + 1)))
            fail();

    if (EndsWith(request.Url, "/admin/login.php"))
        return Field(request, "pass") == Password ? "<a href=\"logout.php\">Logout</a>" : "<b>Wrong login</b>";
    if (EndsWith(request.Url, "index.php") || EndsWith(request.Url, "logout.php"))
        return "<html>admin</html>";
    const bool symbolic = EndsWith(request.Url, "action=N&s=1");
    if (RealSitePages) {
        if (request.Method == "POST")
            return AnswerRealPost(request, symbolic);
        ChecksSetUpFor = symbolic ? TForm::Symbolic : TForm::Category;
        return RealFormPage(symbolic, "", {});
    }
    if (request.Method == "POST" && !symbolic)
        Categories.push_back({Field(request, "TITLE"), Field(request, "PARENT_ID"), ""});
    if (request.Method == "POST" && symbolic)
        SymbolicCategories.push_back(
            {Field(request, "TITLE"), Field(request, "PARENT_ID"), Field(request, "SYMBOLIC_ID")});
    return FormPage();
}
