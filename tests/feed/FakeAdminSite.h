#pragma once

#include "ScriptedTransport.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

// An in-memory admin site: a login page that offers "logout.php" for the right credentials,
// and new-category forms whose posts create categories. Failures can be planted per request.
//
// By default its form page lists every category by the bare marker, "___<name>\"" with its
// value="<ID>", and the answer to a post lists the new category. With RealSitePages it writes
// its pages as a directory site does: the options of PARENT_ID with level marks and titles
// HTML-escaped, siblings sorted by title after "[Top]"; titles trimmed and unique per
// parent; the answer to an accepted post says "Category saved." over the list as it was
// before the insert, a refused one gives the reasons as <span class="error">; a form's
// checks are set up when its page is fetched, so a symbolic post is checked only when the
// symbolic form was the last form page fetched.
class TFakeAdminSite {
public:
    struct TCreated {
        std::string Title;
        std::string ParentID;
        std::string SymbolicID;
        std::string UrlTitle = {};  // kept with RealSitePages

        bool operator==(const TCreated&) const = default;
    };

    std::string Password = "secret";
    bool RealSitePages = false;
    // With RealSitePages: URL titles must match ^[A-Za-z0-9_-]+$ and be unique per parent.
    bool UrlRewriting = false;
    std::vector<TCreated> Categories;  // the ID of each is its position + 1
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
    enum class TForm { None, Category, Symbolic };

    static std::string Field(const TSentRequest& request, const std::string& name);
    std::string RealFormPage(bool symbolic, const std::string& notice, const std::vector<std::string>& errors) const;
    std::string AnswerRealPost(const TSentRequest& request, bool symbolic);
    std::vector<std::string> CategoryRefusals(const std::string& title, const std::string& urlTitle,
                                              const std::string& parentID) const;
    std::vector<std::string> SymbolicRefusals(const std::string& title, const std::string& parentID,
                                              const std::string& targetID) const;

    std::map<std::string, std::function<void()>> Failures;
    TForm ChecksSetUpFor = TForm::None;
};
