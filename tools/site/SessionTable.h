#pragma once

#include "tools/site/CategoryForm.h"

#include <map>
#include <set>
#include <string>

// Name of the cookie that carries the session identifier.
extern const char* const SessionCookieName;

// The open sessions of the admin pages, by identifier. Not thread-safe; the server
// serialises its use.
class TSessionTable {
public:
    // Opens a new, not yet logged-in session and returns its identifier.
    std::string Start();
    bool Exists(const std::string& id) const;
    bool IsLoggedIn(const std::string& id) const;
    void LogIn(const std::string& id);
    void End(const std::string& id);

    // A form's checks are set up in a session when the session opens the form's page, and
    // stay for the session's life; posts to a form whose page the session never opened go
    // unchecked. That is how the directory script keeps its form checks.
    void SetUpChecks(const std::string& id, TCategoryForm form);
    bool HasChecks(const std::string& id, TCategoryForm form) const;

private:
    struct TSession {
        bool LoggedIn = false;
        std::set<TCategoryForm> CheckedForms;
    };
    std::map<std::string, TSession> Sessions;
};

// The session identifier in a request's "Cookie" header value, or "" when there is none.
std::string SessionIdFromCookies(const std::string& cookieHeader);
