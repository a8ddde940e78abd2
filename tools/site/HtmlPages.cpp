#include "tools/site/HtmlPages.h"

const char* const AdminMenu =
    "<p><a href=\"index.php\">Admin home</a> | <a href=\"dir_categs_edit.php?action=N\">New category</a>"
    " | <a href=\"dir_categs_edit.php?action=N&amp;s=1\">New symbolic category</a>"
    " | <a href=\"/\">Directory</a> | <a href=\"logout.php\">Log out</a></p>\n";

std::string HtmlDocument(const std::string& title, const std::string& body)
{
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + EscapeHtml(title) +
           "</title></head>\n<body>\n" + body + "</body></html>\n";
}

std::string HtmlParagraph(const std::string& cssClass, const std::string& html)
{
    return html.empty() ? std::string() : "<p class=\"" + cssClass + "\">" + html + "</p>\n";
}

std::string LoginPage(const std::string& error)
{
    return HtmlDocument("Corvane admin - Login", "<h1>Corvane directory administration</h1>\n" +
                                                     HtmlParagraph("error", EscapeHtml(error)) +
                                                     "<form method=\"post\" action=\"login.php\">\n"
                                                     "<p>User <input type=\"text\" name=\"user\"></p>\n"
                                                     "<p>Password <input type=\"password\" name=\"pass\"></p>\n"
                                                     "<p><input type=\"submit\" name=\"submit\" value=\"Login\"></p>\n"
                                                     "</form>\n");
}

std::string AdminHomePage(const std::string& user)
{
    return HtmlDocument("Corvane admin", AdminMenu + std::string("<h1>Welcome, ") + EscapeHtml(user) + "</h1>\n");
}

std::string LoggedOutPage()
{
    return HtmlDocument("Corvane admin - Logged out",
                        "<h1>You are logged out</h1>\n<p><a href=\"index.php\">Log in again</a></p>\n");
}

std::string PublicTreePage(const TDirectory& directory)
{
    const std::vector<TListedCategory> listing = directory.InTreeOrder([](const TSiteCategory&) { return true; });
    std::string body = "<h1>Corvane directory</h1>\n";
    if (listing.empty())
        body += "<p>The directory is empty.</p>\n";
    int openLists = 0;
    for (const TListedCategory& line : listing) {
        for (; openLists < line.Depth; ++openLists)
            body += "<ul>\n";
        for (; openLists > line.Depth; --openLists)
            body += "</ul>\n";
        const TSiteCategory& category = *line.Category;
        body += "<li>";
        if (category.Symbolic) {
            const TSiteCategory* target = directory.Find(category.SymbolicId);
            body += "@" + EscapeHtml(category.Title) + " &rarr; " +
                    (target ? EscapeHtml(target->Title) : std::string("[Top]"));
        } else {
            body += EscapeHtml(category.Title);
        }
        body += " <small>(" + std::to_string(category.Id) + ")</small></li>\n";
    }
    for (; openLists > 0; --openLists)
        body += "</ul>\n";
    body += "<p><a href=\"/admin/index.php\">Administration</a></p>\n";
    return HtmlDocument("Corvane directory", body);
}

std::string StatusPage(int status, const std::string& reason)
{
    return HtmlDocument(std::to_string(status) + " " + reason,
                        "<h1>" + std::to_string(status) + " " + EscapeHtml(reason) + "</h1>\n");
}
