#include "tools/site/LegacyFormPage.h"

#include "tools/site/HtmlPages.h"

namespace {

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

}  // namespace

std::string LegacyFormPage(const std::vector<TListedCategory>& listing, TCategoryForm form, const TFormOutcome& outcome)
{
    const bool symbolic = form == TCategoryForm::Symbolic;
    std::string body = AdminMenu;
    body += symbolic ? "<h1>New symbolic category</h1>\n" : "<h1>New category</h1>\n";
    body += HtmlParagraph("notice", outcome.Notice) + HtmlParagraph("error", outcome.Error);
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
    return HtmlDocument(symbolic ? "Corvane admin - New symbolic category" : "Corvane admin - New category", body);
}
