#pragma once

#include "ScriptedTransport.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

// An in-memory admin site that answers like the real one: a login page that offers
// "logout.php" for the right credentials, and a new-category form that lists every category
// as "___<name>\"" with its value="<ID>". Failures can be planted per request.
class TFakeAdminSite {
public:
    struct TCreated {
        std::string Title;
        std::string ParentID;
        std::string SymbolicID;

        bool operator==(const TCreated&) const = default;
    };

    std::string Password = "secret";
    std::vector<TCreated> Categories;
    std::vector<TCreated> SymbolicCategories;

    // Throws whatever the planted action throws when a request of that method reaches an
    // address ending in the given path.
    void FailOn(const std::string& method, const std::string& pathEnd, std::function<void()> fail);

    std::string Answer(const TSentRequest& request);
    TScriptedTransport::TResponder Responder()
    {
        return [this](const TSentRequest& request) { return Answer(request); };
    }

    // The new-category form page, listing the categories created so far.
    std::string FormPage() const;

private:
    static std::string Field(const TSentRequest& request, const std::string& name);

    std::map<std::string, std::function<void()>> Failures;
};
