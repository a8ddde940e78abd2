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
