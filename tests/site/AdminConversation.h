#pragma once

#include "tests/support/RawHttp.h"
#include "tests/support/SiteProcess.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

using TFormFields = std::vector<std::pair<std::string, std::string>>;

extern const char* const NewCategoryTarget;
extern const char* const NewSymbolicTarget;

// An administrator's conversation with the site over raw sockets, one connection per
// request, carrying the session cookie the site handed out.
class TAdminConversation {
public:
    explicit TAdminConversation(const TSiteProcess& site) : Port(site.Port()) {}

    TRawHttpResponse Get(const std::string& target);
    TRawHttpResponse Post(const std::string& target, const TFormFields& fields);
    // GET of the index page for the cookie, then the login POST; returns the login answer.
    TRawHttpResponse LogIn(const std::string& user = "admin", const std::string& password = "demo");

    // Posts the new-category form; returns the answer page.
    std::string AddCategory(const std::string& title, const std::string& parentId);
    std::string AddSymbolic(const std::string& title, const std::string& parentId, const std::string& targetId);

    std::string Cookie;

private:
    TRawHttpResponse Remember(TRawHttpResponse response);
    int Port;
};

// One option of a select list, its label, value and text as they stand in the page.
struct TPageOption {
    std::string Label;
    std::string Value;
    std::string Text;
    bool operator==(const TPageOption&) const = default;
};

// The options of the page's <select name="NAME">, in page order; none when it has no such list.
std::vector<TPageOption> SelectOptions(const std::string& page, const std::string& name);

// The value of the option of the page's parent list whose label is label ("|___Arts &amp; Crafts").
std::optional<std::string> ValueOfLabel(const std::string& page, const std::string& label);

// The identifier a page lists for a name by the listing rule: three underscores, the name
// and a double quote, then the first value="..." after it. Nothing when the name is not listed.
std::optional<std::string> ListedId(const std::string& page, const std::string& name);
