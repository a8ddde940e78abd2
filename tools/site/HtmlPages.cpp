#include "tools/site/HtmlPages.h"

namespace {

std::string Document(const std::string& title, const std::string& body)
{
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + EscapeHtml(title) +
           "</title></head>\n<body>\n" + body + "</body></html>\n";
}

std::string Paragraph(const std::string& cssClass, const std::string& html)
{
    return html.empty() ? std::string() : "<p class=\"" + cssClass + "\">" + html + "</p>\n";
}

// The listing attribute holds a category's name so that it stands between the underscores
// and the closing double quote byte for byte as it was posted: clients find categories by
// exactly that text. Only the double quote, which would end the attribute, is escaped;
// & < > and ' cannot break out of a double-quoted attribute and stay as they are.
std::string ListingAttribute(const TListedCategory& line)
{
    std::string text(3 * static_cast<std::size_t>(line.Depth), '_');
    for (char c : line.Category->Title) {
        if (c == '"')
            text += "&quot;";
        else
            text += c;
    }
    return text;
}

std::string Indent(int depth)
{
    std::string text;
    for (int level = 1; level < depth; ++level)
        text += "&nbsp;&nbsp;&nbsp;";
    return text;
}

std::string ParentOptions(const std::vector<TListedCategory>& listing)
{
    std::string html = "<option value=\"0\">[Top]</option>\n";
    for (const TListedCategory& line : listing)
        html += "<option label=\"" + ListingAttribute(line) + "\" value=\"" + std::to_string(line.Category->Id) +
                "\">" + Indent(line.Depth) + EscapeHtml(line.Category->Title) + "</option>\n";
    return html;
}

// The second list of the symbolic form carries no listing attribute, so that each name is
// listed once and its first value= is its own.
std::string TargetOptions(const std::vector<TListedCategory>& listing)
{
    std::string html;
    for (const TListedCategory& line : listing)
        html += "<option value=\"" + std::to_string(line.Category->Id) + "\">" + Indent(line.Depth) +
                EscapeHtml(line.Category->Title) + "</option>\n";
    return html;
}

const char* const AdminMenu =
    "<p><a href=\"index.php\">Admin home</a> | <a href=\"dir_categs_edit.php?action=N\">New category</a>"
    " | <a href=\"dir_categs_edit.php?action=N&amp;s=1\">New symbolic category</a>"
    " | <a href=\"/\">Directory</a> | <a href=\"logout.php\">Log out</a></p>\n";

}  // namespace

std::string EscapeHtml(const std::string& text)
{
    std::string escaped;
    escaped.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        case '\'': escaped += "&#39;"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

std::string LoginPage(const std::string& error)
{
    return Document("Corvane admin - Login", "<h1>Corvane directory administration</h1>\n" +
                                                 Paragraph("error", EscapeHtml(error)) +
                                                 "<form method=\"post\" action=\"login.php\">\n"
                                                 "<p>User <input type=\"text\" name=\"user\"></p>\n"
                                                 "<p>Password <input type=\"password\" name=\"pass\"></p>\n"
                                                 "<p><input type=\"submit\" name=\"submit\" value=\"Login\"></p>\n"
                                                 "</form>\n");
}

std::string AdminHomePage(const std::string& user)
{
    return Document("Corvane admin", AdminMenu + std::string("<h1>Welcome, ") + EscapeHtml(user) + "</h1>\n");
}

std::string LoggedOutPage()
{
    return Document("Corvane admin - Logged out",
                    "<h1>You are logged out</h1>\n<p><a href=\"index.php\">Log in again</a></p>\n");
}

std::string CategoryFormPage(const std::vector<TListedCategory>& listing, bool symbolic, const TFormOutcome& outcome)
{
    std::string body = AdminMenu;
    body += symbolic ? "<h1>New symbolic category</h1>\n" : "<h1>New category</h1>\n";
    body += Paragraph("notice", outcome.Notice) + Paragraph("error", outcome.Error);
    body += symbolic ? "<form method=\"post\" action=\"dir_categs_edit.php?action=N&amp;s=1\">\n"
                     : "<form method=\"post\" action=\"dir_categs_edit.php?action=N\">\n";
    body += "<p>Title <input type=\"text\" name=\"TITLE\"></p>\n";
    if (!symbolic)
        body += "<p>URL title <input type=\"text\" name=\"TITLE_URL\"></p>\n";
    body += "<p>Parent <select name=\"PARENT_ID\">\n" + ParentOptions(listing) + "</select></p>\n";
    if (symbolic)
        body += "<p>Stands for <select name=\"SYMBOLIC_ID\">\n" + TargetOptions(listing) + "</select></p>\n";
    body += "<p>Status <select name=\"STATUS\"><option value=\"1\">Inactive</option>"
            "<option value=\"2\" selected>Active</option></select></p>\n"
            "<p><input type=\"submit\" name=\"submit\" value=\"Save\"></p>\n</form>\n";
    return Document(symbolic ? "Corvane admin - New symbolic category" : "Corvane admin - New category", body);
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
    return Document("Corvane directory", body);
}

std::string StatusPage(int status, const std::string& reason)
{
    return Document(std::to_string(status) + " " + reason,
                    "<h1>" + std::to_string(status) + " " + EscapeHtml(reason) + "</h1>\n");
}
