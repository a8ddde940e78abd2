#include "FakeAdminSite.h"

namespace {

bool EndsWith(const std::string& text, const std::string& end)
{
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
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
    std::string page = "<form><select name=\"PARENT_ID\"><option value=\"0\">[Top]</option>\n";
    for (size_t i = 0; i < Categories.size(); ++i)
        page += "<option title=\"___" + Categories[i].Title + "\" value=\"" + std::to_string(i + 1) + "\">\n";
    return page + "</select></form>";
}

std::string TFakeAdminSite::Answer(const TSentRequest& request)
{
    for (const auto& [key, fail] : Failures)
        if (key.compare(0, request.Method.size() + 1, request.Method + " ") == 0 &&
            EndsWith(request.Url, key.substr(request.Method.size() + 1)))
            fail();

    if (EndsWith(request.Url, "/admin/login.php"))
        return Field(request, "pass") == Password ? "<a href=\"logout.php\">Logout</a>" : "<b>Wrong login</b>";
    if (request.Method == "POST" && EndsWith(request.Url, "action=N"))
        Categories.push_back({Field(request, "TITLE"), Field(request, "PARENT_ID"), ""});
    if (request.Method == "POST" && EndsWith(request.Url, "action=N&s=1"))
        SymbolicCategories.push_back(
            {Field(request, "TITLE"), Field(request, "PARENT_ID"), Field(request, "SYMBOLIC_ID")});
    if (EndsWith(request.Url, "index.php") || EndsWith(request.Url, "logout.php"))
        return "<html>admin</html>";
    return FormPage();
}
