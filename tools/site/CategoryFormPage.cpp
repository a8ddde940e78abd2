#include "tools/site/CategoryFormPage.h"

#include "tools/site/HtmlPages.h"

namespace {

// "|&nbsp;&nbsp;&nbsp;|___Music": the text of an option, in its label and between its tags alike.
void AppendOptionText(std::string& html, const TListedCategory& line)
{
    for (int level = 1; level < line.Depth; ++level)
        html += "|&nbsp;&nbsp;&nbsp;";
    html += "|___";
    AppendEscapedHtml(html, line.Category->Title);
}

std::string CategoryOptions(const std::vector<TListedCategory>& listing)
{
    std::string html = "<option label=\"[Top]\" value=\"0\">[Top]</option>\n";
    std::string text;
    for (const TListedCategory& line : listing) {
        text.clear();
        AppendOptionText(text, line);
        html += "<option label=\"";
        html += text;
        html += "\" value=\"";
        html += std::to_string(line.Category->Id);
        html += "\">";
        html += text;
        html += "</option>\n";
    }
    return html;
}

std::string Beside(const TFormAnswer& answer, const char* field)
{
    const auto refusal = answer.Refusals.find(field);
    return refusal == answer.Refusals.end() ? std::string()
                                            : " <span class=\"error\">" + EscapeHtml(refusal->second) + "</span>";
}

std::string Select(const char* field, const std::string& options, const TFormAnswer& answer)
{
    return "<select name=\"" + std::string(field) + "\">\n" + options + "</select>" + Beside(answer, field);
}

}  // namespace

std::string CategoryFormPage(const std::vector<TListedCategory>& listing, TCategoryForm form, const TFormAnswer& answer)
{
    const bool symbolic = form == TCategoryForm::Symbolic;
    const std::string options = CategoryOptions(listing);
    std::string body = AdminMenu;
    body += symbolic ? "<h1>New symbolic category</h1>\n" : "<h1>New category</h1>\n";
    if (answer.Saved)
        body += "<div class=\"alert\">Category saved.</div>\n";
    body += symbolic ? "<form method=\"post\" action=\"dir_categs_edit.php?action=N&amp;s=1\">\n"
                     : "<form method=\"post\" action=\"dir_categs_edit.php?action=N\">\n";
    body += "<p>Title <input type=\"text\" name=\"TITLE\">" + Beside(answer, TitleField) + "</p>\n";
    if (!symbolic)
        body += "<p>URL title <input type=\"text\" name=\"TITLE_URL\">" + Beside(answer, TitleUrlField) + "</p>\n";
    body += "<p>Parent " + Select(ParentField, options, answer) + "</p>\n";
    if (symbolic)
        body += "<p>Stands for " + Select(TargetField, options, answer) + "</p>\n";
    body += "<p>Status <select name=\"STATUS\"><option value=\"1\">Inactive</option>"
            "<option value=\"2\" selected>Active</option></select>" +
            Beside(answer, StatusField) +
            "</p>\n"
            "<p><input type=\"submit\" name=\"submit\" value=\"Save\"></p>\n</form>\n";
    return HtmlDocument(symbolic ? "Corvane admin - New symbolic category" : "Corvane admin - New category", body);
}
