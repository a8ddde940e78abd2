#include "tests/site/AdminConversation.h"

const char* const NewCategoryTarget = "/admin/dir_categs_edit.php?action=N";
const char* const NewSymbolicTarget = "/admin/dir_categs_edit.php?action=N&s=1";

TRawHttpResponse TAdminConversation::Remember(TRawHttpResponse response)
{
    if (const std::string cookie = CookieFromResponse(response); !cookie.empty())
        Cookie = cookie;
    return response;
}

TRawHttpResponse TAdminConversation::Get(const std::string& target)
{
    return Remember(RawHttpExchange(Port, RawGetRequest(target, Cookie)));
}

TRawHttpResponse TAdminConversation::Post(const std::string& target, const TFormFields& fields)
{
    return Remember(RawHttpExchange(Port, RawPostRequest(target, RawFormBody(fields), Cookie)));
}

TRawHttpResponse TAdminConversation::LogIn(const std::string& user, const std::string& password)
{
    Get("/admin/index.php");
    return Post("/admin/login.php", {{"user", user}, {"pass", password}, {"submit", "Login"}});
}

std::string TAdminConversation::AddCategory(const std::string& title, const std::string& parentId)
{
    std::string titleUrl = title;
    for (char& c : titleUrl)
        if (c == ' ')
            c = '-';
    return Post(NewCategoryTarget, {{"TITLE", title},
                                    {"TITLE_URL", titleUrl},
                                    {"PARENT_ID", parentId},
                                    {"STATUS", "2"},
                                    {"submit", "Save"}})
        .Body;
}

std::string TAdminConversation::AddSymbolic(const std::string& title, const std::string& parentId,
                                            const std::string& targetId)
{
    return Post(NewSymbolicTarget, {{"TITLE", title},
                                    {"PARENT_ID", parentId},
                                    {"SYMBOLIC_ID", targetId},
                                    {"STATUS", "2"},
                                    {"submit", "Save"}})
        .Body;
}

std::optional<std::string> ListedId(const std::string& page, const std::string& name)
{
    const auto marker = page.find("___" + name + "\"");
    if (marker == std::string::npos)
        return std::nullopt;
    const auto value = page.find("value=\"", marker + 1);
    if (value == std::string::npos)
        return std::nullopt;
    const auto start = value + 7;
    const auto end = page.find('"', start);
    if (end == std::string::npos)
        return std::nullopt;
    return page.substr(start, end - start);
}

namespace {

// The text of attribute="..." inside one tag; empty when the tag has none.
std::string Attribute(const std::string& tag, const std::string& name)
{
    const std::string start = " " + name + "=\"";
    const auto at = tag.find(start);
    if (at == std::string::npos)
        return {};
    const auto from = at + start.size();
    return tag.substr(from, tag.find('"', from) - from);
}

}  // namespace

std::vector<TPageOption> SelectOptions(const std::string& page, const std::string& name)
{
    std::vector<TPageOption> options;
    const auto select = page.find("<select name=\"" + name + "\">");
    if (select == std::string::npos)
        return options;
    const auto end = page.find("</select>", select);
    for (auto at = page.find("<option", select); at < end; at = page.find("<option", at + 1)) {
        const auto tagEnd = page.find('>', at);
        const std::string tag = page.substr(at, tagEnd - at);
        const auto textEnd = page.find("</option>", tagEnd);
        options.push_back(
            {Attribute(tag, "label"), Attribute(tag, "value"), page.substr(tagEnd + 1, textEnd - tagEnd - 1)});
    }
    return options;
}

std::optional<std::string> ValueOfLabel(const std::string& page, const std::string& label)
{
    for (const TPageOption& option : SelectOptions(page, "PARENT_ID"))
        if (option.Label == label)
            return option.Value;
    return std::nullopt;
}
